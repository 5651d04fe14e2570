// SPDX-License-Identifier: MIT
#include "OrvexM6.h"
#include "enginestate.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

using orvex::engine::randomTable;

// A 64 x 48 credits picture; the random table is set so every draw is known.
struct CreditsField {
    static constexpr int32_t kWidth = 64, kHeight = 48;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(kWidth * kHeight);
    std::vector<uint32_t> cone = std::vector<uint32_t>(65536);
    std::vector<float> motions;
    std::vector<int32_t> colours;
    float huePhase = 43253.76f;
    float swirlAngle = static_cast<float>(std::numbers::pi / 2);

    explicit CreditsField(int32_t stars, int32_t draw = 16384) : motions(8 * static_cast<size_t>(stars)), colours(stars)
    {
        for (int32_t i = 0; i < 65536; ++i)
            cone[i] = static_cast<uint32_t>(i & 63) + 1; // level + 1 in blue
        std::fill(std::begin(randomTable.entries), std::end(randomTable.entries), draw);
        randomTable.cursorA = 0;
        randomTable.cursorB = 8000; // unit draws of 0.5 from an untouched stretch
    }
    // A star at rest; slightly right of and below the centre so the swirl's drift keeps it on (32, 24).
    void Place(int32_t i, float z, float x = 0.001f)
    {
        float *star = &motions[8 * static_cast<size_t>(i)];
        star[0] = x, star[1] = 0.001f, star[2] = z, star[3] = 0.0f, star[4] = 0.0f;
    }
    void Frame(float speed = 0.0f)
    {
        DisplayCreditsLumora(kWidth / 2, kHeight / 2, kWidth, kWidth, kHeight, pixels.data(), cone.data(),
            static_cast<int32_t>(colours.size()), motions.data(), colours.data(), speed, &huePhase, &swirlAngle);
    }
    int32_t Lit() const { return static_cast<int32_t>(std::count_if(pixels.begin(), pixels.end(), [](uint32_t p) { return p != 0; })); }
    uint32_t At(int32_t sx, int32_t sy) const { return pixels[(sy + 2) * kWidth + sx + 1]; }
};

TEST(Credits, GlowGrowsStepByStepAsTheStarComesCloser)
{
    const struct {
        float z;
        int32_t pixels;
    } cases[] = {{0.95f, 1}, {0.85f, 3}, {0.55f, 9}, {0.05f, 29}};
    for (const auto &c : cases) {
        CreditsField field(1);
        field.Place(0, c.z);
        field.Frame();
        EXPECT_EQ(field.Lit(), c.pixels) << c.z;
        EXPECT_EQ(field.At(32, 24), 64u) << "the centre has level 63";
        if (c.pixels >= 3) {
            EXPECT_EQ(field.At(31, 24), 46u) << "the first ring has level 45";
        }
    }
}

TEST(Credits, GlowPixelsOutsideTheLimitsAreDroppedOneByOne)
{
    CreditsField field(1);
    field.Place(0, 0.05f, 0.05f * (0.5f / 32 - 1)); // projects to column 0
    field.Frame();
    EXPECT_EQ(field.Lit(), 29 - 9) << "the nine glow pixels left of column 0 are dropped";
    EXPECT_NE(field.At(0, 24), 0u);
}

TEST(Credits, PhaseWrapsOnceAndTheSwirlTurns)
{
    CreditsField field(0);
    field.huePhase = 65530.0f;
    const float angle = field.swirlAngle;
    field.Frame();
    EXPECT_EQ(field.huePhase, 10.0f);
    EXPECT_EQ(field.swirlAngle, angle + 0.0031415927f);
    EXPECT_EQ(field.Lit(), 0);
}

TEST(Credits, AStarTooCloseIsRebornFarAndDrawnInTheSameFrame)
{
    CreditsField field(1);
    field.Place(0, 0.015f, 0.5f);
    field.Frame(0.01f);
    EXPECT_FLOAT_EQ(field.motions[0], 0.0f); // 2 * 0.5 - 1
    EXPECT_FLOAT_EQ(field.motions[2], 0.95f);
    EXPECT_FLOAT_EQ(field.motions[3], 0.005f * std::cos(field.swirlAngle));
    EXPECT_EQ(field.colours[0], static_cast<int32_t>(field.huePhase)); // (16384 & 63) * 64 + phase
    EXPECT_EQ(field.Lit(), 1);
    EXPECT_NE(field.At(32, 24), 0u);
}

TEST(Credits, ARandomDrawAbove32701RebornsAnyStar)
{
    for (const auto &[draw, reborn] : {std::pair{32701, false}, std::pair{32702, true}}) {
        CreditsField field(1, draw);
        field.Place(0, 0.5f);
        field.Frame();
        EXPECT_EQ(field.motions[2] > 0.8f, reborn) << draw;
    }
}

} // namespace
