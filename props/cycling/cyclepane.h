// SPDX-License-Identifier: MIT
#pragma once
// The cycle pane of the properties dialog ("Cycle Property Settings"): choosing a
// property shows its range, leaving a field clamps its text and stores it in the
// dialog's cycle ranges.

#include "dialogvalues.h"

#include <array>
#include <string_view>

namespace orvex {

extern const std::array<std::string_view, kCycleCount> kCyclePropertyNames;

// Labels, text lengths and field texts for property i (cboCycleProp); -1 changes nothing.
void SelectCycleProperty(DialogValues &dialog, int32_t i);

// Shows the ranges of the chosen property again (after the ranges were reloaded).
void RefreshCyclePane(DialogValues &dialog);

// Field 0 (low) or 1 (high): clamped to the property's allowed range, as a whole number
// when its text length is at most 5, else as float32; field 2 (frames): 1 .. 99999.
// The clamped value is written back into the field and into the ranges.
void LeaveCycleField(DialogValues &dialog, int field);

} // namespace orvex
