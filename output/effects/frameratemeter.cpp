// SPDX-License-Identifier: MIT
#include "frameratemeter.h"

#include "clock.h"

#include <cstdio>
#include <sys/resource.h>

namespace orvex {

namespace {
constexpr uint32_t kPeriodMs = 1000;
} // namespace

int64_t FrameRateMeter::ProcessCpuMicroseconds()
{
    rusage usage{};
    if (::getrusage(RUSAGE_SELF, &usage) != 0)
        return 0;
    const auto micro = [](const timeval &t) { return int64_t(t.tv_sec) * 1000000 + t.tv_usec; };
    return micro(usage.ru_utime) + micro(usage.ru_stime);
}

void FrameRateMeter::FrameShown(int64_t framesSkipped)
{
    const uint32_t nowMs = clock_.TickCount();
    if (!started_) {
        started_ = true;
        periodStartMs_ = nowMs;
        periodStartCpu_ = cpu_();
        periodStartSkipped_ = framesSkipped;
        return;
    }
    ++frames_;
    const uint32_t elapsedMs = nowMs - periodStartMs_;
    if (elapsedMs < kPeriodMs)
        return;
    const int64_t cpu = cpu_();
    const double seconds = elapsedMs * 0.001;
    char text[128];
    int length = std::snprintf(text, sizeof text, "%.1f fps  %.1f ms  CPU %.0f%%", frames_ / seconds,
                               elapsedMs / double(frames_), (cpu - periodStartCpu_) / (seconds * 1e4));
    if (framesSkipped > 0 && length > 0)
        std::snprintf(text + length, sizeof text - size_t(length), "  %.1f presented",
                      double(frames_ - (framesSkipped - periodStartSkipped_)) / seconds);
    text_ = text;
    if (log_)
        log_(text_);
    periodStartMs_ = nowMs;
    periodStartCpu_ = cpu;
    periodStartSkipped_ = framesSkipped;
    frames_ = 0;
}

} // namespace orvex
