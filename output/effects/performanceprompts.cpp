// SPDX-License-Identifier: MIT
#include "performanceprompts.h"

#include "numbertext.h"
#include "settingsstore.h"

namespace orvex {

namespace {

constexpr std::string_view kSection = "DirectX";
constexpr int32_t kLogThresholdWithDisplay = 100;

int32_t AnswerValue(std::string_view answer)
{
    return RoundHalfEven(ParseNumberOrZero(WithDecimalPoint(answer)));
}

} // namespace

PerformancePrompt LoggingPrompt()
{
    return {"Orvex Product Performance Logging",
            "Write to OrvexPerf.log file? N=Yes, 0=No\n\n"
            "N=Non-Zero value used as Frame Threshold for writing to the Log.  "
            "Log file will appear in \\Windows\\System32 directory when Windows starts the Product.  "
            "File will appear in the Product's directory when Product is started manually.\n\n"
            "Note:  Turning this Off will automatically turn Off display of Performance FPS."};
}

PerformancePrompt FrameRatePrompt()
{
    return {"Orvex Product Performance Display",
            "Display performance fps on screen? 1=Yes, 0=No\n\n"
            "Note:  Turning this On will automatically turn On\n"
            "logging to the OrvexPerf.log file (100 Frame threshold)."};
}

std::string LoggingDefaultAnswer(const SettingsStore &store)
{
    return std::to_string(store.ReadSettingLong(kSection, "DX_WriteLog", 0));
}

std::string FrameRateDefaultAnswer(const SettingsStore &store)
{
    return std::to_string(store.ReadSettingLong(kSection, "DX_ShowFPS", 0));
}

void ApplyLoggingAnswer(SettingsStore &store, std::string_view answer)
{
    if (Trim(answer).empty())
        return;
    const int32_t threshold = AnswerValue(answer);
    store.WriteSetting(kSection, "DX_WriteLog", threshold);
    if (threshold == 0)
        store.WriteSetting(kSection, "DX_ShowFPS", 0);
}

void ApplyFrameRateAnswer(SettingsStore &store, std::string_view answer)
{
    if (Trim(answer).empty())
        return;
    const bool show = AnswerValue(answer) == 1;
    store.WriteSetting(kSection, "DX_ShowFPS", show ? 1 : 0);
    if (show)
        store.WriteSetting(kSection, "DX_WriteLog", kLogThresholdWithDisplay);
}

} // namespace orvex
