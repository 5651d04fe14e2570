// SPDX-License-Identifier: MIT
#pragma once
// The colour filter and desktop blend picked up when a theme is applied: from the store
// when a theme starts, from the dialog when its values are applied. The presentation step
// looks the filter index up in its filter table (an index outside it means no filter).

#include "dialogvalues.h"
#include "settingsstore.h"

#include <cstdint>

namespace orvex {

struct DisplayEffects {
    int32_t filterIndex = 0;
    int32_t maskRed = 0;     // 0 .. 255
    int32_t maskGreen = 0;   // 0 .. 255
    int32_t maskBlue = 0;    // 0 .. 255
    int32_t desktopPercent = 0; // 0 .. 99
    int32_t desktopFrames = 0;  // 0 .. 999

    bool operator==(const DisplayEffects &) const = default;
};

DisplayEffects ReadDisplayEffects(const SettingsStore &store);

DisplayEffects DisplayEffectsFromDialog(const DialogValues &dialog);

} // namespace orvex
