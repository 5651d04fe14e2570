// SPDX-License-Identifier: MIT
#include "commandline.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

struct SwitchCase {
    SwitchCase(std::vector<std::string> a, ProgramMode m, uint64_t parent = 0)
        : args(std::move(a)), mode(m), previewParent(parent) {}
    std::vector<std::string> args;
    ProgramMode mode;
    uint64_t previewParent;
};

class WindowsSwitchTest : public testing::TestWithParam<SwitchCase> {};

TEST_P(WindowsSwitchTest, DispatchesLikeTheHost)
{
    const SwitchCase &c = GetParam();
    const CommandLine line = CommandLine::Parse(c.args);
    EXPECT_EQ(line.mode, c.mode);
    EXPECT_EQ(line.previewParent, c.previewParent);
}

INSTANTIATE_TEST_SUITE_P(Switches, WindowsSwitchTest, testing::Values(
    SwitchCase{{}, ProgramMode::Properties},
    SwitchCase{{"   "}, ProgramMode::Properties},
    SwitchCase{{"/c:5678"}, ProgramMode::Properties},
    SwitchCase{{"/C"}, ProgramMode::Properties},
    SwitchCase{{"/s"}, ProgramMode::SaverSingleInstance},
    SwitchCase{{"/S"}, ProgramMode::SaverSingleInstance},
    SwitchCase{{"/s", "123"}, ProgramMode::SaverSingleInstance},
    SwitchCase{{"/Sxyz"}, ProgramMode::SaverSingleInstance},
    // A blank before the switch hides it: the saver starts without the single-instance test.
    SwitchCase{{" /s"}, ProgramMode::Saver},
    SwitchCase{{"/p", "1234"}, ProgramMode::HostPreview, 1234},
    SwitchCase{{"/P 1234"}, ProgramMode::HostPreview, 1234},
    SwitchCase{{"/p:1234"}, ProgramMode::HostPreview, 0},
    SwitchCase{{"/p"}, ProgramMode::HostPreview, 0},
    SwitchCase{{"/p", "12ab34"}, ProgramMode::HostPreview, 12},
    SwitchCase{{"/a", "42"}, ProgramMode::ChangePassword},
    SwitchCase{{"/x"}, ProgramMode::Saver},
    SwitchCase{{"hello"}, ProgramMode::Saver},
    SwitchCase{{"\"my theme.lmr\""}, ProgramMode::Saver}));

TEST(TemplateArgumentTest, AnyCaseOfTheExtensionLoadsTheTemplate)
{
    // Absolute paths begin like the switches "/S", "/P", "/A" and "/C".
    for (const std::string path : {"a.LMR", "dir/b.lmr", "c.Lmr", "/home/u/My Themes/d.lmr", "/srv/themes/blue.lmr",
                                   "/proc/self/cwd/My.lmr", "/afs/home/me/blue.lmr", "/cdrom/blue.LMR"}) {
        const CommandLine line = CommandLine::Parse({path});
        EXPECT_EQ(line.mode, ProgramMode::SaverWithTemplate) << path;
        EXPECT_EQ(line.templatePath, path);
    }
    // Split by the shell, the path comes back together.
    EXPECT_EQ(CommandLine::Parse({"My", "Themes.lmr"}).templatePath, "My Themes.lmr");
    EXPECT_EQ(CommandLine::Parse({"lmr"}).mode, ProgramMode::Saver);
}

TEST(LeadingNumberTest, HugeNumbersNameNoWindow)
{
    EXPECT_EQ(ReadLeadingNumber("\t 77 88"), 77u);
    EXPECT_EQ(ReadLeadingNumber("99999999999999999999999999"), 0x100000000u);
}

struct DashedCase {
    DashedCase(std::vector<std::string> a, ProgramMode m, uint64_t parent = 0, std::optional<uint32_t> s = {})
        : args(std::move(a)), mode(m), previewParent(parent), seed(s) {}
    std::vector<std::string> args;
    ProgramMode mode;
    uint64_t previewParent;
    std::optional<uint32_t> seed;
};

class DashedOptionTest : public testing::TestWithParam<DashedCase> {};

