// SPDX-License-Identifier: MIT
#include "displaypowerwatch.h"

#include "runloop.h"
#include "x11displaypower.h"

#include <memory>

namespace orvex {

void WatchDisplayPower(RunLoop &loop, FramePacer::PowerOff whenOff)
{
    std::shared_ptr<X11DisplayPower> power = X11DisplayPower::Open();
    if (power)
        loop.WatchDisplayPower([power] { return power->IsOn(); }, whenOff);
}

} // namespace orvex
