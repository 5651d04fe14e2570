// SPDX-License-Identifier: MIT
#include "programrandomtable.h"
#include "themelist.h"

#include <gtest/gtest.h>

#include <set>

namespace orvex {
namespace {

std::vector<int32_t> ThemeNumbersInOrder(ThemeList &list, ProgramRandomTable &random, int count)
{
    std::vector<int32_t> themes;
    for (int i = 0; i < count; ++i) {
        themes.push_back(list.CurrentEntry() + 1);
        list.Advance(random);
    }
    return themes;
}

TEST(ThemeList, DefaultFlagsRunTheFactoryThemesInOrderSkippingThree)
{
    ProgramRandomTable random(1);
    ThemeList list;
    ThemeListSettings settings;
    settings.cycleStyle = 0;
    EXPECT_EQ(list.Build(settings, random), std::nullopt);
    const std::vector<int32_t> expected = {1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 13, 14, 15, 16, 17, 18, 19, 20, 22, 23, 24, 1};
    EXPECT_EQ(ThemeNumbersInOrder(list, random, 22), expected);
}

TEST(ThemeList, IncrementalStyleStartsFromTheStoredIndexAndReturnsTheNext)
{
    ProgramRandomTable random(1);
    ThemeListSettings settings; // default flags: 21 candidates
    settings.cycleStyle = 1;
    settings.cycleStyleIndex = 5;
    ThemeList list;
    EXPECT_EQ(list.Build(settings, random), 6);
    EXPECT_EQ(list.Position(), 5);

    settings.cycleStyleIndex = 25;
    ThemeList wrapped;
    EXPECT_EQ(wrapped.Build(settings, random), 5) << "stored as position + 1, reduced only on the next run";
    EXPECT_EQ(wrapped.Position(), 4);

    settings.cycleStyleIndex = -3;
    ThemeList negative;
    negative.Build(settings, random);
    EXPECT_GE(negative.Position(), 0) << "a damaged negative index still lands inside the list";
}

TEST(ThemeList, TemplatesFollowTheFactoryThemesAndNoCandidatesMeansThemeOne)
{
    ProgramRandomTable random(1);
    ThemeListSettings settings;
    settings.themeFlags = 0;
    settings.templateFileCount = 2;
    settings.templateDirectory = "/home/user/themes";
    settings.cycleStyle = 0;
    ThemeList list;
    list.Build(settings, random);
    EXPECT_EQ(list.Entries(), (std::vector<int32_t>{24, 25}));
    EXPECT_EQ(list.Folder(), "/home/user/themes/");
    list.Advance(random);
    list.Advance(random);
    EXPECT_EQ(list.CurrentEntry(), 24) << "two templates alternate";

    settings.templateFileCount = 0;
    settings.themeFlags = -5;
    settings.templateDirectory = "C:\\Themes\\";
    ThemeList empty;
    empty.Build(settings, random);
    EXPECT_EQ(empty.Entries(), std::vector<int32_t>{0});
    EXPECT_EQ(empty.Folder(), "C:\\Themes\\") << "a stored backslash ending is kept";

    settings.templateFileCount = 2000000000;
    ThemeList huge;
    huge.Build(settings, random);
    EXPECT_LE(huge.Entries().size(), 10001u) << "a damaged count cannot exhaust memory";
}

TEST(ThemeList, RandomStyleStaysInRangeAndMayRepeat)
{
    ProgramRandomTable random(3);
    ThemeListSettings settings;
    settings.cycleStyle = 2;
    settings.themeFlags = 0b111;
    ThemeList list;
    list.Build(settings, random);
    std::set<int32_t> seen;
    bool repeated = false;
    int32_t previous = -1;
    for (int i = 0; i < 300; ++i) {
        ASSERT_GE(list.Position(), 0);
        ASSERT_LT(list.Position(), 3);
        repeated = repeated || list.CurrentEntry() == previous;
        previous = list.CurrentEntry();
        seen.insert(previous);
        list.Advance(random);
    }
    EXPECT_EQ(seen.size(), 3u);
    EXPECT_TRUE(repeated);
}

} // namespace
} // namespace orvex