TEST_P(DashedOptionTest, ChoosesTheMode)
{
    const DashedCase &c = GetParam();
    const CommandLine line = CommandLine::Parse(c.args);
    EXPECT_EQ(line.mode, c.mode) << line.error;
    EXPECT_EQ(line.previewParent, c.previewParent);
    EXPECT_EQ(line.seed, c.seed);
}

INSTANTIATE_TEST_SUITE_P(Options, DashedOptionTest, testing::Values(
    DashedCase{{"-root"}, ProgramMode::RootSaver},
    DashedCase{{"--root"}, ProgramMode::RootSaver},
    DashedCase{{"-window-id", "1234"}, ProgramMode::HostPreview, 1234},
    DashedCase{{"--window-id", "0x2a00007"}, ProgramMode::HostPreview, 0x2a00007},
    DashedCase{{"-window-id", "0X1F"}, ProgramMode::HostPreview, 31},
    DashedCase{{"-window-id", "0"}, ProgramMode::HostPreview, 0},
    // The host's preview wins over -root, whichever comes first.
    DashedCase{{"-root", "-window-id", "7"}, ProgramMode::HostPreview, 7},
    DashedCase{{"-window-id", "7", "--root"}, ProgramMode::HostPreview, 7},
    DashedCase{{"-seed", "42"}, ProgramMode::Saver, 0, 42u},
    DashedCase{{"--root", "--seed", "4294967295"}, ProgramMode::RootSaver, 0, 4294967295u},
    DashedCase{{"-help"}, ProgramMode::Help},
    DashedCase{{"--help", "--bogus"}, ProgramMode::UsageError},
    DashedCase{{"--version"}, ProgramMode::Version},
    DashedCase{{"-bogus"}, ProgramMode::UsageError},
    DashedCase{{"-root", "/s"}, ProgramMode::UsageError},
    DashedCase{{"-window-id"}, ProgramMode::UsageError},
    DashedCase{{"-window-id", "0xZZ"}, ProgramMode::UsageError},
    DashedCase{{"-window-id", "-5"}, ProgramMode::UsageError},
    DashedCase{{"-seed", "4294967296"}, ProgramMode::UsageError},
    DashedCase{{"-seed", "12abc"}, ProgramMode::UsageError},
    DashedCase{{"--frames", "10"}, ProgramMode::UsageError},
    DashedCase{{"--seed=42"}, ProgramMode::Saver, 0, 42u},
    DashedCase{{"-window-id=0x2a", "--root"}, ProgramMode::HostPreview, 42},
    DashedCase{{"--root=yes"}, ProgramMode::UsageError},
    DashedCase{{"--add-to-xscreensaver"}, ProgramMode::AddToXScreenSaver},
    DashedCase{{"--add-to-xscreensaver", "-fps"}, ProgramMode::UsageError},
    DashedCase{{"/S", "--add-to-xscreensaver"}, ProgramMode::UsageError},
    DashedCase{{"-seed", "5", "/p", "1234"}, ProgramMode::HostPreview, 1234, 5u},
    DashedCase{{"/p", "1234", "--seed=5"}, ProgramMode::HostPreview, 1234, 5u},
    DashedCase{{"--snapshot", "a.png", "--frames", "1", "/c"}, ProgramMode::UsageError}));

TEST(HostSwitchTest, OptionsBeforeOrAfterTheSwitchReachItsMode)
{
    for (const std::vector<std::string> &args : {std::vector<std::string>{"-fps", "/S"}, {"/S", "-fps"}}) {
        const CommandLine line = CommandLine::Parse(args);
        EXPECT_EQ(line.mode, ProgramMode::SaverSingleInstance) << line.error;
        EXPECT_TRUE(line.showFrameRate) << testing::PrintToString(args);
    }
    CommandLine line = CommandLine::Parse({"-theme", "3", "/s", "123", "--stars=500"});
    EXPECT_EQ(line.mode, ProgramMode::SaverSingleInstance) << line.error;
    EXPECT_EQ(line.overrides, (RunOverrides{3, std::nullopt, 500}));
    line = CommandLine::Parse({"My", "--delay=5", "Themes.lmr"});
    EXPECT_EQ(line.mode, ProgramMode::SaverWithTemplate) << line.error;
    EXPECT_EQ(line.templatePath, "My Themes.lmr");
    EXPECT_EQ(line.overrides, (RunOverrides{std::nullopt, 5, std::nullopt}));
}

