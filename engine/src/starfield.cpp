// SPDX-License-Identifier: MIT
// SetBrightLumora: moves, ages, re-spawns and plots the comet star field for one frame.
#include "OrvexM6.h"

#include "chunkqueue.h"
#include "emitterpattern.h"
#include "enginestate.h"
#include "helperthread.h"
#include "numeric.h"
#include "processor.h"
#include "starfield.h"

#include <immintrin.h>

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

// Ages a star that moved and lists its pixel if it landed on screen. Whether it did is a
// coin toss for the branch predictor, so the record is written either way, then kept or not.
__attribute__((always_inline)) inline void AgeAndPlot(
    const StarFrame &frame, StarState &state, bool visible, int32_t index, PlotSegment &plots)
{
    --state.life;
    if (state.brightness > kFadeFloor)
        state.brightness -= frame.brightAgeInc;
    const int32_t level = (state.brightness >> kLevelShift) & kLevelMask;
    plots.AppendIf(visible, index, frame.colourTable[(state.colourRow & kRowMask) + level]);
}

__attribute__((always_inline)) inline void MoveAndPlot(
    const StarFrame &frame, StarState &state, StarMotion &star, PlotSegment &plots)
{
    star.vy = static_cast<float>(static_cast<double>(star.vy) + frame.gravity);
    star.x = static_cast<float>(static_cast<double>(star.x) + star.vx);
    star.y = static_cast<float>(static_cast<double>(star.y) + star.vy);
    star.z = static_cast<float>(star.z + (static_cast<double>(star.vz) - frame.speed));
    const double w = 1.0 / star.z;
    const int32_t sx = TruncToInt32((w * star.x + 1) * frame.halfWidth);
    const int32_t sy = TruncToInt32((w * star.y + 1) * frame.halfHeight);
    const bool visible = (star.z > 0.0f) & (static_cast<uint32_t>(sx) < static_cast<uint32_t>(frame.columnLimit))
        & (static_cast<uint32_t>(sy) < static_cast<uint32_t>(frame.rowLimit));
    AgeAndPlot(frame, state, visible, visible ? sx + sy * frame.pitch : 0, plots);
}

// a < b for 32-bit lanes read as unsigned.
__attribute__((target("avx2"), always_inline)) inline __m128i UnsignedLess(__m128i a, __m128i b)
{
    const __m128i sign = _mm_set1_epi32(INT32_MIN);
    return _mm_cmplt_epi32(_mm_xor_si128(a, sign), _mm_xor_si128(b, sign));
}

