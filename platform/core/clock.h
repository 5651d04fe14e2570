// SPDX-License-Identifier: MIT
#pragma once
// The millisecond clock and sleep the run loop paces frames with; tests inject a fake.

#include <cstdint>

namespace orvex {

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds from an arbitrary start; wraps like a 32-bit tick counter.
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

// The steady clock of the machine; unaffected by changes of the wall-clock time.
class SteadyClock final : public Clock {
public:
    uint32_t TickCount() override;
    void Sleep(uint32_t milliseconds) override;
};

// Time that passes only when slept: the headless renderer and benchmarks run frames
// back to back while the run loop still sees a steady frame rate.
class SyntheticClock final : public Clock {
public:
    uint32_t TickCount() override { return now_; }
    void Sleep(uint32_t milliseconds) override { now_ += milliseconds; }

private:
    uint32_t now_ = 0;
};

} // namespace orvex
