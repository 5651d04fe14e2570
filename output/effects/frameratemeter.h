// SPDX-License-Identifier: MIT
#pragma once
// The figures of the on-screen frame-rate overlay: frames per second, milliseconds per
// frame and the process's CPU load (all threads), brought up to date once a second.

#include <cstdint>
#include <functional>
#include <string>

namespace orvex {

class Clock;

class FrameRateMeter {
public:
    // Process CPU time in microseconds, all threads; injected so tests can fake it.
    using CpuClock = std::function<int64_t()>;
    static int64_t ProcessCpuMicroseconds();

    // Takes each new line of figures, without its line end.
    using LineLog = std::function<void(const std::string &)>;

    // Each new line of figures also goes to log when one is given.
    explicit FrameRateMeter(Clock &clock, LineLog log = nullptr, CpuClock cpu = ProcessCpuMicroseconds)
        : clock_(clock), log_(std::move(log)), cpu_(std::move(cpu)) {}

    // Given the run's count so far of frames not sent to a display that shows one per
    // refresh.
    void FrameShown(int64_t framesSkipped = 0);
    // "57.3 fps  17.4 ms  CPU 38%", followed by "  60 presented" a second once frames
    // were skipped; empty until the first second has passed.
    const std::string &Text() const { return text_; }

private:
    Clock &clock_;
    LineLog log_;
    CpuClock cpu_;
    bool started_ = false;
    uint32_t periodStartMs_ = 0;
    int64_t periodStartCpu_ = 0;
    int32_t frames_ = 0;
    int64_t periodStartSkipped_ = 0;
    std::string text_;
};

} // namespace orvex
