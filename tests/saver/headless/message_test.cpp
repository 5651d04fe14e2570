// SPDX-License-Identifier: MIT
// The message drawn with the system's fonts, stamped into a small frame.
#include "clock.h"
#include "enginelibrary.h"
#include "onscreenmessage.h"
#include "qttextrasteriser.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

#include <algorithm>

namespace orvex {
namespace {

QGuiApplication &Application()
{
    static int argc = 1;
    static char name[] = "message_test";
    static char *argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    return application;
}

TEST(QtMessage, ALongLargeMessageStaysInsideASmallFrame)
{
    Application();
    constexpr int32_t width = 320, height = 240;
    // Guard rows around the frame catch any write past its ends.
    std::vector<uint32_t> buffer(size_t(width) * (height + 2), 0);
    uint32_t *frame = buffer.data() + width;
    SyntheticClock clock;
    QtTextRasteriser rasteriser;
    OnScreenMessage message(rasteriser, clock);
    MessageSettings settings;
    settings.text = std::string(100, 'W');
    settings.fontName = "Arial";
    settings.fontSize = 60;
    settings.topRow = 200;
    message.Start(settings, width, height);
    EngineLibrary engine;
    message.Draw(engine, frame);
    EXPECT_GT(message.PixelCount(), 0u);
    EXPECT_LE(message.PixelCount(), OnScreenMessage::kMaxPixels);
    EXPECT_TRUE(std::all_of(buffer.begin(), buffer.begin() + width, [](uint32_t p) { return p == 0; }));
    EXPECT_TRUE(std::all_of(buffer.end() - width, buffer.end(), [](uint32_t p) { return p == 0; }));
    EXPECT_TRUE(std::any_of(frame + 200 * width, frame + height * width, [](uint32_t p) { return p != 0; }));
}

} // namespace
} // namespace orvex