TEST(RunOverridesTest, ThemeDelayAndStarsReachTheSaverModes)
{
    CommandLine line = CommandLine::Parse({"--root", "-theme", "random", "--delay", "0", "-stars", "20000"});
    ASSERT_EQ(line.mode, ProgramMode::RootSaver) << line.error;
    EXPECT_EQ(line.overrides, (RunOverrides{RunOverrides::kRandomTheme, 0, 20000}));
    line = CommandLine::Parse({"-window-id", "7", "--theme", "0", "-stars", "0"});
    ASSERT_EQ(line.mode, ProgramMode::HostPreview) << line.error;
    EXPECT_EQ(line.overrides, (RunOverrides{0, std::nullopt, std::nullopt})) << "-stars 0 keeps each theme's own";
    EXPECT_EQ(CommandLine::Parse({"-root"}).overrides, RunOverrides{});
    EXPECT_EQ(CommandLine::Parse({"-root", "-stars", "10"}).overrides, (RunOverrides{std::nullopt, std::nullopt, 10}));

    const std::vector<std::vector<std::string>> bad = {
        {"-theme", "25"}, {"-theme", "-1"}, {"-theme", "any"}, {"-delay", "1000"}, {"-delay", "-1"},
        {"-stars", "100000"}, {"-stars", "1"}, {"-stars", "9"}, {"-stars"},
        {"--snapshot", "a.png", "--frames", "1", "--theme", "random"},
        {"--snapshot", "a.png", "--frames", "1", "-delay", "5"},
    };
    for (const auto &args : bad)
        EXPECT_EQ(CommandLine::Parse(args).mode, ProgramMode::UsageError) << testing::PrintToString(args);
}

TEST(SnapshotOptionsTest, ReadsEveryOptionAndDefaults)
{
    CommandLine line = CommandLine::Parse({"--snapshot", "out.png", "--frames", "120", "--size", "640x480",
                                           "--theme", "24", "--seed", "9"});
    ASSERT_EQ(line.mode, ProgramMode::Snapshot) << line.error;
    EXPECT_EQ(line.snapshot.path, "out.png");
    EXPECT_EQ(line.snapshot.frames, 120);
    EXPECT_EQ(line.snapshot.width, 640);
    EXPECT_EQ(line.snapshot.height, 480);
    EXPECT_EQ(line.snapshot.theme, 24);
    EXPECT_EQ(line.snapshot.seed, 9u);

    line = CommandLine::Parse({"-snapshot", "a.png", "-frames", "1"});
    ASSERT_EQ(line.mode, ProgramMode::Snapshot) << line.error;
    EXPECT_EQ(line.snapshot.width, 320);
    EXPECT_EQ(line.snapshot.height, 240);
    EXPECT_EQ(line.snapshot.theme, 0);
    EXPECT_FALSE(line.snapshot.seed.has_value());
}

TEST(SnapshotOptionsTest, RejectsMissingOrImpossibleValues)
{
    const std::vector<std::vector<std::string>> bad = {
        {"--snapshot", "a.png"},
        {"--snapshot", "a.png", "--frames", "0"},
        {"--snapshot", "a.png", "--frames", "5", "--size", "320"},
        {"--snapshot", "a.png", "--frames", "5", "--size", "0x240"},
        {"--snapshot", "a.png", "--frames", "5", "--size", "320x-2"},
        {"--snapshot", "a.png", "--frames", "5", "--size", "2147483647x2"},
        {"--snapshot", "a.png", "--frames", "5", "--theme", "25"},
        {"--snapshot", "a.png", "--frames", "5", "--theme", "-1"},
        {"--snapshot", "", "--frames", "5"},
    };
    for (const auto &args : bad) {
        const CommandLine line = CommandLine::Parse(args);
        EXPECT_EQ(line.mode, ProgramMode::UsageError) << args.back();
        EXPECT_FALSE(line.error.empty());
    }
}

} // namespace
} // namespace orvex
