// SPDX-License-Identifier: MIT
#include "startup.h"

#include "settingsstore.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

namespace orvex {
namespace {

class StartupTest : public testing::Test {
protected:
    void SetUp() override { std::filesystem::remove_all(dir_); }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // One folder per process: ctest runs the cases of this suite side by side.
    const std::filesystem::path dir_ =
        std::filesystem::path(testing::TempDir()) / ("startup_store-" + std::to_string(::getpid()));
    SettingsStore store_{dir_ / "Lumora.reg"};
};

TEST_F(StartupTest, MonitorsAreMeasuredFromThePrimarysCorner)
{
    // Primary second in Qt's list, at (1920, 0); one monitor left of it, one right and lower.
    const std::vector<PixelRect> screens = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}, {3200, 200, 1024, 768}};
    const MonitorList list = BuildMonitorList(screens, 1);
    ASSERT_EQ(list.secondary.size(), 2u);
    EXPECT_EQ(list.secondary[0].x, -1920);
    EXPECT_EQ(list.secondary[1].x, 1280);
    EXPECT_EQ(list.secondary[1].y, 200);
    EXPECT_EQ(list.maxRight, 2304);
    EXPECT_EQ(list.maxBottom, 1080);
}

TEST_F(StartupTest, FirstRunStoresTheScreenSizeOnce)
{
    StartupContext context(1);
    context.stopRequested = true;
    PrepareStartup(context, store_, {{0, 0, 1366, 768}}, 0);
    EXPECT_FALSE(context.stopRequested);
    EXPECT_EQ(context.screenWidthPx, 1366);
    EXPECT_EQ(context.resolutions.back(), (Resolution{1366, 768}));
    EXPECT_EQ(store_.ReadSettingLong("DirectX", "DX_WinWidth", 0), 1366);
    EXPECT_EQ(store_.ReadSettingLong("DirectX", "DX_WinHeight", 0), 768);

    store_.WriteSetting("DirectX", "DX_WinWidth", 800);
    store_.WriteSetting("DirectX", "DX_WinHeight", 600);
    StartupContext again(1);
    PrepareStartup(again, store_, {{0, 0, 1920, 1080}}, 0);
    EXPECT_EQ(store_.ReadSettingLong("DirectX", "DX_WinWidth", 0), 800);
    EXPECT_EQ(store_.ReadSettingLong("DirectX", "DX_WinHeight", 0), 600);
}

TEST_F(StartupTest, SaverSpansMonitorsUnlessPrimaryOnly)
{
    const std::vector<PixelRect> twoSideBySide = {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};
    struct Row {
        int32_t mode;
        std::vector<PixelRect> screens;
        bool primaryOnly;
        int32_t width;
        int32_t height;
    };
    for (const Row &row : {Row{0, twoSideBySide, false, 3200, 1080}, Row{1, twoSideBySide, false, 3200, 1080},
                           Row{2, twoSideBySide, true, 1920, 1080}, Row{0, {{0, 0, 1920, 1080}}, true, 1920, 1080}}) {
        store_.WriteSetting("Advanced", "Adv_MultiMonitor", row.mode);
        StartupContext context(1);
        PrepareStartup(context, store_, row.screens, 0);
        const SaverPlacement placement = PlaceSaverWindow(context);
        EXPECT_EQ(placement.primaryOnly, row.primaryOnly) << row.mode;
        EXPECT_EQ(placement.rect.width, row.width) << row.mode;
        EXPECT_EQ(placement.rect.height, row.height) << row.mode;
    }
}

} // namespace
} // namespace orvex
