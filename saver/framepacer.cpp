#include "framepacer.h"

#include "clock.h"
#include "eventpump.h"

#include <cstdlib>

namespace orvex {

namespace {
constexpr int32_t kWarmUpFrames = 6;
constexpr uint32_t kWarmUpFrameMs = 20;
constexpr int32_t kLongestSleepMs = 1000;
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
    return false;
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