// MoveAndPlot for four stars side by side: the same double sums, float roundings and
// division, four lanes wide (no fused multiply-add is enabled, so every rounding stays
// where it was). Stars due to be born keep their records as they were and go to onBirth
// in star order; the others are aged and listed in star order.
template <class OnBirth>
__attribute__((target("avx2"))) void MoveFourAndPlot(
    const StarFrame &frame, StarState *states, StarMotion *motions, PlotSegment &plots, const OnBirth &onBirth)
{
    __m128 low[4], high[4];
    for (int32_t k = 0; k < 4; ++k) {
        const __m256 record = _mm256_loadu_ps(&motions[k].x);
        low[k] = _mm256_castps256_ps128(record);
        high[k] = _mm256_extractf128_ps(record, 1);
    }
    _MM_TRANSPOSE4_PS(low[0], low[1], low[2], low[3]);     // x, y, z, vx
    _MM_TRANSPOSE4_PS(high[0], high[1], high[2], high[3]); // vy, vz and the two reserved floats
    const __m128 born = _mm_castsi128_ps(_mm_cmpeq_epi32(
        _mm_setr_epi32(states[0].life, states[1].life, states[2].life, states[3].life), _mm_setzero_si128()));

    const __m128 vy = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_cvtps_pd(high[0]), _mm256_set1_pd(frame.gravity)));
    const __m128 x = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_cvtps_pd(low[0]), _mm256_cvtps_pd(low[3])));
    const __m128 y = _mm256_cvtpd_ps(_mm256_add_pd(_mm256_cvtps_pd(low[1]), _mm256_cvtps_pd(vy)));
    const __m128 z = _mm256_cvtpd_ps(_mm256_add_pd(
        _mm256_cvtps_pd(low[2]), _mm256_sub_pd(_mm256_cvtps_pd(high[1]), _mm256_set1_pd(frame.speed))));

    const __m256d w = _mm256_div_pd(_mm256_set1_pd(1.0), _mm256_cvtps_pd(z));
    const __m256d one = _mm256_set1_pd(1.0);
    const __m128i sx = _mm256_cvttpd_epi32(_mm256_mul_pd(
        _mm256_add_pd(_mm256_mul_pd(w, _mm256_cvtps_pd(x)), one), _mm256_set1_pd(frame.halfWidth)));
    const __m128i sy = _mm256_cvttpd_epi32(_mm256_mul_pd(
        _mm256_add_pd(_mm256_mul_pd(w, _mm256_cvtps_pd(y)), one), _mm256_set1_pd(frame.halfHeight)));
    const __m128i visible = _mm_andnot_si128(_mm_castps_si128(born),
        _mm_and_si128(_mm_castps_si128(_mm_cmp_ps(z, _mm_setzero_ps(), _CMP_GT_OQ)),
            _mm_and_si128(UnsignedLess(sx, _mm_set1_epi32(frame.columnLimit)),
                UnsignedLess(sy, _mm_set1_epi32(frame.rowLimit)))));
    alignas(16) int32_t index[4];
    _mm_store_si128(reinterpret_cast<__m128i *>(index),
        _mm_and_si128(visible, _mm_add_epi32(sx, _mm_mullo_epi32(sy, _mm_set1_epi32(frame.pitch)))));

    low[0] = _mm_blendv_ps(x, low[0], born);
    low[1] = _mm_blendv_ps(y, low[1], born);
    low[2] = _mm_blendv_ps(z, low[2], born);
    high[0] = _mm_blendv_ps(vy, high[0], born);
    _MM_TRANSPOSE4_PS(low[0], low[1], low[2], low[3]);
    _MM_TRANSPOSE4_PS(high[0], high[1], high[2], high[3]);
    for (int32_t k = 0; k < 4; ++k)
        _mm256_storeu_ps(&motions[k].x, _mm256_set_m128(high[k], low[k]));

    const int32_t bornMask = _mm_movemask_ps(born);
    const int32_t visibleMask = _mm_movemask_ps(_mm_castsi128_ps(visible));
    for (int32_t k = 0; k < 4; ++k) {
        if ((bornMask >> k) & 1)
            onBirth(k);
        else
            AgeAndPlot(frame, states[k], (visibleMask >> k) & 1, index[k], plots);
    }
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

