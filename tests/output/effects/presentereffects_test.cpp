// SPDX-License-Identifier: MIT
// The colour filter, the desktop blend and the on-screen message on real frames.
#include "clock.h"
#include "enginelibrary.h"
#include "framepresenter.h"
#include "offscreentarget.h"
#include "onscreenmessage.h"
#include "recordingengine.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

constexpr int32_t kWidth = 64;
constexpr int32_t kHeight = 48;
constexpr size_t kMiddle = kHeight / 2 * kWidth + kWidth / 2;

class PresenterEffectsTest : public ::testing::Test {
protected:
    void Begin(RunMode mode)
    {
        DisplayLayout layout;
        layout.mode = mode;
        layout.screenWidth = kWidth;
        layout.screenHeight = kHeight;
        presenter.BeginRun(ComputeFrameGeometry(kWidth, kHeight, 0), layout);
    }
    // A few lit pixels so the blur has something to spread.
    void Light(FramePresenter &p)
    {
        for (int i = 0; i < 40; ++i)
            p.WorkBuffer()[(i * 37) % (kWidth * kHeight)] = 0x00C08040u + uint32_t(i);
    }

    EngineLibrary engine{"libOrvexM6.so", {test::kTestBinDir}};
    OffscreenTarget target{kWidth, kHeight};
    FramePresenter presenter{engine, target};
};

TEST_F(PresenterEffectsTest, AnXorFilterShowsTheNegativeAndLeavesNoResidue)
{
    OffscreenTarget plainTarget{kWidth, kHeight};
    FramePresenter plain{engine, plainTarget};
    plain.BeginRun(ComputeFrameGeometry(kWidth, kHeight, 0), {});
    Begin(RunMode::DialogPreview);
    Light(plain);
    Light(presenter);
    presenter.SetFilter(2, 0xFFFFFF); // a film negative
    for (int frame = 0; frame < 5; ++frame) {
        plain.PresentFrame(-1, -1);
        presenter.PresentFrame(-1, -1);
    }
    // The blend leaves the outermost columns and the last two rows alone.
    for (int32_t y = 1; y < kHeight - 2; ++y)
        for (int32_t x = 1; x < kWidth - 1; ++x) {
            const size_t i = size_t(y) * kWidth + x;
            ASSERT_EQ(target.Pixels()[i] ^ 0xFFFFFFu, plainTarget.Pixels()[i]) << x << ", " << y;
        }
    presenter.SetFilter(0, 0);
    plain.PresentFrame(-1, -1);
    presenter.PresentFrame(-1, -1);
    EXPECT_EQ(target.Pixels(), plainTarget.Pixels()) << "the filter never reached the work buffer";
}

TEST(DesktopLevel, FollowsThePercentOrTheOpeningFade)
{
    int32_t fade = 0;
    EXPECT_EQ(NextDesktopLevel({50, 0}, fade), 128);
    EXPECT_EQ(NextDesktopLevel({50, 0}, fade), 128);
    fade = 0;
    std::vector<int32_t> levels;
    for (int frame = 1; frame <= 103; ++frame)
        levels.push_back(NextDesktopLevel({0, 100}, fade));
    EXPECT_EQ(levels[0], 253) << "almost the full desktop on the first frame";
    EXPECT_EQ(levels[100], 0);
    EXPECT_EQ(levels[102], 0) << "the fade ends and stays ended";
    EXPECT_TRUE(std::is_sorted(levels.rbegin(), levels.rend()));
    EXPECT_EQ(ClosingDesktopLevel(40, 16, 16), 255) << "the desktop is back in full when the saver closes";
    EXPECT_LT(ClosingDesktopLevel(40, 1, 16), ClosingDesktopLevel(40, 2, 16));
}

