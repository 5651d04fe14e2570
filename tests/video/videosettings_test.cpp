// SPDX-License-Identifier: MIT
// The video window's numbers, its stored settings and compression choice, and its status line.
#include "settingsstore.h"
#include "videocodecs.h"
#include "videocompression.h"
#include "videoprogress.h"
#include "videosettings.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace orvex {
namespace {

namespace fs = std::filesystem;

TEST(VideoNumbers, LengthsAndFrameSidesAreBroughtWithinTheirRanges)
{
    struct Length {
        int32_t unit, length, rate, frames;
    };
    for (const Length &c : {Length{kLengthSeconds, 10, 24, 240}, Length{kLengthMinutes, 90, 30, 108000},
                            Length{kLengthFrames, 0, 24, 1}, Length{kLengthMinutes, 2000000, 30, 108000},
                            Length{kLengthFrames, 500, 7, 500}})
        EXPECT_EQ(CalcFrames(c.unit, c.length, c.rate), c.frames) << c.unit << " " << c.length;
    EXPECT_EQ(VideoFrameWidth(330), 332);
    EXPECT_EQ(VideoFrameWidth(10), 32);
    EXPECT_EQ(VideoFrameWidth(5000), 1920);
    EXPECT_EQ(VideoFrameHeight(2000), 1080);
    EXPECT_EQ(VideoFrameHeight(2), 32);
    EXPECT_EQ(VideoFrameRate(0), 1);
    EXPECT_EQ(VideoFrameRate(60), 30);
}

TEST(VideoStatus, ShowsThePositionInTheVideoAndTheRealTimeLeft)
{
    EXPECT_EQ(FrameStatusText({48, 240, 24, 4000}), "Frame: 48  Time (min:sec): 0 : 02\nEst. Time Left: 00:00:16");
    // 1 min 2.5 s into the video; after 6667 s for half of it, as long again to go.
    EXPECT_EQ(FrameStatusText({1500, 3000, 24, 6666667}),
              "Frame: 1500  Time (min:sec): 1 : 02\nEst. Time Left: 01:51:07");
}

class VideoStoreTest : public ::testing::Test {
protected:
    ~VideoStoreTest() override { fs::remove_all(dir); }

    fs::path dir = fs::temp_directory_path() / ("orvex-videostore-" + std::to_string(::getpid()));
    SettingsStore store{dir / "Lumora.reg"};
};

TEST_F(VideoStoreTest, SettingsLoadWithinRangeAndDefaultsKeepTheFileAndCycling)
{
    const VideoSettings fresh = LoadVideoSettings(store, "/videos");
    EXPECT_EQ(fresh.file, "/videos/Orvex_Lumora_Video.AVI");
    EXPECT_EQ(fresh.directory, "/videos");
    EXPECT_EQ(fresh, WithDefaultNumbers(fresh));

    for (const auto &[key, value] : {std::pair("FrameTimeQty", 7), {"FrameTotal", 0}, {"FrameRate", 99},
                                     {"ImageWidth", 5}, {"BlackFramesEnd", 5000}, {"CycleThemes", 1}})
        store.WriteSetting("Video", key, value);
    ASSERT_TRUE(SaveVideoFile(store, "/elsewhere/clip.mkv"));
    VideoSettings loaded = LoadVideoSettings(store, "/videos");
    EXPECT_EQ(loaded.lengthUnit, kLengthMinutes);
    EXPECT_EQ(loaded.length, 1);
    EXPECT_EQ(loaded.rate, 30);
    EXPECT_EQ(loaded.width, 32);
    EXPECT_EQ(loaded.blackEnd, 999);
    EXPECT_EQ(loaded.directory, "/elsewhere");
    EXPECT_EQ(loaded.file, "/elsewhere/clip.mkv");

    const VideoSettings restored = WithDefaultNumbers(loaded);
    EXPECT_EQ(restored.length, 360);
    EXPECT_EQ(restored.width, 320);
    EXPECT_EQ(restored.cycleThemes, 1);
    EXPECT_EQ(restored.file, loaded.file);
    loaded.length = 42;
    ASSERT_TRUE(SaveVideoSettings(store, loaded));
    EXPECT_EQ(LoadVideoSettings(store, "/videos"), loaded);
}

TEST_F(VideoStoreTest, TheCompressionIsKeptByCodecCodeAndRestoreClearsAllElevenKeys)
{
    EXPECT_EQ(LoadVideoCompression(store), VideoCompression{}) << "nothing chosen yet";
    const VideoCompression chosen{FindVideoCodec("mpeg4")->fourcc, 40, 12};
    ASSERT_TRUE(StoreVideoCompression(store, chosen));
    EXPECT_EQ(LoadVideoCompression(store), chosen);
    EXPECT_EQ(store.ReadSettingText("Video", "DefaultParms_fccHandler"), "877677894") << "'FMP4' as a number";
    EXPECT_EQ(store.ReadSettingText("Video", "DefaultParms_dwQuality"), "4000");
    for (const char *address : {"DefaultParms_lpFormat", "DefaultParms_lpParms"})
        EXPECT_EQ(store.ReadSettingText("Video", address), "0") << "no address is kept";

    ASSERT_TRUE(ClearVideoCompression(store));
    for (const char *key : {"DefaultParms_fccType", "DefaultParms_fccHandler", "DefaultParms_dwKeyFrameEvery",
                            "DefaultParms_dwQuality", "DefaultParms_dwBytesPerSecond", "DefaultParms_dwFlags",
                            "DefaultParms_lpFormat", "DefaultParms_cbFormat", "DefaultParms_lpParms",
                            "DefaultParms_cbParms", "DefaultParms_dwInterleaveEvery"})
        EXPECT_EQ(store.ReadSettingText("Video", key, "unset"), "0") << key;
    EXPECT_EQ(LoadVideoCompression(store), VideoCompression{});
}

} // namespace
} // namespace orvex
