// SPDX-License-Identifier: MIT
#include "OrvexM6.h"
#include "enginestate.h"
#include "huecone.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Cone {
    std::vector<uint32_t> wheel = std::vector<uint32_t>(1024);
    std::vector<uint32_t> table = std::vector<uint32_t>(65536, 0xDEADBEEF);

    Cone()
    {
        for (uint32_t i = 0; i < 1024; ++i) // distinct, mid-range colours
            wheel[i] = (i & 0x7F) << 16 | ((i >> 3) & 0x7F) << 8 | (0x40 + (i & 0x3F));
    }
    void Build(int32_t bright, int32_t black, int32_t bias, int32_t twist)
    {
        CalcHueConeBrightness(wheel.data(), table.data(), 1, bright, black, bias, twist, 0, 0, 0);
    }
    uint32_t At(int32_t row, int32_t level) const { return table[row * 64 + level]; }
};

TEST(HueCone, DefaultSettingsPutThePureHueAtLevel15TwistedBy339)
{
    Cone cone;
    cone.Build(100, 25, 150, 30); // 25 * 0.64f truncates to 15, not 16
    for (int32_t row = 0; row < 1024; ++row) {
        ASSERT_EQ(cone.At(row, 15), cone.wheel[(row + 19) & 1023]) << row;
        const uint32_t hue = cone.wheel[((row * 256 + 14 * 339) >> 8) & 1023];
        ASSERT_EQ(cone.At(row, 14), orvex::engine::Darken(hue, 15 * 255 / 16)) << row; // black ramp (i + 1) * 255 / 16
    }
}

TEST(HueCone, BlackShareSetsWhereThePureHueSits)
{
    Cone cone;
    cone.Build(100, 0, 100, 0);
    EXPECT_EQ(cone.At(7, 0), cone.wheel[7]) << "no black part";
    EXPECT_EQ(cone.At(7, 63), orvex::engine::Lighten(cone.wheel[7], static_cast<uint32_t>(63.0 / 64 * 255)));
    cone.Build(100, 100, 100, 0);
    EXPECT_EQ(cone.At(7, 63), cone.wheel[7]) << "only the top level is pure";
    EXPECT_EQ(cone.At(7, 0), orvex::engine::Darken(cone.wheel[7], 255 / 64));
    cone.Build(0, 25, 150, 0);
    for (int32_t level = 15; level < 64; ++level)
        ASSERT_EQ(cone.At(3, level), cone.wheel[3]) << "no brightening at all";
}

TEST(HueCone, ZeroTwistKeepsEachRowOnItsHueAndNegativeTwistWraps)
{
    Cone cone;
    cone.Build(100, 0, 0, 0); // bias 0: an infinite exponent, every level pure
    for (int32_t level = 0; level < 64; ++level)
        ASSERT_EQ(cone.At(500, level), cone.wheel[500]);
    cone.Build(0, 0, 100, -30); // step -339: row 0 turns backwards through 1023
    EXPECT_EQ(cone.At(0, 1), cone.wheel[1022]);
    EXPECT_EQ(cone.At(0, 63), cone.wheel[(-63 * 339 >> 8) & 1023]);
}

TEST(HueCone, WhiteStaysWhiteUpAndDarkensByTheRamp)
{
    Cone cone;
    cone.wheel.assign(1024, 0x00FFFFFF);
    cone.Build(100, 25, 150, 30);
    for (int32_t level = 15; level < 64; ++level)
        ASSERT_EQ(cone.At(0, level), 0x00FFFFFFu);
    const uint32_t k = 3 * 255 / 16; // black level 2 of 15
    EXPECT_EQ(cone.At(0, 2), (255 * k >> 8) * 0x010101u);
}

TEST(HueCone, UnforcedCallsRebuildOnlyWhenTheBubbleMovesToAnotherWholeStep)
{
    Cone cone;
    CalcHueConeBrightness(cone.wheel.data(), cone.table.data(), 1, 100, 0, 100, 0, 0.5f, 10.0f, 40.7f);
    EXPECT_EQ(orvex::engine::lastConeTrigger, 40) << "a forced call stores the trigger too";
    const auto unforced = [&](float level, float span, float position) {
        cone.table[0] = 0xDEADBEEF;
        CalcHueConeBrightness(cone.wheel.data(), cone.table.data(), 0, 100, 0, 100, 0, level, span, position);
        return cone.table[0] != 0xDEADBEEF;
    };
    EXPECT_FALSE(unforced(0.5f, 10.0f, 40.9f)) << "same whole position";
    EXPECT_TRUE(unforced(0.5f, 10.0f, 41.2f));
    EXPECT_FALSE(unforced(0.0f, 10.0f, 90.0f)) << "no bubble level";
    EXPECT_FALSE(unforced(0.5f, 0.0f, 90.0f)) << "no bubble span";
    EXPECT_EQ(orvex::engine::lastConeTrigger, 41);
}

} // namespace
