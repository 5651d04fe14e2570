// SetBrightLumora: moves, ages, re-spawns and plots the comet star field for one frame.
#include "OrvexM6.h"

#include "emitterpattern.h"
#include "enginestate.h"
#include "helperthread.h"
#include "numeric.h"
#include "starfield.h"

#include <cmath>
#include <cstddef>
#include <numbers>

namespace orvex::engine {

namespace {

constexpr int32_t kLevelShift = 6;
constexpr int32_t kLevelMask = 63;
constexpr int32_t kRowMask = 0xFFC0;
constexpr int32_t kFadeFloor = 64;
constexpr float kOneSixth = 0.16666667f;

// Uniform cubic B-spline of the four control points starting at p, at fraction f.
float SplinePoint(const float *p, double f)
{
    const double p0 = p[0], p1 = p[1], p2 = p[2], p3 = p[3];
    const double cubic = -p0 + 3 * p1 - 3 * p2 + p3;
    const double square = 3 * p0 - 6 * p1 + 3 * p2;
    const double linear = 3 * p2 - 3 * p0;
    const double constant = p0 + 4 * p1 + p2;
    return static_cast<float>((((cubic * f + square) * f + linear) * f + constant) * kOneSixth);
}

void MoveAndPlot(const StarFrame &frame, StarState &state, StarMotion &star, PlotSegment &plots)
{
    star.vy = static_cast<float>(static_cast<double>(star.vy) + frame.gravity);
    star.x = static_cast<float>(static_cast<double>(star.x) + star.vx);
    star.y = static_cast<float>(static_cast<double>(star.y) + star.vy);
    star.z = static_cast<float>(star.z + (static_cast<double>(star.vz) - frame.speed));
    --state.life;
    if (state.brightness > kFadeFloor)
        state.brightness -= frame.brightAgeInc;
    if (!(star.z > 0.0f))
        return;
    const double w = 1.0 / star.z;
    const int32_t sx = TruncToInt32((w * star.x + 1) * frame.halfWidth);
    if (static_cast<uint32_t>(sx) >= static_cast<uint32_t>(frame.columnLimit))
        return;
    const int32_t sy = TruncToInt32((w * star.y + 1) * frame.halfHeight);
    if (static_cast<uint32_t>(sy) >= static_cast<uint32_t>(frame.rowLimit))
        return;
    const int32_t level = (state.brightness >> kLevelShift) & kLevelMask;
    plots.Append(sx + sy * frame.pitch, frame.colourTable[(state.colourRow & kRowMask) + level]);
}

void Rebirth(const StarFrame &frame, StarState &state, StarMotion &star)
{
    RandomTable &random = randomTable;
    state.life = lifetimeRing.Take();
    const float bias = biasTable.Pick(random.Next());
    const int32_t point = TruncToInt32(random.Next() * static_cast<double>(frame.pointScale));

    const double along = (point + static_cast<double>(bias)) * frame.segmentsPerPoint + frame.phase;
    const int32_t whole = TruncToInt32(along);
    const int32_t segment = whole >= frame.segments ? whole - frame.segments : whole;
    const float fraction = static_cast<float>(along - whole);
    const float position = static_cast<float>((segment + static_cast<double>(fraction)) * frame.invSegments);
    const int32_t level = TruncToInt32(bias * 63.0) & kLevelMask;

    star.x = SplinePoint(frame.pathX + segment, fraction);
    star.y = SplinePoint(frame.pathY + segment, fraction);
    star.z = SplinePoint(frame.pathZ + segment, fraction);
    EmitVelocity(frame.emitPattern, frame.spread, random, star);
    if (frame.solarWind > 0.0f) { // pushes away from (0, 0, 1)
        star.vx = static_cast<float>(star.vx + static_cast<double>(frame.solarWind) * star.x);
        star.vy = static_cast<float>(star.vy + static_cast<double>(frame.solarWind) * star.y);
        star.vz = static_cast<float>(star.vz + static_cast<double>(frame.solarWind) * (star.z - 1.0));
    }
    if (frame.headStart > 0) {
        star.x = static_cast<float>(star.x + static_cast<double>(frame.headStart) * star.vx);
        star.y = static_cast<float>(star.y + static_cast<double>(frame.headStart) * star.vy);
        star.z = static_cast<float>(star.z + static_cast<double>(frame.headStart) * star.vz);
    }
    const double swing = std::sin(position * 2 * std::numbers::pi) * frame.swingAmplitude;
    state.colourRow = TruncToInt32(swing + frame.hueBase) & kRowMask;
    state.brightness = level << kLevelShift;
}

// Below this many stars handing half of them to the helper costs more than it saves.
constexpr int32_t kSplitFromStars = 8192;

// Stars [first, end) with the records they plot. Births draw from the shared random table
// and ring, so only the calling thread does them, in star order.
struct StarRange {
    StarState *states;
    StarMotion *motions;
    int32_t first;
    int32_t end;
    PlotSegment plots;
    int32_t deferredCount = 0;
};

void StepWithBirths(StarRange &range)
{
    for (int32_t i = range.first; i < range.end; ++i) {
        if (range.states[i].life != 0)
            MoveAndPlot(starFrame, range.states[i], range.motions[i], range.plots);
        else
            Rebirth(starFrame, range.states[i], range.motions[i]);
    }
}

// On the helper: moves the living stars and lists the ones due for birth.
void StepDeferringBirths(void *context)
{
    StarRange &range = *static_cast<StarRange *>(context);
    for (int32_t i = range.first; i < range.end; ++i) {
        if (range.states[i].life != 0)
            MoveAndPlot(starFrame, range.states[i], range.motions[i], range.plots);
        else
            deferredBirths[range.deferredCount++] = i;
    }
}

// The upper half's births come after every birth of the lower half, as in star order.
void DeferredBirths(const StarRange &range)
{
    for (int32_t i = 0; i < range.deferredCount; ++i) {
        const int32_t star = deferredBirths[i];
        Rebirth(starFrame, range.states[star], range.motions[star]);
    }
}

} // namespace

void StepStars(StarState *states, StarMotion *motions, int32_t starCount, bool useHelper)
{
    const bool split = useHelper && starCount >= kSplitFromStars;
    const int32_t half = split ? starCount / 2 : starCount;
    // At most one record per star: the upper half's records start at its first star.
    StarRange upper{states, motions, half, starCount, plotList.Open(half)};
    if (split)
        HelperThread::Offer(&StepDeferringBirths, &upper);
    StarRange lower{states, motions, 0, half, plotList.Open()};
    StepWithBirths(lower);
    if (split) {
        HelperThread::Finish();
        DeferredBirths(upper);
    }
    lower.plots.PlotInto(starFrame.plotBase);
    upper.plots.PlotInto(starFrame.plotBase);
}

} // namespace orvex::engine

