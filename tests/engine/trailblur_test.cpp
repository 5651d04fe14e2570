// SPDX-License-Identifier: MIT
#include "OrvexM6.h"
#include "trailblur.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// The straightforward in-place pass, written out independently as the tests' oracle.
void OracleBlur(uint32_t *buffer, int32_t width, int32_t height, int32_t mul, int32_t offsetA, int32_t offsetB)
{
    auto *bytes = reinterpret_cast<uint8_t *>(buffer);
    for (int32_t y = 1; y < height - 1; ++y)
        for (int32_t x = 1; x < width - 1; ++x)
            for (int32_t c = 0; c < 3; ++c) {
                uint8_t *p = bytes + 4 * (y * width + x) + c;
                const int64_t sum = p[0] + p[offsetA] + p[offsetB] + p[-4] + p[4];
                p[0] = static_cast<uint8_t>((sum * mul) >> 12);
            }
}

std::vector<uint32_t> RandomPixels(size_t count, uint32_t seed)
{
    std::mt19937 generator(seed);
    std::vector<uint32_t> pixels(count);
    for (uint32_t &pixel : pixels)
        pixel = generator();
    return pixels;
}

// Where the program starts the blend and what it passes for a trail drift.
struct Drift {
    int32_t offsetA, offsetB, startRow, skipRows;

    Drift(int32_t v, int32_t width)
    {
        const int32_t row = 4 * width;
        offsetA = v >= 0 ? -row : row;
        offsetB = v >= 0 ? row * (1 - v) : -row * (v + 1);
        skipRows = v >= 3 ? v - 2 : v <= -3 ? -2 - v : 0;
        startRow = v >= 3 ? skipRows : 0;
    }
};

TEST(TrailBlur, MatchesTheStraightforwardPassForEveryDriftSizeAndMul)
{
    const int32_t widths[] = {3, 10, 13, 16, 26, 64, 75};
    const int32_t heights[] = {12, 13, 30};
    const int32_t muls[] = {0, 720, 817, 822, 823, 1000, 4095, 5000};
    uint32_t seed = 1;
    for (int32_t width : widths)
        for (int32_t frameHeight : heights)
            for (int32_t v = -9; v <= 9; ++v)
                for (int32_t mul : muls) {
                    const Drift drift(v, width);
                    const int32_t height = frameHeight - drift.skipRows;
                    std::vector<uint32_t> expected = RandomPixels(static_cast<size_t>(width) * frameHeight, seed++);
                    std::vector<uint32_t> actual = expected;
                    std::vector<uint32_t> reference = expected;
                    const size_t start = static_cast<size_t>(drift.startRow) * width;
                    OracleBlur(expected.data() + start, width, height, mul, drift.offsetA, drift.offsetB);
                    BlendPixelRGB32(actual.data() + start, width, height, mul, drift.offsetA, drift.offsetB);
                    orvex::engine::BlurRowsInOrder(
                        {reference.data() + start, width, height, mul, drift.offsetA, drift.offsetB}, 1, height - 1);
                    ASSERT_EQ(actual, expected) << width << " x " << frameHeight << ", drift " << v << ", mul " << mul;
                    ASSERT_EQ(reference, expected) << width << " x " << frameHeight << ", drift " << v;
                }
}

// Many bands, each reading the final last rows of the band above and the old first rows
// of the band below.
TEST(TrailBlur, ManyBandsOfALargeBufferMatchTheStraightforwardPass)
{
    constexpr int32_t kWidth = 333, kFrameHeight = 301;
    for (int32_t v = -9; v <= 9; v += 3) {
        const Drift drift(v, kWidth);
        const int32_t height = kFrameHeight - drift.skipRows;
        const size_t start = static_cast<size_t>(drift.startRow) * kWidth;
        for (int32_t frame = 0; frame < 4; ++frame) {
            std::vector<uint32_t> expected = RandomPixels(static_cast<size_t>(kWidth) * kFrameHeight, 100 + frame);
            std::vector<uint32_t> actual = expected;
            OracleBlur(expected.data() + start, kWidth, height, 817, drift.offsetA, drift.offsetB);
            BlendPixelRGB32(actual.data() + start, kWidth, height, 817, drift.offsetA, drift.offsetB);
            ASSERT_EQ(actual, expected) << "drift " << v;
        }
    }
}

