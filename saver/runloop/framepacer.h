// SPDX-License-Identifier: MIT
#pragma once
// The run loop's one yield per frame: deliver window-system events, test for a stop,
// and sleep what is left of the frame time. Drawing never sleeps anywhere else.

#include <atomic>
#include <cstdint>
#include <functional>

namespace orvex {

class Clock;
class EventPump;

class FramePacer {
public:
    FramePacer(Clock &clock, EventPump &pump, std::atomic<bool> &stopRequested);

    void SetFrameDelay(int32_t milliseconds) { frameDelayMs_ = milliseconds; }
    int32_t FrameDelay() const { return frameDelayMs_; }
    // In host-preview mode: answers whether the host's window still exists.
    void WatchHostWindow(std::function<bool()> hostWindowExists) { hostWindowExists_ = std::move(hostWindowExists); }

    // What the run does while the display is powered off: the full-screen saver ends, as
    // it would on the system's power-off request; a saver inside another program's window
    // draws nothing until the display is on again.
    enum class PowerOff { EndRun, Pause };
    // displayIsOn is asked at most once a second.
    void WatchDisplayPower(std::function<bool()> displayIsOn, PowerOff whenOff);

    // Marks the start of a frame.
    void StartFrame();
    // True when the run must stop. A rest of 1000 ms or more (a stalled or paused
    // process) is not slept, so nothing ever catches up or oversleeps.
    bool FramePace();
    // Host preview only: the first few frames of the process each last at least 20 ms,
    // so that the host's window settles before the picture races.
    void PreviewWarmUp();

    uint32_t FrameStartTick() const { return frameStartTick_; }

private:
    uint32_t ElapsedSinceFrameStart();
    // True when the run must stop because the display is off.
    bool DisplayPowerEndsRun();

    Clock &clock_;
    EventPump &pump_;
    std::atomic<bool> &stopRequested_;
    std::function<bool()> hostWindowExists_;
    int32_t frameDelayMs_ = 10;
    uint32_t frameStartTick_ = 0;
    int32_t warmUpFramesDone_ = 0;
    std::function<bool()> displayIsOn_;
    PowerOff whenOff_ = PowerOff::EndRun;
    uint32_t lastPowerCheckTick_ = 0;
};

} // namespace orvex
