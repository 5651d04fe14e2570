// SPDX-License-Identifier: MIT
#pragma once
// The run loop's per-frame property cycling: eight run-time properties follow their
// cycle ranges on sine waves driven by the theme's cycle clock.

#include "runtimeproperties.h"

namespace orvex {

// Before the first frame of a theme (the ranges are already clamped): with cycling on,
// the four comet values start at the midpoints of their ranges.
void StartThemeCycling(RuntimeProperties &run);

// Each frame before the engine call, with the cycle clock of the frame; nothing when
// cycling is off. The results are not clamped again.
void ApplyCycleFrame(RuntimeProperties &run, double cycleClock);

} // namespace orvex
