// SPDX-License-Identifier: MIT
#include "creditswindow.h"

#include "picturebox.h"
#include "settingsstore.h"
#include "tempconfig.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace orvex {
namespace {

// Lets the event loop run (timers included) until done holds or the time is up.
bool WaitUntil(const std::function<bool()> &done, int milliseconds = 5000)
{
    for (int waited = 0; !done() && waited < milliseconds; waited += 10)
        QTest::qWait(10);
    return done();
}

bool Lit(const QImage &picture)
{
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if ((picture.pixel(x, y) & 0xffffff) != 0)
                return true;
    return false;
}

TEST(CreditsLoopRules, ClampsAndScrollWrap)
{
    const CreditsSettings high = ClampedForLoop({5000, 1.0f, 0.1f, {}});
    EXPECT_EQ(high.stars, 2000);
    EXPECT_FLOAT_EQ(high.speed, 0.25f);
    EXPECT_FLOAT_EQ(high.scrollStep, 0.5f);
    const CreditsSettings low = ClampedForLoop({5, 0.001f, 11.0f, {}});
    EXPECT_EQ(low.stars, 10);
    EXPECT_FLOAT_EQ(low.speed, 0.0025f);
    EXPECT_FLOAT_EQ(low.scrollStep, 10.0f);

    EXPECT_FLOAT_EQ(NextCreditsTop(5, 100, 260, 1), 4);
    EXPECT_FLOAT_EQ(NextCreditsTop(-100, 100, 260, 1), -101) << "its last line has only just left";
    EXPECT_FLOAT_EQ(NextCreditsTop(-101, 100, 260, 1), 250) << "starts again 10 above the frame's bottom";
}

TEST(CreditsWindowTest, RunsOnItsTimerUntilDismissed)
{
    test::TempConfig config;
    SettingsStore store;
    QPointer<CreditsWindow> window = new CreditsWindow(store);
    window->FormLet({1200, 0.005f, 1.0f, {"One line of credits"}});
    auto *credits = window->findChild<QLabel *>("picCredits");
    auto *field = window->findChild<PictureBox *>("picField");
    const int startTop = credits->y();
    window->show();

    EXPECT_TRUE(WaitUntil([&] { return credits->y() <= startTop - 5; })) << "the credits did not scroll";
    credits->hide(); // only the stars are left in the picture
    EXPECT_TRUE(WaitUntil([&] { return Lit(field->grab().toImage()); })) << "no stars were drawn";

    EXPECT_EQ(window->BlendMul(), 96);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(field, Qt::LeftButton);
    EXPECT_EQ(window->BlendMul(), 93);
    QTest::mouseClick(field, Qt::RightButton);
    EXPECT_EQ(window->BlendMul(), 94);

    QTest::mouseClick(window->findChild<QPushButton *>("cmdDismiss"), Qt::LeftButton);
    EXPECT_TRUE(WaitUntil([&] { return window.isNull(); })) << "the window stayed";
}

TEST(CreditsWindowTest, StarsKeepComingLongAfterTheFirstHaveFlownPast)
{
    test::TempConfig config;
    SettingsStore store;
    store.WriteSetting("Advanced", "Adv_TimeDelay", 0); // frames as fast as events allow
    // Opened from the about box with no preview run before: the engine's random table
    // is as the library was loaded. The credits scroll one unit a frame, so they count
    // the frames; enough lines that they do not start again meanwhile.
    constexpr int kFrames = 600;
    const std::vector<std::string> credits(kFrames / 5, "A line of credits");
    QPointer<CreditsWindow> window = new CreditsWindow(store);
    window->FormLet({1200, 0.005f, 1.0f, credits});
    auto *text = window->findChild<QLabel *>("picCredits");
    auto *field = window->findChild<PictureBox *>("picField");
    const int startTop = text->y();
    text->hide(); // only the stars are left in the picture
    window->show();
    // Every first star has passed the viewer after 200 frames; its trail has faded long before 600.
    ASSERT_TRUE(WaitUntil([&] { return text->y() <= startTop - kFrames; }, 30000));
    EXPECT_TRUE(Lit(field->grab().toImage())) << "the star field went dark";
    window->close();
}

} // namespace
} // namespace orvex
