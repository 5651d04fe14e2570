// SPDX-License-Identifier: MIT
#include "OrvexM6.h"
#include "enginestate.h"
#include "starfield.h"
#include "starrecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <vector>

namespace {

using namespace orvex::engine;

// One star field with a small buffer and every frame value at hand.
struct StarField {
    static constexpr int32_t kWidth = 64;
    static constexpr int32_t kHeight = 40;
    static constexpr int32_t kTopMargin = 1;

    explicit StarField(int32_t stars) : count(stars), states(4 * static_cast<size_t>(stars)), motions(8 * static_cast<size_t>(stars))
    {
        // Row in red, level + 1 in blue: every entry is brighter than black and tells where it came from.
        for (int32_t i = 0; i < 65536; ++i)
            cone[i] = static_cast<uint32_t>((i >> 6) & 0xFF) << 16 | static_cast<uint32_t>((i & 63) + 1);
        SetPath(0.1f, -0.2f, 1.5f);
        InitRandomArray();
        lifetimeRing.key = -64; // the first frame builds the ring, whatever ran before
    }

    void SetPath(float x, float y, float z)
    {
        pathX.assign(segments + 3, x);
        pathY.assign(segments + 3, y);
        pathZ.assign(segments + 3, z);
    }

    void Frame()
    {
        SetBrightLumora(kWidth / 2, kHeight / 2, kWidth - 1, kWidth, kTopMargin, kHeight - 2, pixels.data(), cone.data(),
            count, states.data(), motions.data(), pathX.data(), pathY.data(), pathZ.data(), speed, persist, hueStart,
            gravity, hueSwing, emitPattern, locVOff, brightAgeInc, biasTableHold, segments, biasPoints, biasExp, phase,
            spread, solarWind, 1.0f);
    }

    StarState &State(int32_t i) { return reinterpret_cast<StarState *>(states.data())[i]; }
    StarMotion &Motion(int32_t i) { return reinterpret_cast<StarMotion *>(motions.data())[i]; }

    // A living star standing still at (x, y, z).
    void Place(int32_t i, float x, float y, float z, int32_t brightness = 640)
    {
        State(i) = StarState{10, 0, 0, brightness};
        Motion(i) = StarMotion{x, y, z, 0, 0, 0, {0, 0}};
    }

    int32_t LitPixels() const
    {
        int32_t lit = 0;
        for (uint32_t pixel : pixels)
            lit += pixel != 0;
        return lit;
    }

    // The same frame with the whole star step on the calling thread, one star at a time:
    // a frame without stars does the set-up, then the step runs in star order.
    void FrameInOrder()
    {
        const int32_t stars = count;
        count = 0;
        Frame();
        count = stars;
        StepStars(&State(0), &Motion(0), count, false, false);
    }

