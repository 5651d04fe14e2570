// SPDX-License-Identifier: MIT
#include "cometpaths.h"
#include "fakeclock.h"
#include "framepacer.h"
#include "programrandomtable.h"
#include "themebudget.h"

#include <gtest/gtest.h>

#include <sstream>

#include <cmath>

namespace orvex {
namespace {

TEST(ProgramRandomTable, SameSeedSameSequenceAndFeedbackStaysInRange)
{
    ProgramRandomTable a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < ProgramRandomTable::kSize; ++i) {
        ASSERT_EQ(a.Entry(i), b.Entry(i));
        ASSERT_GE(a.Entry(i), 0);
        ASSERT_LE(a.Entry(i), 32766);
        differs = differs || a.Entry(i) != c.Entry(i);
    }
    EXPECT_TRUE(differs);

    const int32_t e0 = a.Entry(0), e1 = a.Entry(1);
    EXPECT_DOUBLE_EQ(a.ProgramRandomUnit(), (e0 ^ e1) / 32768.0);
    EXPECT_EQ(a.Entry(0), e0 ^ e1) << "reader A feeds back into the table";
    EXPECT_EQ(a.ProgramRandomWord(), (e0 ^ e1) ^ e1) << "reader B has its own cursor over the changed table";
    for (int i = 0; i < 3 * ProgramRandomTable::kSize; ++i) {
        const double u = a.ProgramRandomUnit();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
    }
}

TEST(ProgramRandomTable, SeedOptionWinsOverTheEnvironmentAndABadSeedIsReported)
{
    std::ostringstream warnings;
    EXPECT_EQ(ResolveSeed(7u, "9", warnings), 7u);
    EXPECT_EQ(ResolveSeed(std::nullopt, " 9 ", warnings), 9u);
    EXPECT_EQ(ResolveSeed(std::nullopt, nullptr, warnings), std::nullopt);
    EXPECT_EQ(warnings.str(), "");
    EXPECT_EQ(ResolveSeed(std::nullopt, "abc", warnings), std::nullopt);
    EXPECT_NE(warnings.str().find("ORVEX_SEED=\"abc\""), std::string::npos) << warnings.str();
    EXPECT_EQ(ResolveSeed(std::nullopt, "-4", warnings), std::nullopt);
}

TEST(CometPaths, BSplineBlendsFourPointsWithWeightsSummingToOne)
{
    EXPECT_FLOAT_EQ(BSplinePoint(1, 1, 1, 1, 0.37), 1.0f);
    EXPECT_FLOAT_EQ(BSplinePoint(0, 6, 0, 0, 0), 4.0f);
    EXPECT_FLOAT_EQ(BSplinePoint(0, 0, 6, 0, 1), 4.0f);
    EXPECT_FLOAT_EQ(BSplinePoint(6, 0, 0, 0, 0), 1.0f);
}

TEST(CometPaths, WayPointsLieOnTheSphereAroundOneAndTheSplineStaysClosed)
{
    ProgramRandomTable random(5);
    for (int i = 0; i < 200; ++i) {
        const SpherePoint p = RandomSpherePoint(2.0, random);
        ASSERT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 2.0, 1e-9);
    }
    CometPaths paths;
    const int n = 6;
    paths.PathInit(n, 1.0f, random);
    for (int frame = 0; frame < 900; ++frame) {
        paths.PathStep(400, 0.025f, 1.0f, random);
        for (int k = 0; k < 3; ++k) {
            ASSERT_EQ(paths.PathX()[n + k], paths.PathX()[k]);
            ASSERT_EQ(paths.PathY()[n + k], paths.PathY()[k]);
            ASSERT_EQ(paths.PathZ()[n + k], paths.PathZ()[k]);
        }
        ASSERT_GE(paths.CometPhase(), 0.0f);
        ASSERT_LT(paths.CometPhase(), float(n));
        // A B-spline of way points within radius 1 of (0, 0, 1) stays inside that ball.
        ASSERT_LE(std::abs(paths.PathZ()[2] - 1.0f), 1.0f + 1e-5f);
    }
}

TEST(CometPaths, StepAdvancesTAndWrapsThePhaseOnce)
{
    ProgramRandomTable random(1);
    CometPaths paths;
    paths.PathInit(4, 1.0f, random);
    paths.PathStep(400, 3.5f, 1.0f, random);
    EXPECT_DOUBLE_EQ(paths.PathT(), 0.0025);
    EXPECT_FLOAT_EQ(paths.CometPhase(), 3.5f);
    paths.PathStep(400, 3.5f, 1.0f, random);
    EXPECT_FLOAT_EQ(paths.CometPhase(), 3.0f);

    CometPaths frozen;
    frozen.PathInit(4, 1.0f, random);
    const float x0 = frozen.PathX()[0];
    for (int i = 0; i < 10; ++i)
        frozen.PathStep(0, 0.1f, 1.0f, random);
    EXPECT_EQ(frozen.PathT(), 0.0);
    EXPECT_EQ(frozen.PathX()[0], x0) << "a step count of 0 freezes the control points";
    EXPECT_NEAR(frozen.CometPhase(), 1.0f, 1e-5f) << "the bias points keep moving";
}

