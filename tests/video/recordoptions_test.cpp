// SPDX-License-Identifier: MIT
#include "commandline.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

TEST(RecordOptionsTest, ReadsEveryOptionAndKeepsTheSaversFpsSwitch)
{
    CommandLine line = CommandLine::Parse({"--record", "out.mkv", "--frames", "600", "--size", "1280x720",
                                           "--theme", "3", "--fps", "30", "--codec", "h264", "--seed", "9"});
    ASSERT_EQ(line.mode, ProgramMode::Record) << line.error;
    EXPECT_EQ(line.record.path, "out.mkv");
    EXPECT_EQ(line.record.frames, 600);
    EXPECT_EQ(line.record.width, 1280);
    EXPECT_EQ(line.record.height, 720);
    EXPECT_EQ(line.record.theme, 3);
    EXPECT_EQ(line.record.rate, 30);
    EXPECT_EQ(line.record.codec, "h264");
    EXPECT_EQ(line.record.seed, 9u);

    line = CommandLine::Parse({"-record", "a.avi", "-frames", "1"});
    ASSERT_EQ(line.mode, ProgramMode::Record) << line.error;
    EXPECT_EQ(line.record.rate, 24);
    EXPECT_EQ(line.record.codec, "") << "the container chooses";
    EXPECT_EQ(line.record.width, 320);

    line = CommandLine::Parse({"-root", "-fps"});
    EXPECT_EQ(line.mode, ProgramMode::RootSaver) << line.error;
    EXPECT_TRUE(line.showFrameRate);

    const std::vector<std::vector<std::string>> bad = {
        {"--record", "a.avi"},
        {"--record", "a.avi", "--frames", "5", "--fps"},
        {"--record", "a.avi", "--frames", "5", "--fps", "x"},
        {"--record", "a.avi", "--frames", "5", "--theme", "random"},
        {"--record", "a.avi", "--frames", "5", "--snapshot", "b.png"},
        {"--record", "a.avi", "--frames", "5", "--codec"},
        {"--snapshot", "b.png", "--frames", "5", "--codec", "ffv1"},
        {"-root", "--fps", "30"},
    };
    for (const auto &args : bad)
        EXPECT_EQ(CommandLine::Parse(args).mode, ProgramMode::UsageError) << testing::PrintToString(args);
}

} // namespace
} // namespace orvex