TEST_F(PresenterEffectsTest, TheDesktopShowsUnderTheStarsOnlyWithAPictureOfTheFrame)
{
    Begin(RunMode::Saver);
    presenter.SetDesktop({50, 0});
    presenter.PresentFrame(-1, -1);
    EXPECT_EQ(target.Pixels()[0], 0u) << "no picture: the stars alone, and nothing fails";

    presenter.SetDesktopImage(std::vector<uint8_t>(size_t(kWidth) * kHeight * 3, 200));
    presenter.PresentFrame(-1, -1);
    EXPECT_EQ(target.Pixels()[kMiddle], 0x00646464u) << "a black sky over the desktop at 128/256";
    presenter.ExitFade(16, 5);
    EXPECT_EQ(target.Pixels()[kMiddle], 0x00C7C7C7u) << "the desktop returns in full (255/256)";

    Begin(RunMode::DialogPreview);
    presenter.PresentFrame(-1, -1);
    EXPECT_EQ(target.Pixels()[kMiddle], 0u) << "windows never show the desktop";
}

// Lights a block of columns 0..w-1, rows 0..h-1, as if it were the text.
class BlockRasteriser final : public TextRasteriser {
public:
    RenderedText Render(const std::string &text, const std::string &, int32_t) override
    {
        rendered.push_back(text);
        RenderedText block;
        block.width = w;
        for (int32_t y = 0; y < h; ++y)
            for (int32_t x = 0; x < w; ++x) {
                block.xs.push_back(x);
                block.ys.push_back(y);
            }
        return block;
    }
    int32_t w = 10, h = 4;
    std::vector<std::string> rendered;
};

TEST_F(PresenterEffectsTest, TheMessageIsStampedFromTheSecondSaverFrameAndNeverOutsideTheFrame)
{
    SyntheticClock clock;
    BlockRasteriser rasteriser;
    OnScreenMessage message(rasteriser, clock);
    MessageSettings settings;
    settings.text = "Hello";
    settings.topRow = 3;
    message.Start(settings, kWidth, kHeight);
    Begin(RunMode::Saver);
    presenter.SetMessage(&message);
    presenter.PresentFrame(-1, -1);
    EXPECT_TRUE(rasteriser.rendered.empty()) << "the first frame shows no message";
    presenter.PresentFrame(-1, -1);
    EXPECT_NE(presenter.Work()[3 * kWidth + kWidth / 2] & 0xFFFFFF, 0u) << "centred, from the top row on";
    EXPECT_EQ(message.PixelCount(), 40u);
    presenter.PresentFrame(-1, -1);
    EXPECT_EQ(rasteriser.rendered.size(), 1u) << "rendered again only when the text changes";

    // Wider and taller than the frame: only the pixels inside it are kept.
    rasteriser.w = 100;
    rasteriser.h = 60;
    settings.text = "Much wider";
    message.Start(settings, kWidth, kHeight);
    presenter.PresentFrame(-1, -1);
    EXPECT_EQ(message.PixelCount(), size_t(kWidth * (kHeight - 3)));
}

TEST(Countdown, CountsWholeMinutesIntoThePlaceholderThenShowsTheZeroText)
{
    MessageSettings s;
    s.text = "Class will resume in X.";
    s.countdownMinutes = 5;
    s.minutesPlaceholder = "X";
    s.zeroText = "Back to work";
    EXPECT_EQ(CountdownText(s, 0), "Class will resume in 5 minutes.");
    EXPECT_EQ(CountdownText(s, 60), "Class will resume in 4 minutes.");
    EXPECT_EQ(CountdownText(s, 299), "Class will resume in 1 minute.");
    EXPECT_EQ(CountdownText(s, 300), "Back to work");
    s.minutesPlaceholder = " ";
    EXPECT_EQ(CountdownText(s, 0), "Class will resume in X. 5 minutes") << "no placeholder: appended";
    s.countdownMinutes = 0;
    EXPECT_EQ(CountdownText(s, 1e6), "Class will resume in X.");
}

} // namespace
} // namespace orvex
