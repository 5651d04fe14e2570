// SPDX-License-Identifier: MIT
#include "windowplacement.h"

#include "tempconfig.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

TEST(WindowPlacementTest, SizeTextIsTwentyDigitsOfTwips)
{
    struct Case {
        WindowRect rect;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {{80, 60, 480, 360}, "01200009000720005400"},
        {{-10, -1, 1, 0}, "00000000000001500000"},
        {{7000, 0, 6666, 6667}, "99999000009999099999"},
        {{0, 0, -5, 2147483647}, "00000000000000099999"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(WindowSizeText({c.rect, false, false}), c.expected);
    EXPECT_EQ(WindowSizeText({{1, 2, 3, 4}, true, false}), "00015000300004500060");
    EXPECT_EQ(WindowSizeText({{1, 2, 3, 4}, false, true}), std::nullopt);
    EXPECT_EQ(WindowStateText({{}, true, false}), "2");
    EXPECT_EQ(WindowStateText({{}, false, true}), "0");
}

TEST(WindowPlacementTest, ParsesTheStoredTexts)
{
    struct Case {
        int32_t state;
        std::string size;
        WindowPlacement expected;
    };
    const std::vector<Case> cases = {
        {-1, "01200009000720005400", {true, false, std::nullopt}},
        {2, "01200009000720005400", {false, true, std::nullopt}},
        {0, "01200009000720005400", {false, false, WindowRect{80, 60, 480, 360}}},
        {0, "  01200009000720005400  ", {false, false, WindowRect{80, 60, 480, 360}}},
        {0, "", {false, false, std::nullopt}},
        {0, "0120000900", {false, false, WindowRect{80, 60, 0, 0}}},
        {0, "12abc-0015x0007", {false, false, WindowRect{1, 0, 0, 0}}},
        {1, "00015000300004500060", {false, false, WindowRect{1, 2, 3, 4}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(ParseWindowPlacement(c.state, c.size), c.expected) << c.state << " \"" << c.size << '"';
}

TEST(WindowPlacementTest, SavedPlacementRestores)
{
    test::TempConfig config;
    SettingsStore store;
    EXPECT_TRUE(RestoreWindowPlacement(store, "General\\Main").centre);

    SaveWindowPlacement(store, "General\\Main", {{100, 50, 640, 480}, false, false});
    EXPECT_EQ(RestoreWindowPlacement(store, "General\\Main"),
              (WindowPlacement{false, false, WindowRect{100, 50, 640, 480}}));

    SaveWindowPlacement(store, "General\\Main", {{300, 300, 10, 10}, false, true});
    EXPECT_EQ(store.ReadSettingText("General\\Main", "WindowSize"), "01500007500960007200")
        << "a minimised window keeps the old size";

    SaveWindowPlacement(store, "General\\Main", {{20, 30, 640, 480}, true, false});
    EXPECT_EQ(RestoreWindowPlacement(store, "General\\Main"), (WindowPlacement{false, true, std::nullopt}));
    EXPECT_EQ(store.ReadSettingText("General\\Main", "WindowSize"), "00300004500960007200");
    EXPECT_TRUE(RestoreWindowPlacement(store, "General\\Video").centre);
}

TEST(WindowPlacementTest, CentresOnTheScreen)
{
    EXPECT_EQ(CenterWindow({5, 5, 400, 300}, 1920, 1080), (WindowRect{760, 390, 400, 300}));
    EXPECT_EQ(CenterWindow({0, 0, 401, 301}, 1920, 1080), (WindowRect{760, 390, 401, 301}));
    EXPECT_EQ(CenterWindow({0, 0, 2000, 1000}, 1920, 1080), (WindowRect{-40, 40, 2000, 1000}));
}

} // namespace
} // namespace orvex
