// SPDX-License-Identifier: MIT
#include "screencapture.h"

#include "clipboard.h"
#include "enginelibrary.h"
#include "filelock.h"
#include "filesizelimit.h"
#include "framepresenter.h"
#include "offscreentarget.h"
#include "settingsstore.h"
#include "wallpapersetter.h"

#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include <unistd.h>

#include <fstream>
#include <functional>

namespace orvex {
namespace {

namespace fs = std::filesystem;

class RecordingClipboard final : public Clipboard {
public:
    void SetImage(const uint32_t *pixels, int32_t width, int32_t height) override
    {
        images.emplace_back(pixels, pixels + ptrdiff_t(width) * height);
        sizes.emplace_back(width, height);
    }
    std::vector<std::vector<uint32_t>> images;
    std::vector<std::pair<int32_t, int32_t>> sizes;
};

class RecordingWallpaper final : public WallpaperSetter {
public:
    void SetWallpaper(const fs::path &picture) override { pictures.push_back(picture); }
    std::vector<fs::path> pictures;
};

fs::path MakeTempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "orvex-capture-XXXXXX").string();
    return ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
}

std::string Bytes(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class ScreenCaptureTest : public ::testing::Test {
protected:
    static constexpr int32_t kWidth = 20;
    static constexpr int32_t kHeight = 12;

    void SetUp() override
    {
        ASSERT_FALSE(dir.empty());
        // The rendering size, not the (larger) target the frame is shown in.
        presenter.BeginRun(ComputeFrameGeometry(kWidth, kHeight, 0), DisplayLayout{});
    }
    void TearDown() override
    {
        std::error_code ignored;
        fs::permissions(folder, fs::perms::owner_all, ignored);
        fs::remove_all(dir, ignored);
    }

    // A frame no other seed gives: every pixel differs from its neighbours and channels.
    void Paint(uint32_t seed)
    {
        for (int32_t i = 0; i < kWidth * kHeight; ++i)
            presenter.WorkBuffer()[i] = (seed * 0x9E3779B1u + uint32_t(i) * 0x01030507u) & 0x00FFFFFFu;
    }

    std::vector<uint32_t> ReadBack(const fs::path &file) const
    {
        const QImage image(QString::fromStdString(file.string()));
        EXPECT_EQ(image.size(), QSize(kWidth, kHeight)) << file;
        std::vector<uint32_t> pixels;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                pixels.push_back(image.pixel(x, y) & 0x00FFFFFFu);
        return pixels;
    }

    fs::path dir = MakeTempFolder();
    fs::path folder = dir / "not yet" / "there";
    SettingsStore store{dir / "Lumora.reg"};
    EngineLibrary engine{"libOrvexNoEngine.so", {}}; // never loaded: captures need no engine
    OffscreenTarget target{64, 48};
    FramePresenter presenter{engine, target};
    RecordingClipboard clipboard;
    RecordingWallpaper wallpaper;
    ScreenCapture capture{store, folder, clipboard, wallpaper};
};

TEST_F(ScreenCaptureTest, EveryCaptureIsTheFrameThroughTheFilterAtTheRenderingSize)
{
    struct Row {
        int32_t type;
        uint32_t mask;
        std::function<uint32_t(uint32_t)> shown;
    };
    const Row rows[] = {
        {0, 0x00FFFFFF, [](uint32_t p) { return p; }},
        {1, 0x0000FF00, [](uint32_t p) { return p & 0xFF00; }},          // green only
        {2, 0x00FFFFFF, [](uint32_t p) { return 0xFFFFFF - p; }},        // the negative
        {2, 0x00FF0000, [](uint32_t p) { return p ^ 0xFF0000; }},        // red inverted, not blue
        {7, 0x00FFFFFF, [](uint32_t p) { return p; }},                   // no such filter
    };
    uint32_t seed = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(::testing::Message() << "filter " << row.type << " mask " << std::hex << row.mask);
        presenter.SetFilter(row.type, row.mask);
        Paint(++seed);
        std::vector<uint32_t> expected(presenter.Work().begin(), presenter.Work().end());
        for (uint32_t &pixel : expected)
            pixel = row.shown(pixel);

        clipboard.images.clear();
        capture.CopyFrameToClipboard(presenter);
        ASSERT_EQ(clipboard.images.size(), 1u);
        EXPECT_EQ(clipboard.sizes[0], std::make_pair(kWidth, kHeight));
        EXPECT_EQ(clipboard.images[0], expected);
        const fs::path file = CaptureFileName(folder, 1);
        EXPECT_FALSE(fs::exists(file)) << "Space saves no file";

        ASSERT_TRUE(capture.SaveFrameToFile(presenter, false));
        EXPECT_EQ(ReadBack(file), expected);
        ASSERT_EQ(clipboard.images.size(), 2u) << "F copies the frame as well";
        EXPECT_EQ(clipboard.images[1], expected);
        EXPECT_TRUE(wallpaper.pictures.empty()) << "only D sets the wallpaper";
        fs::remove(file);
        store.WriteSetting("Advanced", "Adv_ImageBufferIndex", 0);
    }
    // A 24-bit file whose rows run bottom-up (a positive height).
    ASSERT_TRUE(capture.SaveFrameToFile(presenter, false));
    const std::string bytes = Bytes(CaptureFileName(folder, 1));
    ASSERT_EQ(bytes.size(), 54u + kWidth * kHeight * 3);
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(uint8_t(bytes[28]), 24);
    EXPECT_EQ(bytes.substr(22, 4), std::string({char(kHeight), 0, 0, 0}));
}

