// SetBrightLumora: moves, ages, re-spawns and plots the comet star field for one frame.
#include "OrvexM6.h"

#include "chunkqueue.h"
#include "emitterpattern.h"
#include "enginestate.h"
#include "helperthread.h"
#include "numeric.h"
#include "starfield.h"

#include <algorithm>
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

// Stars are handed out in chunks; each chunk's records start at its first star (at most
// one record per star) and its births, when the helper moves it, are listed from there.
constexpr int32_t kChunkStars = 2048;
constexpr int32_t kMaxChunks = (PlotList::kCapacity + kChunkStars - 1) / kChunkStars;

// The plot area is split into this many windows of record indexes for plotting.
constexpr int32_t kPlotWindows = 2;

struct StarChunks {
    StarState *states = nullptr;
    StarMotion *motions = nullptr;
    int32_t starCount = 0;
    int32_t chunkCount = 0;
    int32_t windowCount = 0;
    ChunkQueue queue;
    ChunkQueue plotWindows;
    PlotSegment plots[kMaxChunks];
    int32_t deferredCount[kMaxChunks] = {};
    int32_t deferredBirths[PlotList::kCapacity] = {};
};

// Scratch of the current star step, shared with the helper thread: static like the rest
// of the module state.
constinit StarChunks starChunks;

int32_t FirstStar(int32_t chunk)
{
    return chunk * kChunkStars;
}

int32_t EndStar(int32_t chunk)
{
    return std::min(FirstStar(chunk + 1), starChunks.starCount);
}

// The caller's chunks, in order, with their births: every birth of a chunk the caller
// holds comes before those of the helper's later chunks.
void StepWithBirths(int32_t chunk)
{
    StarChunks &job = starChunks;
    PlotSegment &plots = job.plots[chunk] = plotList.Open(FirstStar(chunk));
    for (int32_t i = FirstStar(chunk); i < EndStar(chunk); ++i) {
        if (job.states[i].life != 0)
            MoveAndPlot(starFrame, job.states[i], job.motions[i], plots);
        else
            Rebirth(starFrame, job.states[i], job.motions[i]);
    }
}

// On the helper: births draw from the shared random table and ring, so they are only
// listed here and done by the caller afterwards, in star order.
void StepDeferringBirths(int32_t chunk)
{
    StarChunks &job = starChunks;
    PlotSegment &plots = job.plots[chunk] = plotList.Open(FirstStar(chunk));
    int32_t *deferred = job.deferredBirths + FirstStar(chunk);
    int32_t &count = job.deferredCount[chunk] = 0;
    for (int32_t i = FirstStar(chunk); i < EndStar(chunk); ++i) {
        if (job.states[i].life != 0)
            MoveAndPlot(starFrame, job.states[i], job.motions[i], plots);
        else
            deferred[count++] = i;
    }
}

void HelpWithStars(void *)
{
    int32_t chunk;
    while (starChunks.queue.TakeBack(chunk)) {
        StepDeferringBirths(chunk);
        starChunks.queue.HelperFinishedOne();
    }
}

// Plots every chunk's records that fall into one window, in list order.
void PlotWindow(int32_t window)
{
    const StarFrame &frame = starFrame;
    const int64_t area = static_cast<int64_t>(frame.rowLimit) * frame.pitch;
    const int32_t windows = starChunks.windowCount;
    const int64_t span = (area + windows - 1) / windows;
    const int32_t low = window == 0 ? INT32_MIN : static_cast<int32_t>(window * span);
    const int32_t high = window == windows - 1 ? INT32_MAX : static_cast<int32_t>((window + 1) * span);
    for (int32_t chunk = 0; chunk < starChunks.chunkCount; ++chunk)
        starChunks.plots[chunk].PlotWindow(frame.plotBase, low, high);
}

void HelpWithPlotting(void *)
{
    int32_t window;
    while (starChunks.plotWindows.TakeBack(window)) {
        PlotWindow(window);
        starChunks.plotWindows.HelperFinishedOne();
    }
}

void DeferredBirths(int32_t chunk)
{
    const int32_t *deferred = starChunks.deferredBirths + FirstStar(chunk);
    for (int32_t i = 0; i < starChunks.deferredCount[chunk]; ++i)
        Rebirth(starFrame, starChunks.states[deferred[i]], starChunks.motions[deferred[i]]);
}

// Runs `work` for every item of `queue`, sharing the items with the helper when asked;
// returns how many the caller did (the first ones).
template <class Work> int32_t ShareItems(ChunkQueue &queue, int32_t items, bool useHelper, HelperThread::Job help, Work work)
{
    queue.Open(items);
    if (useHelper && items > 1)
        HelperThread::Wake(help, nullptr);
    int32_t takenByCaller = 0;
    for (int32_t item; queue.TakeFront(item); ++takenByCaller)
        work(item);
    queue.WaitForHelper(takenByCaller);
    return takenByCaller;
}

} // namespace

void StepStars(StarState *states, StarMotion *motions, int32_t starCount, bool useHelper)
{
    StarChunks &job = starChunks;
    job.states = states;
    job.motions = motions;
    job.starCount = starCount;
    job.chunkCount = (starCount + kChunkStars - 1) / kChunkStars;
    const int32_t chunksWithBirths = ShareItems(job.queue, job.chunkCount, useHelper, &HelpWithStars, &StepWithBirths);
    for (int32_t chunk = chunksWithBirths; chunk < job.chunkCount; ++chunk)
        DeferredBirths(chunk);
    // Windows are disjoint, so they may be plotted in any order and at the same time.
    job.windowCount = job.chunkCount > 1 ? kPlotWindows : 1;
    ShareItems(job.plotWindows, job.windowCount, useHelper, &HelpWithPlotting, &PlotWindow);
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
