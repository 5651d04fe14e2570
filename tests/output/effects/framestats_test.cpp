// SPDX-License-Identifier: MIT
#include "clock.h"
#include "frameratemeter.h"
#include "framestats.h"
#include "performanceprompts.h"
#include "settingsstore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>

#include <unistd.h>

namespace orvex {
namespace {

TEST(FrameStats, AveragesEveryCompletedPeriodAndMeasuresNothingWithoutAThreshold)
{
    SyntheticClock clock;
    FrameStats stats(clock);
    const auto runFrames = [&](int frames) {
        for (int i = 0; i < frames; ++i) {
            stats.FrameStart();
            clock.Sleep(4);
            stats.BlendDone();
            clock.Sleep(2);
            stats.FrameShown();
            clock.Sleep(14); // the engine and the run loop: 50 frames a second in all
        }
    };
    stats.Start(0);
    runFrames(300);
    EXPECT_EQ(stats.StatsText(), "");
    EXPECT_EQ(stats.Totals().blendMs, 0);

    stats.Start(100);
    runFrames(99);
    EXPECT_EQ(stats.StatsText(), "") << "no period completed yet";
    runFrames(401);
    // The first period starts at the end of its first frame: a hair over 50 frames a second.
    EXPECT_TRUE(std::regex_match(stats.StatsText(), std::regex(R"(fps: 50\.\d\d  F: 500  T: 00:00:00:10  \d\d/\d\d/\d{4} \d\d:\d\d)")))
        << stats.StatsText();
    EXPECT_EQ(stats.Totals().blendMs, 4 * 500);
    EXPECT_EQ(stats.Totals().bltMs, 2 * 500);
    EXPECT_EQ(stats.Totals().mathMs, 14 * 499);
}

TEST(PerformanceReport, LaysOutTheRunAndTheShareOfEachStage)
{
    RunDescription run;
    run.version = "3.2.7";
    run.width = 1024;
    run.height = 768;
    run.pitch = 1024;
    run.blendMul = 97;
    run.frameDelayMs = 10;
    run.stars = 50000;
    run.programName = "orvex-lumora";
    const std::string report = PerformanceReport(run, "fps: 57.32", {60000, 20000, 10000});
    const std::string expected = std::string(120, '-') + "\r\n"
        "Orvex Lumora 3.2  3.2.7  32-bpp   Screen: 1024*768   Pitch: 1024   Blend: 97   Delay: 10   Pixels: 50000\r\n"
        "orvex-lumora\r\n"
        "fps: 57.32\r\n"
        "   Math     :       60    66.67 %\r\n"
        "   Blending :       20    22.22 %\r\n"
        "   Blt/Flip :       10    11.11 %\r\n"
        "   Total    :       90   100.00 %\r\n";
    EXPECT_EQ(report, expected);
    // Under a second of measured time there is nothing to divide by.
    EXPECT_NE(PerformanceReport(run, "x", {300, 200, 100}).find("   Math     :        0     0.00 %"), std::string::npos);
    EXPECT_EQ(FrameRateText(1, 2.0, 0).substr(0, 9), "fps: .50 ");
}

TEST(FrameRateMeter, ReportsRateFrameTimeAndCpuLoadOnceASecond)
{
    SyntheticClock clock;
    int64_t cpuMicroseconds = 0;
    std::vector<std::string> log;
    FrameRateMeter meter(clock, [&](const std::string &line) { log.push_back(line); }, [&] { return cpuMicroseconds; });
    meter.FrameShown();
    for (int frame = 1; frame <= 50; ++frame) {
        clock.Sleep(20);
        cpuMicroseconds += 5000;
        meter.FrameShown();
        if (frame == 49) {
            EXPECT_EQ(meter.Text(), "") << "nothing before the first second";
        }
    }
    EXPECT_EQ(meter.Text(), "50.0 fps  20.0 ms  CPU 25%");
    EXPECT_EQ(log, std::vector<std::string>{meter.Text()});

    // A display that shows one frame a refresh: the second's frames presented, counting
    // only the skips made within it (the run's count goes on from second to second).
    for (int frame = 1; frame <= 50; ++frame) {
        clock.Sleep(20);
        meter.FrameShown(frame / 3);
    }
    EXPECT_EQ(meter.Text(), "50.0 fps  20.0 ms  CPU 0%  34.0 presented");
    for (int frame = 1; frame <= 50; ++frame) {
        clock.Sleep(20);
        meter.FrameShown(16 + frame / 2);
    }
    EXPECT_EQ(meter.Text(), "50.0 fps  20.0 ms  CPU 0%  25.0 presented");
}

TEST(PerformancePrompts, AnswersSwitchTheLogAndTheDisplayTogether)
{
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("orvex-prompts-" + std::to_string(::getpid()));
    SettingsStore store(dir / "Lumora.reg");
    ApplyFrameRateAnswer(store, "1");
    EXPECT_EQ(FrameRateDefaultAnswer(store), "1");
    EXPECT_EQ(LoggingDefaultAnswer(store), "100");
    ApplyLoggingAnswer(store, "  ");
    EXPECT_EQ(LoggingDefaultAnswer(store), "100") << "a blank answer changes nothing";
    ApplyFrameRateAnswer(store, "2");
    EXPECT_EQ(FrameRateDefaultAnswer(store), "0");
    EXPECT_EQ(LoggingDefaultAnswer(store), "100");
    ApplyFrameRateAnswer(store, "1");
    ApplyLoggingAnswer(store, "0");
    EXPECT_EQ(FrameRateDefaultAnswer(store), "0") << "no log, no display";
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace orvex
