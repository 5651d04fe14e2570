// SPDX-License-Identifier: MIT
#include "framestats.h"

#include "clock.h"
#include "numbertext.h"

#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace orvex {

namespace {

constexpr const char *kLineEnd = "\r\n";

// Two decimals without a zero before the point: 57.32, .50.
std::string TwoDecimals(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.2f", value);
    std::string out(text);
    if (out.starts_with("0."))
        out.erase(0, 1);
    return out;
}

std::string TwoDigits(int64_t value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%02lld", static_cast<long long>(value));
    return text;
}

std::string RightAligned(int64_t value, size_t width)
{
    const std::string digits = std::to_string(value);
    return std::string(width > digits.size() ? width - digits.size() : 0, ' ') + digits;
}

std::string StageLine(const char *label, int64_t ms, int64_t totalSecs)
{
    // Under one second of measured time there is no share to give.
    const std::string share = totalSecs > 0 ? TwoDecimals(ms * 0.001 / double(totalSecs) * 100.0) : "0.00";
    return std::string(label) + RightAligned(static_cast<int64_t>(std::trunc(ms * 0.001)), 7) + "   "
           + std::string(share.size() < 6 ? 6 - share.size() : 0, ' ') + share + " %" + kLineEnd;
}

} // namespace

std::string FrameRateText(int64_t frames, double seconds, std::time_t now)
{
    const int64_t whole = RoundHalfEven(seconds);
    std::tm local{};
    ::localtime_r(&now, &local);
    char date[32];
    std::strftime(date, sizeof date, "%m/%d/%Y %H:%M", &local);
    return "fps: " + TwoDecimals(frames / seconds) + "  F: " + std::to_string(frames) + "  T: "
           + TwoDigits(static_cast<int64_t>(seconds / 86400)) + ":" + TwoDigits(whole % 86400 / 3600) + ":"
           + TwoDigits(whole % 3600 / 60) + ":" + TwoDigits(whole % 60) + "  " + date;
}

std::string PerformanceReport(const RunDescription &run, const std::string &statsText, const StageTotals &totals)
{
    const int64_t totalSecs = static_cast<int64_t>(std::trunc((totals.mathMs + totals.blendMs + totals.bltMs) * 0.001));
    std::string report = std::string(120, '-') + kLineEnd;
    report += "Orvex Lumora 3.2  " + run.version + "  " + std::to_string(run.colourDepth) + "-bpp   Screen: "
              + std::to_string(run.width) + "*" + std::to_string(run.height) + "   Pitch: " + std::to_string(run.pitch)
              + "   Blend: " + std::to_string(run.blendMul) + "   Delay: " + std::to_string(run.frameDelayMs)
              + "   Pixels: " + std::to_string(run.stars) + kLineEnd;
    report += run.programName + kLineEnd;
    report += statsText + kLineEnd;
    report += StageLine("   Math     :  ", totals.mathMs, totalSecs);
    report += StageLine("   Blending :  ", totals.blendMs, totalSecs);
    report += StageLine("   Blt/Flip :  ", totals.bltMs, totalSecs);
    report += "   Total    :  " + RightAligned(totalSecs, 7) + "   100.00 %" + kLineEnd;
    if (totals.framesSkipped > 0)
        report += "   Presented:  " + std::to_string(totals.frames - totals.framesSkipped) + " of "
                  + std::to_string(totals.frames) + " frames, one per display refresh" + kLineEnd;
    return report;
}

std::filesystem::path PerformanceLogPath(const std::filesystem::path &settingsFile)
{
    if (::access(".", W_OK) == 0)
        return "OrvexPerf.log";
    return settingsFile.parent_path() / "OrvexPerf.log";
}

void FrameStats::Start(int32_t threshold)
{
    threshold_ = threshold;
    totals_ = {};
    mark_ = frameEndMark_ = periodStart_ = 0;
    periodMs_ = periods_ = 0;
    periodFrame_ = 0;
    statsText_.clear();
}

int64_t FrameStats::Since(uint32_t mark) const
{
    // The tick count wraps like a 32-bit counter; the difference is taken the same way.
    return std::llabs(static_cast<int32_t>(clock_.TickCount() - mark));
}

void FrameStats::FrameStart()
{
    if (threshold_ <= 0)
        return;
    if (frameEndMark_ != 0)
        totals_.mathMs += Since(frameEndMark_);
    mark_ = clock_.TickCount();
}

void FrameStats::BlendDone()
{
    if (threshold_ <= 0)
        return;
    totals_.blendMs += Since(mark_);
    mark_ = clock_.TickCount();
}

void FrameStats::FrameShown(int64_t framesSkipped)
{
    if (threshold_ <= 0)
        return;
    totals_.bltMs += Since(mark_);
    ++totals_.frames;
    totals_.framesSkipped = framesSkipped;
    frameEndMark_ = clock_.TickCount();
    if (periodStart_ == 0) {
        periodStart_ = clock_.TickCount();
        periodMs_ = 0;
        periods_ = 0;
    }
    if (++periodFrame_ < threshold_)
        return;
    periodFrame_ = 0;
    const int64_t elapsed = Since(periodStart_);
    if (elapsed > 0) {
        ++periods_;
        periodMs_ += elapsed;
        statsText_ = FrameRateText(periods_ * threshold_, periodMs_ * 0.001, std::time(nullptr));
        periodStart_ = clock_.TickCount();
    }
}

} // namespace orvex
