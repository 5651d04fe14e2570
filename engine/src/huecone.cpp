// SPDX-License-Identifier: MIT
// CalcHueConeBrightness: 1,024 hue rows of 64 levels, out of black, through the pure hue,
// toward white, turning by a fixed twist per level.
#include "huecone.h"

#include "OrvexM6.h"
#include "enginestate.h"
#include "numeric.h"

#include <cmath>
#include <limits>

namespace orvex::engine {

namespace {

constexpr int32_t kLevels = 64;
constexpr int32_t kRows = 1024;
constexpr int32_t kHueMask = 1023;
constexpr float kBlackShare = 0.64f;      // percent to levels
constexpr float kBrightShare = 2.55f;     // percent to 0..255
constexpr float kTwistPerDegree = 725.3333f; // 1,024 * 255 / 360
constexpr double kTwistScale = 0.015625;

// The scale factor k of each level: black ramp first, then the bright ramp.
struct LevelRamp {
    int32_t blackLevels;
    uint32_t k[kLevels];
};

LevelRamp BuildRamp(int32_t coneBright, int32_t coneBlack, int32_t coneBBias)
{
    LevelRamp ramp{};
    const int32_t black = TruncToInt32(coneBlack * static_cast<double>(kBlackShare));
    const int32_t bright = kLevels - black;
    ramp.blackLevels = black;
    for (int32_t i = 0; i < black; ++i)
        ramp.k[i] = static_cast<uint32_t>((i + 1) * 255 / (black + 1));
    // A bias of 0 means an infinite exponent: every bright level is the pure hue.
    const float exponent = coneBBias == 0 ? std::numeric_limits<float>::infinity()
                                          : static_cast<float>(100.0 / coneBBias);
    const float scale = static_cast<float>(coneBright * static_cast<double>(kBrightShare));
    for (int32_t j = 0; j < bright; ++j) {
        const double shaped = std::pow(static_cast<double>(j) / bright, static_cast<double>(exponent));
        ramp.k[black + j] = static_cast<uint32_t>(TruncToInt32(shaped * scale));
    }
    return ramp;
}

bool TriggerFires(int32_t force, float bubbleLevel, float bubbleSpan, float bubblePos)
{
    int32_t &lastTrigger = lastConeTrigger;
    const int32_t trigger = TruncToInt32(bubblePos);
    if (force != 1 && !(bubbleLevel > 0.0f && bubbleSpan > 0.0f && trigger != lastTrigger))
        return false;
    lastTrigger = trigger;
    return true;
}

} // namespace

} // namespace orvex::engine

using namespace orvex::engine;

extern "C" void CalcHueConeBrightness(const uint32_t *hueWheel, uint32_t *coneTable, int32_t force,
    int32_t coneBright, int32_t coneBlack, int32_t coneBBias, int32_t coneTwist,
    float bubbleLevel, float bubbleSpan, float bubblePos)
{
    if (!TriggerFires(force, bubbleLevel, bubbleSpan, bubblePos))
        return;
    const LevelRamp ramp = BuildRamp(coneBright, coneBlack, coneBBias);
    const int32_t step = TruncToInt32(coneTwist * static_cast<double>(kTwistPerDegree) * kTwistScale);
    for (int32_t row = 0; row < kRows; ++row) {
        int32_t position = row * 256; // 1/256 of a wheel index
        uint32_t *entry = coneTable + row * kLevels;
        for (int32_t level = 0; level < kLevels; ++level, position += step) {
            const uint32_t colour = hueWheel[(position >> 8) & kHueMask];
            entry[level] = level < ramp.blackLevels ? Darken(colour, ramp.k[level]) : Lighten(colour, ramp.k[level]);
        }
    }
}