// Mostly black frames, as most themes draw: chunks with no colour in reach are passed
// over, and byte 3 (random here) must not keep a chunk from counting as black.
TEST(TrailBlur, SparseFramesMatchTheStraightforwardPass)
{
    constexpr int32_t kWidth = 333, kHeight = 301;
    std::mt19937 generator(5);
    std::vector<uint32_t> expected(static_cast<size_t>(kWidth) * kHeight);
    for (uint32_t &pixel : expected)
        pixel = (generator() & 0xFF000000u) | (generator() % 200 == 0 ? generator() & 0xFFFFFF : 0);
    std::vector<uint32_t> actual = expected;
    for (int32_t mul : {817, 900})
        for (int32_t v : {0, 4, -5})
            for (int32_t frame = 0; frame < 4; ++frame) {
                const Drift drift(v, kWidth);
                const int32_t height = kHeight - drift.skipRows;
                const size_t start = static_cast<size_t>(drift.startRow) * kWidth;
                OracleBlur(expected.data() + start, kWidth, height, mul, drift.offsetA, drift.offsetB);
                BlendPixelRGB32(actual.data() + start, kWidth, height, mul, drift.offsetA, drift.offsetB);
                ASSERT_EQ(actual, expected) << "mul " << mul << ", drift " << v << ", frame " << frame;
            }
}

TEST(TrailBlur, LeavesTheBorderAndByte3Alone)
{
    constexpr int32_t kWidth = 24, kHeight = 10;
    const std::vector<uint32_t> before = RandomPixels(kWidth * kHeight, 7);
    std::vector<uint32_t> after = before;
    BlendPixelRGB32(after.data(), kWidth, kHeight, 817, -4 * kWidth, 4 * kWidth);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x) {
            const size_t i = static_cast<size_t>(y) * kWidth + x;
            ASSERT_EQ(after[i] >> 24, before[i] >> 24);
            if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1) {
                ASSERT_EQ(after[i], before[i]) << x << ", " << y;
            }
        }
}

TEST(TrailBlur, TinyBuffersChangeOnlyWhatLiesInside)
{
    const std::vector<uint32_t> before = RandomPixels(16 * 3, 9);
    std::vector<uint32_t> buffer = before;
    BlendPixelRGB32(buffer.data(), 16, 2, 817, -64, 64);
    EXPECT_EQ(buffer, before) << "height 2";
    BlendPixelRGB32(buffer.data(), 2, 3, 817, -8, 8);
    EXPECT_EQ(buffer, before) << "width 2";
    BlendPixelRGB32(buffer.data(), 16, 3, 817, -64, 64);
    EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 16, before.begin()));
    EXPECT_TRUE(std::equal(buffer.begin() + 32, buffer.end(), before.begin() + 32));
    EXPECT_NE(buffer, before) << "row 1 is blurred";
}

TEST(TrailBlur, FlatWhiteWrapsToZeroAtMul823)
{
    for (const auto &[mul, first] : {std::pair{823, 0u}, std::pair{820, 0xFFFFFFu}}) {
        std::vector<uint32_t> buffer(20 * 12, 0x00FFFFFF);
        BlendPixelRGB32(buffer.data(), 20, 12, mul, -80, 80);
        EXPECT_EQ(buffer[20 + 1], first) << mul;
    }
    std::vector<uint32_t> black(20 * 12, 0);
    BlendPixelRGB32(black.data(), 20, 12, 823, -80, 80);
    EXPECT_EQ(black, std::vector<uint32_t>(20 * 12, 0));
}

TEST(TrailBlur, ReadsUpdatedLeftAndAboveAndOldSelfTwiceAtDriftOne)
{
    constexpr int32_t kWidth = 16;
    std::vector<uint32_t> buffer(kWidth * 8, 0);
    buffer[2 * kWidth + 2] = 100; // blue
    BlendPixelRGB32(buffer.data(), kWidth, 8, 2048, -4 * kWidth, 0);
    const auto blue = [&](int32_t x, int32_t y) { return buffer[y * kWidth + x] & 0xFF; };
    EXPECT_EQ(blue(2, 1), 0u) << "drift 1 never reads below";
    EXPECT_EQ(blue(1, 2), 50u);  // old right neighbour 100
    EXPECT_EQ(blue(2, 2), 125u); // 100 + 100 (self twice) + updated left 50
    EXPECT_EQ(blue(3, 2), 62u);
    EXPECT_EQ(blue(1, 3), 25u);  // updated above 50
    EXPECT_EQ(blue(2, 3), 75u);  // updated above 125 + updated left 25
}

} // namespace
