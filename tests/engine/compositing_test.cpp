// SPDX-License-Identifier: MIT
#include "OrvexM6.h"
#include "trailblur.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

constexpr uint32_t kUntouched = 0xA5A5A5A5;

std::vector<uint32_t> RandomStars(size_t count)
{
    std::mt19937 generator(42);
    std::vector<uint32_t> pixels(count);
    for (uint32_t &pixel : pixels)
        pixel = generator() & 0x00FFFFFF;
    return pixels;
}

std::vector<uint32_t> Blurred(std::vector<uint32_t> work, int32_t width, int32_t height, int32_t mul)
{
    orvex::engine::BlurRowsInOrder({work.data(), width, height, mul, -4 * width, 4 * width}, 1, height - 1);
    return work;
}

bool InsideOutput(int32_t x, int32_t y, int32_t width, int32_t height)
{
    return y <= height - 3 && x >= 1 && x <= width - 2;
}

struct FilterCase {
    int32_t mode;
    uint32_t (*expected)(uint32_t);
};

TEST(BlendPixel32Filter, MasksRowsZeroToHeightMinus3AfterTheirBlur)
{
    constexpr int32_t kWidth = 20, kHeight = 9;
    const FilterCase cases[] = {
        {1, [](uint32_t p) { return p & 0x00F0F0F0u; }},
        {2, [](uint32_t p) { return p ^ 0x00F0F0F0u; }},
        {0, [](uint32_t p) { return p ^ 0x00F0F0F0u; }}, // any mode but 1 is XOR
    };
    for (const FilterCase &c : cases) {
        std::vector<uint32_t> work = RandomStars(kWidth * kHeight);
        const std::vector<uint32_t> blurred = Blurred(work, kWidth, kHeight, 800);
        std::vector<uint32_t> display(work.size(), kUntouched);
        BlendPixel32Filter(work.data(), display.data(), kWidth, kHeight, 800, -4 * kWidth, 4 * kWidth, c.mode, 0x00F0F0F0);
        EXPECT_EQ(work, blurred);
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x) {
                const size_t i = static_cast<size_t>(y) * kWidth + x;
                ASSERT_EQ(display[i], InsideOutput(x, y, kWidth, kHeight) ? c.expected(blurred[i]) : kUntouched)
                    << "mode " << c.mode << " at " << x << ", " << y;
            }
    }
}

TEST(BlendPixel32Filter, HeightThreeWritesOnlyRowZero)
{
    std::vector<uint32_t> work = RandomStars(16 * 3);
    std::vector<uint32_t> display(work.size(), kUntouched);
    BlendPixel32Filter(work.data(), display.data(), 16, 3, 800, -64, 64, 1, 0xFFFFFFFF);
    EXPECT_EQ(display[1], work[1]);
    EXPECT_EQ(display[0], kUntouched);
    EXPECT_EQ(display[16 + 1], kUntouched);
}

// A bottom-up 24-bit desktop whose top row is the last in memory.
struct Desktop {
    int32_t width, height;
    std::vector<uint8_t> bytes;

    Desktop(int32_t w, int32_t h) : width(w), height(h), bytes(static_cast<size_t>(3) * w * h)
    {
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(i * 7 + 3);
    }
    const uint8_t *TopRow() const { return bytes.data() + static_cast<size_t>(height - 1) * 3 * width; }
    uint32_t At(int32_t x, int32_t y) const
    {
        const uint8_t *p = TopRow() - static_cast<ptrdiff_t>(y) * 3 * width + 3 * x;
        return p[0] | p[1] << 8 | static_cast<uint32_t>(p[2]) << 16;
    }
};

