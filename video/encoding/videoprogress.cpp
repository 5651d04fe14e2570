// SPDX-License-Identifier: MIT
#include "videoprogress.h"

#include "numbertext.h"

#include <cstdio>

namespace orvex {

namespace {

std::string TwoDigits(int64_t value)
{
    char text[24];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(value));
    return text;
}

} // namespace

int64_t EstimatedSecondsLeft(const VideoProgress &p)
{
    if (p.frameIndex < 1)
        return 0;
    return RoundHalfEven(p.elapsedMs * 0.001 * double(p.endIndex - p.frameIndex) / double(p.frameIndex));
}

std::string FrameStatusText(const VideoProgress &p)
{
    const int64_t rate = p.rate < 1 ? 1 : p.rate;
    const int64_t minutes = p.frameIndex / rate / 60;
    const int64_t seconds = (p.frameIndex - minutes * 60 * rate) / rate;
    const int64_t left = EstimatedSecondsLeft(p);
    return "Frame: " + std::to_string(p.frameIndex) + "  Time (min:sec): " + std::to_string(minutes) + " : "
           + TwoDigits(seconds) + "\nEst. Time Left: " + TwoDigits(left % 86400 / 3600) + ":"
           + TwoDigits(left % 3600 / 60) + ":" + TwoDigits(left % 60);
}

} // namespace orvex
