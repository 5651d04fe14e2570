// SPDX-License-Identifier: MIT
#include "snapshot.h"

#include <QImage>
#include <gtest/gtest.h>

#include "filesizelimit.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

namespace orvex {
namespace {

namespace fs = std::filesystem;

class SnapshotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("orvex-snapshot-" + std::to_string(::getpid()));
        fs::create_directories(dir / "config");
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        ::unsetenv("ORVEX_SEED");
    }
    void TearDown() override { fs::remove_all(dir); }

    QImage Render(int theme, int frames, uint32_t seed = 7)
    {
        SnapshotOptions options;
        options.path = dir / ("theme" + std::to_string(theme) + ".png");
        options.frames = frames;
        options.theme = theme;
        options.seed = seed;
        EXPECT_EQ(RunSnapshot(options), 0);
        return QImage(QString::fromStdString(options.path.string()));
    }

    void StoreSetting(const std::string &section, const std::string &line)
    {
        fs::create_directories(dir / "config" / "Orvex");
        std::ofstream(dir / "config" / "Orvex" / "Lumora.reg", std::ios::app)
            << "[SOFTWARE\\Orvex\\Lumora\\" << section << "]\n" << line << "\n";
    }

    fs::path dir;
};

double LitShare(const QImage &image)
{
    int lit = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            lit += (image.pixel(x, y) & 0xFFFFFF) != 0;
    return double(lit) / (image.width() * image.height());
}

// Mean row of the lit pixels, weighted by brightness.
double BrightnessCentreRow(const QImage &image)
{
    double sum = 0, weight = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            const double b = qRed(p) + qGreen(p) + qBlue(p);
            sum += b * y;
            weight += b;
        }
    return weight > 0 ? sum / weight : -1;
}

TEST_F(SnapshotTest, EveryFactoryThemeDrawsAVisibleUnsaturatedPicture)
{
    for (int theme = 1; theme <= 24; ++theme) {
        const QImage image = Render(theme, 120);
        ASSERT_EQ(image.size(), QSize(320, 240)) << "theme " << theme;
        // Small pictures are dense: some themes light nearly every pixel, but never to white.
        EXPECT_GT(LitShare(image), 0.05) << "theme " << theme << " is (nearly) black";
        int white = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                white += (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF;
        EXPECT_LT(white, image.width() * image.height() / 4) << "theme " << theme << " is saturated";
    }
}

TEST_F(SnapshotTest, SameSeedGivesTheSamePictureAndAnotherSeedAnother)
{
    const QImage a = Render(1, 40, 11);
    const QImage b = Render(1, 40, 11);
    const QImage c = Render(1, 40, 12);
    EXPECT_EQ(a, b);
    EXPECT_NE(a, c);
}

TEST_F(SnapshotTest, TrailsDriftWithTheVerticalOffset)
{
    StoreSetting("DirectX", "DX_VertOffset=9");
    const double down = BrightnessCentreRow(Render(1, 120));
    fs::remove(dir / "config" / "Orvex" / "Lumora.reg");
    StoreSetting("DirectX", "DX_VertOffset=-9");
    const double up = BrightnessCentreRow(Render(1, 120));
    fs::remove(dir / "config" / "Orvex" / "Lumora.reg");
    const double level = BrightnessCentreRow(Render(1, 120));
    EXPECT_GT(down, level + 5) << "trails drift down the screen";
    EXPECT_LT(up, level - 5) << "trails drift up the screen";
}

TEST_F(SnapshotTest, ThePictureHasExactlyTheAskedSize)
{
    // Frames are a multiple of 4 wide and at least 16x12: the picture is cut from the frame.
    for (const QSize size : {QSize(321, 240), QSize(10, 10), QSize(17, 13)}) {
        SnapshotOptions options;
        options.path = dir / "sized.png";
        options.frames = 3;
        options.width = size.width();
        options.height = size.height();
        options.seed = 1;
        ASSERT_EQ(RunSnapshot(options), 0);
        EXPECT_EQ(QImage(QString::fromStdString(options.path.string())).size(), size);
    }
}

std::string FileBytes(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST_F(SnapshotTest, AFailedWriteIsReportedAndKeepsTheOldPicture)
{
    SnapshotOptions options;
    options.frames = 20;
    options.seed = 1;
    options.theme = 1;
    options.path = dir / "missing-folder" / "x.png";
    EXPECT_EQ(RunSnapshot(options), 1);

    options.path = dir / "kept.png";
    ASSERT_EQ(RunSnapshot(options), 0);
    const std::string old = FileBytes(options.path);
    options.theme = 2;
    {
        test::FileSizeLimit full(old.size() / 2);
        EXPECT_EQ(RunSnapshot(options), 1);
    }
    EXPECT_EQ(FileBytes(options.path), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 2) << "no temporary file beside the picture";

    // Never replaced by a regular file, even when the folder would allow it.
    if (fs::is_character_file("/dev/full")) {
        options.path = "/dev/full";
        EXPECT_EQ(RunSnapshot(options), 1);
        EXPECT_TRUE(fs::is_character_file("/dev/full"));
    }
}

TEST_F(SnapshotTest, AStopSignalEndsTheRenderWithoutAFile)
{
    SnapshotOptions options;
    options.path = dir / "stopped.png";
    options.frames = 10000000;
    options.seed = 1;
    std::thread stopper([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        ::kill(::getpid(), SIGTERM);
    });
    EXPECT_EQ(RunSnapshot(options), 1);
    stopper.join();
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), {}), 1) << "only the settings folder is left";
}

} // namespace
} // namespace orvex