TEST(BlendPixelDeskRGB32Mask, AddsScaledStarsOntoTheDesktopRowsTopDown)
{
    constexpr int32_t kWidth = 16, kHeight = 7;
    const Desktop desktop(kWidth, kHeight);
    for (int32_t mode : {0, 1, 2}) {
        std::vector<uint32_t> work = RandomStars(kWidth * kHeight);
        const std::vector<uint32_t> blurred = Blurred(work, kWidth, kHeight, 810);
        std::vector<uint32_t> display(work.size(), kUntouched);
        BlendPixelDeskRGB32Mask(work.data(), desktop.TopRow(), display.data(), kWidth, kHeight, 810, 100,
            -4 * kWidth, 4 * kWidth, mode, 0x0000FF00);
        EXPECT_EQ(work, blurred);
        for (int32_t y = 0; y < kHeight; ++y)
            for (int32_t x = 0; x < kWidth; ++x) {
                const size_t i = static_cast<size_t>(y) * kWidth + x;
                if (!InsideOutput(x, y, kWidth, kHeight)) {
                    ASSERT_EQ(display[i], kUntouched);
                    continue;
                }
                const uint32_t star = mode == 1 ? blurred[i] & 0xFF00 : mode == 2 ? blurred[i] ^ 0xFF00 : blurred[i];
                uint32_t expected = desktop.At(x, y);
                for (int32_t shift : {0, 8, 16}) // each star byte * 100 >> 8, added without saturation
                    expected += ((star >> shift & 0xFF) * 100 >> 8) << shift;
                expected &= 0x00FFFFFF; // a carry out of red leaves the 32-bit sum: byte 3 stays 0
                ASSERT_EQ(display[i], expected) << "mode " << mode << " at " << x << ", " << y;
            }
    }
}

TEST(BlendPixelDeskRGB32Mask, AnOverflowingByteCarriesIntoTheNextOne)
{
    std::vector<uint32_t> work(16 * 3, 0);
    work[1] = 0x000000FF; // row 0 is never blurred
    std::vector<uint8_t> desktop(3 * 16 * 3, 0);
    uint8_t *top = desktop.data() + 2 * 3 * 16;
    top[3] = 200; // blue of pixel 1
    std::vector<uint32_t> display(work.size(), 0);
    BlendPixelDeskRGB32Mask(work.data(), top, display.data(), 16, 3, 800, 255, -64, 64, 0, 0);
    EXPECT_EQ(display[1], 0x000001C6u); // 200 + 254 = 454: blue 198, green 1
}

TEST(CopyRGBtoBMP, FlipsRowsAndOrdersBytesByDepth)
{
    // Two rows of three pixels in a pitch of four.
    const std::vector<uint32_t> work = {0x030201, 0x060504, 0x090807, 0xEEEEEE, 0x0C0B0A, 0x0F0E0D, 0x121110, 0xEEEEEE};
    std::vector<uint8_t> image(18, 0);
    CopyRGBtoBMP(work.data(), image.data(), 3, 4, 2, 0, 0, 32);
    EXPECT_EQ(image, (std::vector<uint8_t>{10, 11, 12, 13, 14, 15, 16, 17, 18, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
    CopyRGBtoBMP(work.data(), image.data(), 3, 4, 2, 0, 0, 16);
    EXPECT_EQ(image, (std::vector<uint8_t>{12, 11, 10, 15, 14, 13, 18, 17, 16, 3, 2, 1, 6, 5, 4, 9, 8, 7}));
    CopyRGBtoBMP(work.data(), image.data(), 3, 4, 2, 1, 0x0000FF, 32);
    EXPECT_EQ(image[9], 1);
    EXPECT_EQ(image[10], 0);
    CopyRGBtoBMP(work.data(), image.data(), 3, 4, 2, 2, 0x0000FF, 32);
    EXPECT_EQ(image[9], 1 ^ 0xFF);
    EXPECT_EQ(image[10], 2);
}

TEST(MultDesktopIntensity, ScalesEveryByteRoundingDown)
{
    std::vector<uint8_t> bytes = {255, 100, 1, 0, 200};
    MultDesktopIntensity(bytes.data(), 4, 128);
    EXPECT_EQ(bytes, (std::vector<uint8_t>{127, 50, 0, 0, 200}));
    MultDesktopIntensity(bytes.data(), 1, 255);
    EXPECT_EQ(bytes[0], 126);
    MultDesktopIntensity(bytes.data(), -3, 0);
    EXPECT_EQ(bytes[0], 126);
}

TEST(PlotMessage, SetsExactlyTheListedPixels)
{
    std::vector<uint32_t> pixels(8 * 4, 0);
    const int32_t xs[] = {0, 7, 3};
    const int32_t ys[] = {0, 3, 1};
    PlotMessage(pixels.data(), 8, 3, 0x123456, xs, ys);
    std::vector<uint32_t> expected(8 * 4, 0);
    expected[0] = expected[31] = expected[11] = 0x123456;
    EXPECT_EQ(pixels, expected);
    PlotMessage(pixels.data(), 8, 0, 0xFFFFFF, xs, ys);
    PlotMessage(pixels.data(), 8, -1, 0xFFFFFF, xs, ys);
    EXPECT_EQ(pixels, expected);
}

} // namespace