struct StarChunks {
    StarState *states = nullptr;
    StarMotion *motions = nullptr;
    int32_t starCount = 0;
    int32_t chunkCount = 0;
    int32_t splitIndex = 0; // the first record index of the lower half of the plot area
    bool fourAtOnce = false;
    ChunkQueue chunks;
    ChunkQueue halves;
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

PlotSegment OpenChunkPlots(int32_t chunk)
{
    return plotList.Open(FirstStar(chunk), EndStar(chunk) - FirstStar(chunk), starChunks.splitIndex);
}

// Moves the stars of one chunk in order, listing their pixels in plots; a star whose
// life has run out goes to onBirth instead.
template <class OnBirth> void StepChunk(int32_t chunk, PlotSegment &plots, const OnBirth &onBirth)
{
    StarChunks &job = starChunks;
    const StarFrame frame = starFrame; // a local copy stays in registers across record stores
    int32_t i = FirstStar(chunk);
    const int32_t end = EndStar(chunk);
    if (job.fourAtOnce) {
        for (; i + 4 <= end; i += 4)
            MoveFourAndPlot(frame, job.states + i, job.motions + i, plots, [&](int32_t k) { onBirth(i + k); });
    }
    for (; i < end; ++i) {
        if (job.states[i].life != 0)
            MoveAndPlot(frame, job.states[i], job.motions[i], plots);
        else
            onBirth(i);
    }
}

// The caller's chunks, in order, with their births: every birth of a chunk the caller
// holds comes before those of the helper's later chunks.
void StepWithBirths(int32_t chunk)
{
    PlotSegment plots = OpenChunkPlots(chunk);
    StepChunk(chunk, plots, [](int32_t i) { Rebirth(starFrame, starChunks.states[i], starChunks.motions[i]); });
    starChunks.plots[chunk] = plots;
}

// On the helper: births draw from the shared random table and ring, so they are only
// listed here and done by the caller afterwards, in star order.
void StepDeferringBirths(int32_t chunk)
{
    StarChunks &job = starChunks;
    PlotSegment plots = OpenChunkPlots(chunk);
    int32_t *deferred = job.deferredBirths + FirstStar(chunk);
    int32_t count = 0;
    StepChunk(chunk, plots, [&](int32_t i) { deferred[count++] = i; });
    job.plots[chunk] = plots;
    job.deferredCount[chunk] = count;
}

// Plots every chunk's records for one half of the plot area, in list order.
void PlotHalf(int32_t half)
{
    for (int32_t chunk = 0; chunk < starChunks.chunkCount; ++chunk) {
        if (half == 0)
            starChunks.plots[chunk].PlotLower(starFrame.plotBase);
        else
            starChunks.plots[chunk].PlotUpper(starFrame.plotBase);
    }
}

void DeferredBirths(int32_t chunk)
{
    const int32_t *deferred = starChunks.deferredBirths + FirstStar(chunk);
    for (int32_t i = 0; i < starChunks.deferredCount[chunk]; ++i)
        Rebirth(starFrame, starChunks.states[deferred[i]], starChunks.motions[deferred[i]]);
}

// The helper's side of ShareItems: items from the back until none is left. Run late, it
// finds the queue empty or helps with whatever the queue holds now, which is correct too.
template <void (*kWork)(int32_t)> void HelpFromTheBack(void *context)
{
    ChunkQueue &queue = *static_cast<ChunkQueue *>(context);
    for (int32_t item; queue.TakeBack(item);) {
        kWork(item);
        queue.HelperFinishedOne();
    }
}

// Runs work for items [0, items), the first ones on the calling thread with kCallerWork,
// the rest, if the helper is asked and gets there, with kHelperWork; returns how many
// the caller did.
template <void (*kCallerWork)(int32_t), void (*kHelperWork)(int32_t)>
int32_t ShareItems(ChunkQueue &queue, int32_t items, bool useHelper)
{
    queue.Open(items);
    if (useHelper && items > 1)
        HelperThread::Wake(&HelpFromTheBack<kHelperWork>, &queue);
    int32_t takenByCaller = 0;
    for (int32_t item; queue.TakeFront(item); ++takenByCaller)
        kCallerWork(item);
    queue.WaitForHelper(takenByCaller);
    return takenByCaller;
}

} // namespace

void StepStars(StarState *states, StarMotion *motions, int32_t starCount, bool useHelper, bool fourAtOnce)
{
    StarChunks &job = starChunks;
    job.fourAtOnce = fourAtOnce;
    job.states = states;
    job.motions = motions;
    job.starCount = starCount;
    job.chunkCount = (starCount + kChunkStars - 1) / kChunkStars;
    job.splitIndex = starFrame.rowLimit / 2 * starFrame.pitch;
    const int32_t chunksWithBirths = ShareItems<StepWithBirths, StepDeferringBirths>(job.chunks, job.chunkCount, useHelper);
    for (int32_t chunk = chunksWithBirths; chunk < job.chunkCount; ++chunk)
        DeferredBirths(chunk);
    // The halves are disjoint, so they may be plotted in any order and at the same time.
    ShareItems<PlotHalf, PlotHalf>(job.halves, job.chunkCount > 0 ? 2 : 0, useHelper);
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

    StepStars(reinterpret_cast<StarState *>(starStates), reinterpret_cast<StarMotion *>(starMotions), starCount, true, ProcessorHasAvx2());
}