TEST_F(ScreenCaptureTest, FilesRotateThroughTheMaximumAndTheIndexIsKept)
{
    struct Row {
        const char *max;   // nullptr: not stored
        const char *index; // nullptr: not stored
        std::vector<int32_t> files;
        int32_t indexAfter;
    };
    const Row rows[] = {
        {"3", nullptr, {1, 2, 3, 1, 2}, 2},
        {"0", nullptr, {1, 1, 1}, 0},     // below 1 counts as 1
        {"-4", "5", {1, 1}, 0},
        {nullptr, "98", {99, 100, 1}, 1}, // 100 files by default
        {"3", "7", {2, 3, 1}, 1},         // a lowered maximum: no file beyond it
        {"3", "-2", {1, 2}, 2},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(::testing::Message() << "max " << (row.max ? row.max : "unset") << " index "
                                          << (row.index ? row.index : "unset"));
        fs::remove(store.File());
        if (row.max)
            store.WriteSetting("Advanced", "Adv_ImageBufferMax", row.max);
        if (row.index)
            store.WriteSetting("Advanced", "Adv_ImageBufferIndex", row.index);
        wallpaper.pictures.clear();
        std::vector<fs::path> expected;
        for (const int32_t number : row.files) {
            Paint(uint32_t(number));
            ASSERT_TRUE(capture.SaveFrameToFile(presenter, true));
            expected.push_back(CaptureFileName(folder, number));
            EXPECT_TRUE(std::ranges::equal(ReadBack(expected.back()), presenter.Work())) << "file " << number;
        }
        EXPECT_EQ(wallpaper.pictures, expected) << "D makes each saved file the wallpaper";
        EXPECT_EQ(store.ReadSettingLong("Advanced", "Adv_ImageBufferIndex", -1), row.indexAfter);
    }
    EXPECT_EQ(CaptureFileName("/pictures", 7), fs::path("/pictures/Orvex_Lumora_ScreenCapture_7.bmp"));
}

TEST_F(ScreenCaptureTest, TheRotationGoesOnWhenTheStoreDoesNotTakeTheIndex)
{
    const auto saveAndCheck = [&](ScreenCapture &into, int32_t number) {
        Paint(uint32_t(number));
        ASSERT_TRUE(into.SaveFrameToFile(presenter, false));
        EXPECT_TRUE(std::ranges::equal(ReadBack(CaptureFileName(folder, number)), presenter.Work())) << number;
    };
    // Settings that can never be written (their folder is a file, which binds root too).
    std::ofstream(dir / "a file") << "x";
    SettingsStore frozen(dir / "a file" / "Lumora.reg");
    ScreenCapture frozenCapture(frozen, folder, clipboard, wallpaper);
    for (const int32_t number : {1, 2, 3})
        saveAndCheck(frozenCapture, number);

    // Another writer holding the lock: no capture waits for it.
    {
        const FileLock held(store.File().string() + ".lock");
        const auto start = std::chrono::steady_clock::now();
        for (const int32_t number : {1, 2, 3})
            saveAndCheck(capture, number);
        EXPECT_LT(std::chrono::steady_clock::now() - start, kLockPatience);
    }
    // Once the store takes the index again it holds the run's position.
    saveAndCheck(capture, 4);
    EXPECT_EQ(store.ReadSettingLong("Advanced", "Adv_ImageBufferIndex", -1), 4);
}

TEST_F(ScreenCaptureTest, ALinkAtACaptureNameIsReplacedNotWrittenThrough)
{
    const fs::path precious = dir / "precious.txt";
    std::ofstream(precious) << "keep";
    fs::create_directories(folder);
    fs::create_symlink(precious, CaptureFileName(folder, 1));
    Paint(1);
    ASSERT_TRUE(capture.SaveFrameToFile(presenter, false));
    EXPECT_EQ(Bytes(precious), "keep");
    EXPECT_FALSE(fs::is_symlink(CaptureFileName(folder, 1)));
    EXPECT_TRUE(std::ranges::equal(ReadBack(CaptureFileName(folder, 1)), presenter.Work()));
}

TEST_F(ScreenCaptureTest, AFailedWriteKeepsTheEarlierFileAndReportsFalse)
{
    store.WriteSetting("Advanced", "Adv_ImageBufferMax", 1);
    Paint(1);
    ASSERT_TRUE(capture.SaveFrameToFile(presenter, false));
    const fs::path file = CaptureFileName(folder, 1);
    const std::string earlier = Bytes(file);
    Paint(2);
    {
        test::FileSizeLimit full(earlier.size() / 2);
        EXPECT_FALSE(capture.SaveFrameToFile(presenter, true));
    }
    EXPECT_EQ(Bytes(file), earlier);
    EXPECT_TRUE(wallpaper.pictures.empty()) << "a file not written never becomes the wallpaper";
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1) << "no temporary file left beside it";

    // Permissions bind everyone but root.
    if (::geteuid() != 0) {
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_FALSE(capture.SaveFrameToFile(presenter, false));
        EXPECT_EQ(Bytes(file), earlier);
    }
}

} // namespace
} // namespace orvex