    int32_t count;
    std::vector<uint32_t> pixels = std::vector<uint32_t>(kWidth * kHeight);
    std::vector<uint32_t> cone = std::vector<uint32_t>(65536);
    std::vector<int32_t> states;
    std::vector<float> motions;
    std::vector<float> pathX, pathY, pathZ;
    float speed = 0, persist = 1.0f, hueStart = 0, gravity = 0;
    int32_t hueSwing = 0, emitPattern = 0, locVOff = 0, brightAgeInc = 0, biasTableHold = 0;
    int32_t segments = 1, biasPoints = 1;
    float biasExp = 1.0f, phase = 0, spread = 0.01f, solarWind = 0;
};

struct RingCase {
    float persist;
    int32_t lowest;
    int32_t highest;
};

TEST(LifetimeRing, EachPersistenceRegimeGivesItsLives)
{
    const RingCase cases[] = {
        {1.0f, 1000000, 1000000}, // key 32768
        {0.999f, 1024, 5119},     // key 32735
        {0.0f, 1, 1},             // key 0
        {0.5f, 1, 4096},          // geometric
    };
    for (const RingCase &c : cases) {
        StarField field(0);
        lifetimeRing.key = -64;
        field.persist = c.persist;
        field.Frame();
        for (int32_t life : lifetimeRing.lives) {
            EXPECT_GE(life, c.lowest) << c.persist;
            EXPECT_LE(life, c.highest) << c.persist;
        }
    }
}

TEST(LifetimeRing, LongAndGeometricLivesFollowTheirDraws)
{
    InitRandomArray();
    auto replay = std::make_unique<RandomTable>(randomTable);
    lifetimeRing.key = -64;
    lifetimeRing.Update(32735, randomTable);
    for (int32_t life : lifetimeRing.lives)
        ASSERT_EQ(life, (replay->Next() & 0xFFF) + 1024);

    lifetimeRing.Update(16384, randomTable);
    for (int32_t life : lifetimeRing.lives) {
        int32_t frames = 1;
        while (replay->Next() < 16384 && frames < 4096)
            ++frames;
        ASSERT_EQ(life, frames);
    }
}

TEST(LifetimeRing, RebuildsOnlyWhenTheKeyMovesBy32)
{
    StarField field(0);
    lifetimeRing.key = -64;
    lifetimeRing.cursor = 5;
    field.persist = 0.0f; // a first call rebuilds whatever the key
    field.Frame();
    EXPECT_EQ(lifetimeRing.key, 0);
    EXPECT_EQ(lifetimeRing.lives[0], 1);
    field.persist = 31 / 32768.0f;
    field.Frame();
    EXPECT_EQ(lifetimeRing.key, 0) << "a drift below 32 keeps the ring";
    field.persist = 32 / 32768.0f;
    field.Frame();
    EXPECT_EQ(lifetimeRing.key, 32);
    EXPECT_EQ(lifetimeRing.cursor, 5) << "the cursor runs on across rebuilds";
}

struct AgeingCase {
    int32_t brightAgeInc;
    int32_t framesToFloor;
    int32_t floor;
};

TEST(StarField, BrightnessFadesInStepsUntilLevelOne)
{
    for (const AgeingCase &c : {AgeingCase{32, 18, 64}, AgeingCase{50, 12, 40}}) {
        StarField field(1);
        field.brightAgeInc = c.brightAgeInc;
        field.Place(0, 0, 0, 1, 640);
        field.State(0).life = 100;
        int32_t frames = 0;
        while (field.State(0).brightness > c.floor && frames < 100) {
            field.Frame();
            ++frames;
            EXPECT_EQ(field.State(0).brightness, std::max(640 - frames * c.brightAgeInc, c.floor));
        }
        EXPECT_EQ(frames, c.framesToFloor);
        field.Frame();
        EXPECT_EQ(field.State(0).brightness, c.floor);
        EXPECT_EQ(field.State(0).life, 100 - frames - 1);
    }
}

TEST(StarField, BirthWithFlatBiasLandsHalfwayAtLevel31AndDrawsNothing)
{
    StarField field(50);
    field.biasExp = 0.0f;
    field.hueSwing = 1; // no swing: every row is trunc(H) & 0xFFC0
    field.hueStart = 5.5f;
    field.spread = 0.0f;
    field.Frame();
    EXPECT_EQ(field.LitPixels(), 0);
    for (int32_t i = 0; i < field.count; ++i) {
        EXPECT_EQ(field.State(i).brightness, 31 * 64);
        EXPECT_EQ(field.State(i).colourRow, 320);
        EXPECT_EQ(field.State(i).life, 1000000);
        EXPECT_FLOAT_EQ(field.Motion(i).x, 0.1f);
        EXPECT_FLOAT_EQ(field.Motion(i).z, 1.5f);
    }
}

TEST(StarField, HueSwingFollowsTheSplinePositionAndWrapsNegativeRows)
{
    StarField field(1);
    field.segments = 4;
    field.SetPath(0, 0, 1);
    field.biasExp = 0.0f; // born at (0 + 0.5) * 4 + phase
    field.hueSwing = 4;   // S = 128
    const struct {
        float phase;
        int32_t row;
    } cases[] = {{2.5f, 64}, {0.5f, 0xFF80}};
    for (const auto &c : cases) {
        field.phase = c.phase;
        field.State(0).life = 0;
        field.Frame();
        EXPECT_EQ(field.State(0).colourRow, c.row) << c.phase;
    }
}

TEST(StarField, HeadStartAndSolarWindMoveTheNewStar)
{
    StarField field(1);
    field.emitPattern = 11;
    field.spread = 0.0f;
    field.solarWind = 0.5f;
    field.locVOff = 2;
    field.SetPath(0.2f, 0.4f, 1.5f);
    field.biasExp = 0.0f;
    field.Frame();
    const StarMotion &star = field.Motion(0);
    EXPECT_FLOAT_EQ(star.vx, 0.1f);
    EXPECT_FLOAT_EQ(star.vy, 0.2f);
    EXPECT_FLOAT_EQ(star.vz, 0.25f);
    EXPECT_FLOAT_EQ(star.x, 0.4f);
    EXPECT_FLOAT_EQ(star.z, 2.0f);
}

struct BandCase {
    float projectedX; // (w * x + 1) * halfWidth
    float projectedY;
    bool drawn;
    int32_t column; // in the buffer
    int32_t row;
};

TEST(StarField, PlotsOnlyInsideTheBandAndTruncatesTowardZero)
{
    constexpr int32_t kRows = StarField::kHeight - 2 - StarField::kTopMargin - 1; // 36
    constexpr int32_t kColumns = StarField::kWidth - 2;                            // 62
    const BandCase cases[] = {
        {-0.5f, 5.5f, true, 1, 7},  // just left of the band truncates to column 0
        {-1.5f, 5.5f, false, 0, 0},
        {kColumns - 0.5f, 5.5f, true, kColumns, 7},
        {kColumns + 0.5f, 5.5f, false, 0, 0},
        {3.5f, -0.5f, true, 4, 2},
        {3.5f, kRows - 0.5f, true, 4, kRows + 1},
        {3.5f, kRows + 0.5f, false, 0, 0},
    };
    for (const BandCase &c : cases) {
        StarField field(1);
        const float x = c.projectedX / (StarField::kWidth / 2) - 1;
        const float y = c.projectedY / (StarField::kHeight / 2) - 1;
        field.Place(0, x, y, 1.0f);
        field.Frame();
        ASSERT_EQ(field.LitPixels(), c.drawn ? 1 : 0) << c.projectedX << ", " << c.projectedY;
        if (c.drawn) {
            EXPECT_EQ(field.pixels[c.row * StarField::kWidth + c.column], 10u + 1) << c.projectedX << ", " << c.projectedY;
        }
    }
    StarField behind(1);
    behind.Place(0, 0, 0, 0.0f);
    behind.Frame();
    EXPECT_EQ(behind.LitPixels(), 0);
}

TEST(StarField, NoStarsStillRebuildTheTablesAndLeaveTheBuffer)
{
    StarField field(0);
    lifetimeRing.key = -64;
    biasTable.values[0] = 0.0f;
    field.Frame();
    EXPECT_EQ(lifetimeRing.key, 32768);
    EXPECT_EQ(biasTable.values[0], 1.0f - 0.5f / 1024);
    EXPECT_EQ(field.LitPixels(), 0);
    biasTable.values[0] = 0.0f;
    field.biasTableHold = 1;
    field.Frame();
    EXPECT_EQ(biasTable.values[0], 0.0f);
}

// The helper's share and the four-stars-at-once moves against one star at a time: stars
// that are born (keeping their old velocities under an unknown emitter), fly off every
// edge and pass behind the eye, in a count that is not a multiple of four.
TEST(StarField, SplittingTheStepAndMovingFourAtOnceChangeNothing)
{
    constexpr int32_t kStars = 30001;
    InitRandomArray();
    const auto startTable = std::make_unique<RandomTable>(randomTable);
    for (const int32_t pattern : {13, 99}) {
        const auto run = [&](bool inOrder) {
            StarField field(kStars);
            randomTable = *startTable;
            field.persist = 0.75f; // short lives: births in both halves every frame
            field.emitPattern = pattern;
            field.spread = 0.05f;
            field.gravity = 0.001f;
            field.speed = 0.06f; // the youngest stars start at z 1.2 and pass z 0 within the run
            field.hueSwing = 40;
            field.segments = 3;
            field.biasPoints = 2;
            field.SetPath(0.0f, 0.0f, 1.2f);
            field.pathX = {-0.5f, 0.3f, 0.6f, -0.5f, 0.3f, 0.6f};
            for (int32_t i = 0; i < kStars; ++i) // a spread of velocities for the unknown emitter to keep
                field.Motion(i) = StarMotion{0, 0, 1.2f, (i % 7 - 3) * 0.02f, (i % 5 - 2) * 0.02f, 0, {0, 0}};
            lifetimeRing.cursor = 0;
            for (int32_t frame = 0; frame < 24; ++frame) {
                field.phase = static_cast<float>(frame % 10) * 0.3f; // within the 3 segments
                if (inOrder)
                    field.FrameInOrder();
                else
                    field.Frame();
            }
            return std::tuple{field.pixels, field.states, field.motions,
                std::vector<int32_t>(randomTable.entries, randomTable.entries + RandomTable::kSize), randomTable.cursorA};
        };
        const auto split = run(false);
        const auto inOrder = run(true);
        EXPECT_EQ(std::get<0>(split), std::get<0>(inOrder)) << "pixels, pattern " << pattern;
        EXPECT_EQ(std::get<1>(split), std::get<1>(inOrder)) << "star states, pattern " << pattern;
        EXPECT_EQ(std::get<2>(split), std::get<2>(inOrder)) << "star motions, pattern " << pattern;
        EXPECT_EQ(std::get<3>(split), std::get<3>(inOrder)) << "random table, pattern " << pattern;
        EXPECT_EQ(std::get<4>(split), std::get<4>(inOrder));
        EXPECT_GT(std::count_if(std::get<0>(split).begin(), std::get<0>(split).end(), [](uint32_t p) { return p != 0; }), 100);
    }
}

} // namespace