using namespace orvex::engine;

extern "C" void SetBrightLumora(int32_t halfWidth, int32_t halfHeight, int32_t xLimit, int32_t pitch,
    int32_t topMargin, int32_t yLimit, uint32_t *pixels, const uint32_t *colourTable,
    int32_t starCount, int32_t *starStates, float *starMotions,
    const float *pathX, const float *pathY, const float *pathZ,
    float speed, float persist, float hueStart, float gravity, int32_t hueSwing,
    int32_t emitPattern, int32_t locVOff, int32_t brightAgeInc, int32_t biasTableHold,
    int32_t cometControl, int32_t cometBiasPnt, float cometBiasExp, float cometPhase,
    float cometSplnExp, float cometSolWind, float /*cometScalMul: only the program scales the spline*/)
{
    StarFrame &frame = starFrame;
    frame.plotBase = pixels + static_cast<ptrdiff_t>(topMargin + 1) * pitch + 1;
    frame.colourTable = colourTable;
    frame.halfWidth = halfWidth;
    frame.halfHeight = halfHeight;
    frame.columnLimit = xLimit - 1;
    frame.rowLimit = yLimit - topMargin - 1;
    frame.pitch = pitch;
    frame.speed = speed;
    frame.gravity = gravity;
    frame.brightAgeInc = brightAgeInc;
    frame.persistKey = TruncToInt32(persist * 32768.0);
    frame.pathX = pathX;
    frame.pathY = pathY;
    frame.pathZ = pathZ;
    frame.segments = cometControl;
    frame.invSegments = static_cast<float>(1.0 / cometControl);
    frame.pointScale = static_cast<float>(cometBiasPnt * 0x1p-15);
    frame.segmentsPerPoint = static_cast<float>(static_cast<double>(cometControl) / cometBiasPnt);
    frame.phase = cometPhase;
    frame.emitPattern = emitPattern;
    frame.spread = cometSplnExp;
    frame.solarWind = cometSolWind;
    frame.headStart = locVOff;
    frame.swingAmplitude = (hueSwing & ~1) * 32;
    frame.hueBase = static_cast<float>(hueStart * 64.0);

    lifetimeRing.Update(frame.persistKey, randomTable);
    if (biasTableHold == 0)
        biasTable.Rebuild(cometBiasExp);

    StepStars(reinterpret_cast<StarState *>(starStates), reinterpret_cast<StarMotion *>(starMotions), starCount, true);
}
