// SPDX-License-Identifier: MIT
#pragma once
// Where the time of a frame goes: the engine and run loop ("Math"), the blend, filter,
// desktop and message ("Blending") and the blit ("Blt/Flip"), with the frame rate over
// all completed periods of N frames, and the report appended to the performance log.

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <string>

namespace orvex {

class Clock;

struct StageTotals {
    int64_t mathMs = 0;
    int64_t blendMs = 0;
    int64_t bltMs = 0;
    // Frames made, and of those not sent to a display that shows one per refresh.
    int64_t frames = 0;
    int64_t framesSkipped = 0;
};

// "fps: 57.32  F: 500  T: 00:00:00:10  12/08/2026 14:05" for frames in seconds, ended at now.
std::string FrameRateText(int64_t frames, double seconds, std::time_t now);

// What the log records of a display run.
struct RunDescription {
    std::string version; // "3.2.1000"
    int32_t colourDepth = 32;
    int32_t width = 0, height = 0, pitch = 0;
    int32_t blendMul = 0;
    int32_t frameDelayMs = 0;
    int32_t stars = 0;
    std::string programName;
};

// The report of one run, each line ended by CR LF.
std::string PerformanceReport(const RunDescription &run, const std::string &statsText, const StageTotals &totals);


// "OrvexPerf.log" in the current folder, or beside the settings file when the current
// folder cannot be written.
std::filesystem::path PerformanceLogPath(const std::filesystem::path &settingsFile);

class FrameStats {
public:
    explicit FrameStats(Clock &clock) : clock_(clock) {}

    // A display run starts: every counter back to 0; threshold <= 0 measures nothing.
    void Start(int32_t threshold);

    void FrameStart();    // before the blend
    void BlendDone();     // after the message
    // After the blit: counts the frame, given the run's count of frames skipped so far.
    void FrameShown(int64_t framesSkipped = 0);

    const std::string &StatsText() const { return statsText_; }
    const StageTotals &Totals() const { return totals_; }
    bool Measuring() const { return threshold_ > 0; }

private:
    int64_t Since(uint32_t mark) const;

    Clock &clock_;
    int32_t threshold_ = 0;
    StageTotals totals_;
    uint32_t mark_ = 0;
    uint32_t frameEndMark_ = 0;
    uint32_t periodStart_ = 0; // 0: no period started
    int64_t periodMs_ = 0;
    int32_t periodFrame_ = 0;
    int64_t periods_ = 0;
    std::string statsText_;
};

} // namespace orvex
