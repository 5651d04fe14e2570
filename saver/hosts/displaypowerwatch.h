// SPDX-License-Identifier: MIT
#pragma once
// Lets a run follow the display's power: nothing is drawn for a display that is off.

#include "framepacer.h"

namespace orvex {

class RunLoop;

// Without an X display (or its power management) the run never notices anything.
void WatchDisplayPower(RunLoop &loop, FramePacer::PowerOff whenOff);

} // namespace orvex
