// SPDX-License-Identifier: MIT
#include "saverinput.h"

#include "settingsstore.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orvex {
namespace {

constexpr int kShiftKey = 16;
constexpr int kEscapeKey = 27;

TEST(SaverInputTest, CaptureKeysKeepTheRunOnlyWhileCapturesAreOn)
{
    const SaverInput off(false, false);
    const SaverInput on(false, true);
    struct Row {
        int key;
        InputAction whenOn;
    };
    for (const Row row : {Row{SaverInput::kSpaceKey, InputAction::CopyToClipboard},
                          Row{SaverInput::kDKey, InputAction::SaveToFileAsWallpaper},
                          Row{SaverInput::kFKey, InputAction::SaveToFile}, Row{kShiftKey, InputAction::Close},
                          Row{kEscapeKey, InputAction::Close}}) {
        EXPECT_EQ(off.KeyDown(row.key), InputAction::Close) << row.key;
        EXPECT_EQ(on.KeyDown(row.key), row.whenOn) << row.key;
    }
    for (const char32_t c : {U' ', U'D', U'd', U'F', U'f'}) {
        EXPECT_EQ(on.KeyPress(c), InputAction::None);
        EXPECT_EQ(off.KeyPress(c), InputAction::Close);
    }
    EXPECT_EQ(on.KeyPress(U'x'), InputAction::Close);
    EXPECT_EQ(on.KeyPress(U'é'), InputAction::Close);
    EXPECT_EQ(on.MouseButton(), InputAction::Close);
}

TEST(SaverInputTest, FourthLargeMoveEnds)
{
    SaverInput input(false, false);
    EXPECT_EQ(input.MouseMove(100, 0, 1000), InputAction::None);
    EXPECT_EQ(input.MouseMove(200, 0, 2000), InputAction::None);
    EXPECT_EQ(input.MouseMove(300, 0, 3000), InputAction::None);
    EXPECT_EQ(input.MouseMove(400, 0, 4000), InputAction::Close);
}

TEST(SaverInputTest, JitterWithinTheThresholdNeverCounts)
{
    SaverInput input(false, false);
    // The first event counts only when it is more than 75 pixels from the corner.
    EXPECT_EQ(input.MouseMove(45, 60, 10), InputAction::None); // exactly 75 away
    EXPECT_EQ(input.MoveCount(), 0);
    ASSERT_EQ(input.MouseMove(100, 100, 20), InputAction::None);
    for (uint32_t tick = 30; tick < 100000; tick += 7) {
        const float wobble = float(tick % 100) - 50.f; // within 75 of (100, 100) on each axis
        ASSERT_EQ(input.MouseMove(100 + wobble * 0.7f, 100 - wobble * 0.7f, tick), InputAction::None);
    }
    EXPECT_EQ(input.MoveCount(), 1);
}

TEST(SaverInputTest, AMoveMoreThanTenSecondsAfterTheFirstRestartsTheCount)
{
    SaverInput input(false, false);
    input.MouseMove(100, 0, 5000);
    input.MouseMove(200, 0, 6000);
    input.MouseMove(300, 0, 7000);
    // The fourth large move comes 11 s after the first: it starts a new count of its own.
    EXPECT_EQ(input.MouseMove(400, 0, 16000), InputAction::None);
    EXPECT_EQ(input.MoveCount(), 1);
    EXPECT_EQ(input.MouseMove(500, 0, 16100), InputAction::None);
    EXPECT_EQ(input.MouseMove(600, 0, 16200), InputAction::None);
    EXPECT_EQ(input.MouseMove(700, 0, 16300), InputAction::Close);
}

TEST(SaverInputTest, TheWindowSurvivesTheTickCounterWrapping)
{
    SaverInput input(false, false);
    input.MouseMove(100, 0, 0xFFFFF000u);
    input.MouseMove(200, 0, 0xFFFFF800u);
    // 4,352 ms after the first, across the wrap: still inside the 10 seconds.
    input.MouseMove(300, 0, 0x00000100u);
    EXPECT_EQ(input.MoveCount(), 3);
    EXPECT_EQ(input.MouseMove(400, 0, 0x00000200u), InputAction::Close);
}

TEST(SaverInputTest, IgnoredMouseMovesNeverEnd)
{
    SaverInput input(true, false);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(input.MouseMove(float(i % 2) * 500, 0, uint32_t(i) * 10), InputAction::None);
    EXPECT_EQ(input.MouseButton(), InputAction::Close);
}

TEST(SaverInputTest, RulesComeFromTheStoreOnlyForTheTextOne)
{
    const auto dir = std::filesystem::path(testing::TempDir()) / "saverinput_store";
    std::filesystem::remove_all(dir);
    SettingsStore store(dir / "Lumora.reg");
    EXPECT_EQ(SaverInput::FromSettings(store).KeyDown(SaverInput::kDKey), InputAction::Close);
    store.WriteSetting("Advanced", "Adv_ScreenCapt", "1");
    store.WriteSetting("Advanced", "Adv_MouseMove", "1.0");
    SaverInput input = SaverInput::FromSettings(store);
    EXPECT_EQ(input.KeyDown(SaverInput::kDKey), InputAction::SaveToFileAsWallpaper);
    input.MouseMove(100, 0, 1);
    EXPECT_EQ(input.MoveCount(), 1) << "\"1.0\" is not \"1\": mouse moves still count";
    std::filesystem::remove_all(dir);
}

} // namespace
} // namespace orvex
