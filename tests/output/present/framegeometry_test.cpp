// SPDX-License-Identifier: MIT
#include "framegeometry.h"
#include "huetopixel.h"
#include "resolutionlist.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace orvex {
namespace {

TEST(ResolutionList, AddsHalfAndTwoThirdsOfTheScreenInOrderOfArea)
{
    struct Case {
        Resolution screen;
        ResolutionList expected;
    } cases[] = {
        {{1920, 1080}, {{640, 480}, {800, 600}, {960, 540}, {1024, 768}, {1280, 720}, {1280, 1024}, {1920, 1080}}},
        {{1280, 1024}, {{640, 480}, {640, 512}, {800, 600}, {852, 680}, {1024, 768}, {1280, 1024}}},
        {{2560, 1440},
         {{640, 480}, {800, 600}, {1024, 768}, {1280, 720}, {1280, 1024}, {1704, 960}, {1600, 1200}, {2560, 1440}}},
        {{1600, 1200}, {{640, 480}, {800, 600}, {1024, 768}, {1064, 800}, {1280, 1024}, {1600, 1200}}},
        {{320, 200}, {{160, 100}, {212, 132}, {640, 480}}},
        {{24, 20}, {{16, 12}, {640, 480}}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(BuildResolutionList(c.screen.width, c.screen.height), c.expected)
            << c.screen.width << "x" << c.screen.height;
}

// Stored choices are looked up by value, so every size offered before must still be there.
void ExpectInOrder(const ResolutionList &list, const ResolutionList &kept)
{
    auto at = list.begin();
    for (const Resolution &r : kept) {
        at = std::find(at, list.end(), r);
        ASSERT_NE(at, list.end()) << r.width << "x" << r.height << " missing or out of order";
        EXPECT_TRUE(ResolutionListContains(list, r));
    }
}

TEST(ResolutionList, OffersStandardSizesUpToTheScreenAndTheScreenItself)
{
    ExpectInOrder(BuildResolutionList(1024, 768), {{640, 480}, {800, 600}, {1024, 768}});
    ExpectInOrder(BuildResolutionList(1366, 768), {{640, 480}, {800, 600}, {1024, 768}, {1366, 768}});
    ExpectInOrder(BuildResolutionList(1920, 1080), {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1920, 1080}});
    ExpectInOrder(BuildResolutionList(320, 200), {{640, 480}});
    EXPECT_FALSE(ResolutionListContains(BuildResolutionList(1920, 1080), {700, 500}));
}

TEST(FrameGeometry, RaisesTinySurfacesAndRoundsTheWidthUpToFour)
{
    const FrameGeometry tiny = ComputeFrameGeometry(10, 10, 0);
    EXPECT_EQ(tiny.renderWidth, 16);
    EXPECT_EQ(tiny.renderHeight, 12);
    EXPECT_EQ(ComputeFrameGeometry(801, 600, 0).renderWidth, 804);
    EXPECT_EQ(ComputeFrameGeometry(17, 13, 0).renderWidth, 20);
    EXPECT_EQ(ComputeFrameGeometry(17, 13, 0).renderHeight, 13);
}

TEST(FrameGeometry, HalvesRoundToEvenAndLimitsFollowTheDrift)
{
    const FrameGeometry g = ComputeFrameGeometry(320, 13, 0);
    EXPECT_EQ(g.halfWidth, 160);
    EXPECT_EQ(g.halfHeight, 6); // 6.5 rounds to the even 6
    EXPECT_EQ(ComputeFrameGeometry(320, 15, 0).halfHeight, 8);
    EXPECT_EQ(g.xLimit, 319);

    struct Case {
        int vert, topMargin, yLimit;
    } cases[] = {{0, 1, 238}, {2, 1, 238}, {-2, 1, 238}, {5, 4, 238}, {-5, 1, 235}, {9, 8, 238}, {-9, 1, 231}};
    for (const Case &c : cases) {
        const FrameGeometry d = ComputeFrameGeometry(320, 240, c.vert);
        EXPECT_EQ(d.topMargin, c.topMargin) << "vertOffset " << c.vert;
        EXPECT_EQ(d.yLimit, c.yLimit) << "vertOffset " << c.vert;
    }
}

TEST(FrameGeometry, HeaderDescribesATopDownThirtyTwoBitFrame)
{
    const FrameInfoHeader h = MakeFrameInfoHeader(804, 600);
    EXPECT_EQ(h.biSize, 40);
    EXPECT_EQ(h.biWidth, 804);
    EXPECT_EQ(h.biHeight, -600);
    EXPECT_EQ(h.biBitCount, 32);
    EXPECT_EQ(h.biSizeImage, 804 * 4 * 600);
}

TEST(TrailOffsets, DriftPullsFromRowsAboveOrBelowAndSkipsRows)
{
    const int32_t p = 100, row = 400;
    struct Case {
        int vert, a, b, skip;
    } cases[] = {
        {0, -row, row, 0},      {1, -row, 0, 0},         {2, -row, -row, 0},     {3, -row, -2 * row, 1},
        {9, -row, -8 * row, 7}, {-1, row, 0, 0},         {-3, row, 2 * row, 1},  {-9, row, 8 * row, 7},
    };
    for (const Case &c : cases) {
        const TrailOffsets t = ComputeTrailOffsets(c.vert, p);
        EXPECT_EQ(t.offsetA, c.a) << "vertOffset " << c.vert;
        EXPECT_EQ(t.offsetB, c.b) << "vertOffset " << c.vert;
        EXPECT_EQ(t.skipRows, c.skip) << "vertOffset " << c.vert;
    }
}

TEST(HueToPixel, WalksTheSixSextantsAndWrapsNegativeHues)
{
    EXPECT_EQ(HueToPixel(0), (55 << 16) | (55 << 8) | 255);
    EXPECT_EQ(HueToPixel(-30), HueToPixel(330));
    EXPECT_EQ(HueToPixel(720 + 90), HueToPixel(90));
    EXPECT_EQ(HueToPixel(30), (55 << 16) | (155 << 8) | 255);  // up = 0.5 * 200 + 55
    EXPECT_EQ(HueToPixel(90), (55 << 16) | (255 << 8) | 155);  // down
    EXPECT_EQ(HueToPixel(150), (155 << 16) | (255 << 8) | 55);
    EXPECT_EQ(HueToPixel(210), (255 << 16) | (155 << 8) | 55);
    EXPECT_EQ(HueToPixel(270), (255 << 16) | (55 << 8) | 155);
    EXPECT_EQ(HueToPixel(330), (155 << 16) | (55 << 8) | 255);
    EXPECT_EQ(HueToPixel(359) & 0xFF, 255);
}

} // namespace
} // namespace orvex
