// SPDX-License-Identifier: MIT
#pragma once
// A clock that only moves when told to, or by the sleeps it is asked for.

#include "clock.h"
#include "eventpump.h"

#include <functional>
#include <vector>

namespace orvex::test {

class FakeClock final : public Clock {
public:
    uint32_t TickCount() override { return now; }
    void Sleep(uint32_t milliseconds) override
    {
        sleeps.push_back(milliseconds);
        now += milliseconds;
    }
    uint32_t now = 1000;
    std::vector<uint32_t> sleeps;
};

// Runs a callback at every yield, e.g. to let time pass or to request a stop.
class ScriptedPump final : public EventPump {
public:
    void DeliverPendingEvents() override
    {
        ++deliveries;
        if (onDeliver)
            onDeliver();
    }
    std::function<void()> onDeliver;
    int deliveries = 0;
};

} // namespace orvex::test