TEST(ThemeBudget, FadesAlongARaisedCosineAndEndsAfterThreeHundredFrames)
{
    ThemeBudget budget(50);
    budget.StartTheme();
    int32_t stars = 50000;
    int frames = 0;
    std::vector<int32_t> seen;
    while (true) {
        ++frames;
        if (budget.ThemeFrameEnd(50000, stars))
            break;
        seen.push_back(stars);
        ASSERT_LT(frames, 1000);
    }
    EXPECT_EQ(frames, 50 + 300);
    EXPECT_EQ(stars, 0);
    EXPECT_EQ(seen[49], 50000) << "full strength until the budget is used";
    EXPECT_EQ(seen[50], 49999) << "fade frame 1";
    EXPECT_EQ(seen[50 + 149], 25000) << "fade frame 150";
    EXPECT_EQ(seen[50 + 298], 1) << "fade frame 299";
    EXPECT_EQ(budget.FadeCounter(), 0);

    ThemeBudget endless(0);
    for (int i = 0; i < 100000; ++i)
        ASSERT_FALSE(endless.ThemeFrameEnd(100, stars));
}

class FramePacerTest : public ::testing::Test {
protected:
    test::FakeClock clock;
    test::ScriptedPump pump;
    std::atomic<bool> stop = false;
    FramePacer pacer{clock, pump, stop};
};

TEST_F(FramePacerTest, SleepsTheRestOfTheFrameOnly)
{
    pacer.SetFrameDelay(10);
    struct Case {
        uint32_t took;
        std::vector<uint32_t> sleeps;
    } cases[] = {{4, {6}}, {10, {}}, {12, {}}, {0, {10}}};
    for (const Case &c : cases) {
        clock.sleeps.clear();
        pacer.StartFrame();
        clock.now += c.took;
        EXPECT_FALSE(pacer.FramePace());
        EXPECT_EQ(clock.sleeps, c.sleeps) << "frame took " << c.took;
    }
    pacer.SetFrameDelay(5000);
    clock.sleeps.clear();
    pacer.StartFrame();
    pacer.FramePace();
    EXPECT_TRUE(clock.sleeps.empty()) << "a rest of a second or more is never slept";
}

TEST_F(FramePacerTest, APauseOrAClockJumpNeverCausesALongSleep)
{
    pacer.SetFrameDelay(10);
    pacer.StartFrame();
    clock.now -= 3; // the tick went backwards: the absolute difference counts
    pacer.FramePace();
    EXPECT_EQ(clock.sleeps, std::vector<uint32_t>{7});
    clock.sleeps.clear();
    pacer.StartFrame();
    clock.now += 60000; // stopped for a minute
    pacer.FramePace();
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(FramePacerTest, StopRequestedDuringTheYieldEndsTheRunBeforeSleeping)
{
    pump.onDeliver = [&] { stop = true; };
    pacer.StartFrame();
    EXPECT_TRUE(pacer.FramePace());
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(pump.deliveries, 1);
}

TEST_F(FramePacerTest, HostWindowGoneStopsTheRun)
{
    bool hostAlive = true;
    pacer.WatchHostWindow([&] { return hostAlive; });
    pacer.StartFrame();
    EXPECT_FALSE(pacer.FramePace());
    hostAlive = false;
    pacer.StartFrame();
    EXPECT_TRUE(pacer.FramePace());
    EXPECT_TRUE(stop);
}

TEST_F(FramePacerTest, ADarkDisplayEndsTheSaverOrPausesAHostedOneAndIsAskedOnceASecond)
{
    int asked = 0;
    bool lit = false;
    pacer.SetFrameDelay(10);
    pacer.WatchDisplayPower([&] { return ++asked, lit; }, FramePacer::PowerOff::EndRun);
    for (int frame = 0; frame < 99; ++frame) {
        pacer.StartFrame();
        ASSERT_FALSE(pacer.FramePace()) << "frame " << frame;
    }
    EXPECT_EQ(asked, 0) << "not asked before a second has passed";
    pacer.StartFrame();
    EXPECT_TRUE(pacer.FramePace());
    EXPECT_TRUE(stop);
    EXPECT_EQ(asked, 1);

    stop = false;
    asked = 0;
    pacer.WatchDisplayPower([&] { return ++asked > 3 || lit; }, FramePacer::PowerOff::Pause);
    clock.now += 1000;
    clock.sleeps.clear();
    pacer.StartFrame();
    EXPECT_FALSE(pacer.FramePace()) << "drawing goes on once the display is back";
    // The frame's own rest, then a second at a time while the display is dark.
    EXPECT_EQ(clock.sleeps, (std::vector<uint32_t>{10, 1000, 1000}));
    EXPECT_EQ(asked, 4);
    EXPECT_GE(pump.deliveries, 3) << "still answering the window system";
}

TEST_F(FramePacerTest, WarmUpStretchesOnlyTheFirstSixFramesToTwentyMilliseconds)
{
    for (int frame = 1; frame <= 8; ++frame) {
        pacer.StartFrame();
        const uint32_t start = clock.now;
        pacer.PreviewWarmUp();
        if (frame <= 6)
            EXPECT_GE(clock.now - start, 20u) << "frame " << frame;
        else
            EXPECT_EQ(clock.now, start) << "frame " << frame;
    }
    EXPECT_GT(pump.deliveries, 0) << "events are delivered while waiting";
}

} // namespace
} // namespace orvex
