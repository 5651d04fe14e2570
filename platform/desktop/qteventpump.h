// SPDX-License-Identifier: MIT
#pragma once
// The run loop's yield under Qt: delivers the input, window and D-Bus events that
// arrived since the last frame, then returns at once.

#include "eventpump.h"

namespace orvex {

class QtEventPump final : public EventPump {
public:
    void DeliverPendingEvents() override;
};

} // namespace orvex
