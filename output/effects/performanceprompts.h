// SPDX-License-Identifier: MIT
#pragma once
// The about box's two hidden prompts that switch the performance log and the frame-rate
// display: their texts and what an answer stores.

#include <string>
#include <string_view>

namespace orvex {

class SettingsStore;

struct PerformancePrompt {
    std::string_view title;
    std::string prompt;
};

PerformancePrompt LoggingPrompt();
PerformancePrompt FrameRatePrompt();

// The current value, offered as the default answer.
std::string LoggingDefaultAnswer(const SettingsStore &store);
std::string FrameRateDefaultAnswer(const SettingsStore &store);

// A blank answer (or a cancelled prompt) changes nothing. Logging off also switches the
// frame-rate display off; the display on also logs every 100 frames.
void ApplyLoggingAnswer(SettingsStore &store, std::string_view answer);
void ApplyFrameRateAnswer(SettingsStore &store, std::string_view answer);

} // namespace orvex
