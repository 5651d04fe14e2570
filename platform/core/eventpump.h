// SPDX-License-Identifier: MIT
#pragma once
// Lets the window system deliver pending input and system events: the run loop's one
// yield per frame. Handlers communicate with the loop only through the stop flag.

namespace orvex {

class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void DeliverPendingEvents() = 0;
};

// For runs without a window system (snapshots, benchmarks).
class NoEventPump final : public EventPump {
public:
    void DeliverPendingEvents() override {}
};

} // namespace orvex
