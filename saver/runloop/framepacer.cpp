// SPDX-License-Identifier: MIT
#include "framepacer.h"

#include "clock.h"
#include "eventpump.h"

#include <cstdlib>

namespace orvex {

namespace {
constexpr int32_t kWarmUpFrames = 6;
constexpr uint32_t kWarmUpFrameMs = 20;
constexpr int32_t kLongestSleepMs = 1000;
constexpr uint32_t kPowerCheckMs = 1000;
} // namespace

FramePacer::FramePacer(Clock &clock, EventPump &pump, std::atomic<bool> &stopRequested)
    : clock_(clock), pump_(pump), stopRequested_(stopRequested)
{
}

void FramePacer::StartFrame()
{
    frameStartTick_ = clock_.TickCount();
}

uint32_t FramePacer::ElapsedSinceFrameStart()
{
    const auto difference = static_cast<int32_t>(clock_.TickCount() - frameStartTick_);
    return difference == INT32_MIN ? uint32_t(INT32_MAX) + 1u : uint32_t(std::abs(difference));
}

bool FramePacer::FramePace()
{
    pump_.DeliverPendingEvents();
    if (stopRequested_)
        return true;
    const int64_t rest = int64_t(frameDelayMs_) - int64_t(ElapsedSinceFrameStart());
    if (rest > 0 && rest < kLongestSleepMs)
        clock_.Sleep(static_cast<uint32_t>(rest));
    if (hostWindowExists_ && !hostWindowExists_()) {
        stopRequested_ = true;
        return true;
    }
    return DisplayPowerEndsRun();
}

void FramePacer::WatchDisplayPower(std::function<bool()> displayIsOn, PowerOff whenOff)
{
    displayIsOn_ = std::move(displayIsOn);
    whenOff_ = whenOff;
    lastPowerCheckTick_ = clock_.TickCount();
}

bool FramePacer::DisplayPowerEndsRun()
{
    if (!displayIsOn_ || clock_.TickCount() - lastPowerCheckTick_ < kPowerCheckMs)
        return false;
    lastPowerCheckTick_ = clock_.TickCount();
    if (displayIsOn_())
        return false;
    if (whenOff_ == PowerOff::EndRun) {
        stopRequested_ = true;
        return true;
    }
    // Nobody sees the picture: sleep a second at a time, still answering the window
    // system and the host, until the display is back.
    while (!stopRequested_ && !displayIsOn_()) {
        clock_.Sleep(kPowerCheckMs);
        pump_.DeliverPendingEvents();
        if (hostWindowExists_ && !hostWindowExists_())
            stopRequested_ = true;
    }
    lastPowerCheckTick_ = clock_.TickCount();
    return stopRequested_;
}

void FramePacer::PreviewWarmUp()
{
    if (warmUpFramesDone_ >= kWarmUpFrames)
        return;
    ++warmUpFramesDone_;
    while (ElapsedSinceFrameStart() < kWarmUpFrameMs && !stopRequested_) {
        pump_.DeliverPendingEvents();
        clock_.Sleep(1);
    }
}

} // namespace orvex
