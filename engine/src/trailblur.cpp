// SPDX-License-Identifier: MIT
#include "trailblur.h"

#include "processor.h"

#include <immintrin.h>

#include <algorithm>
#include <cstddef>

// Why the fast pass looks the way it does.
//
// Every byte depends on its freshly updated left neighbour and, through the vertical
// offsets, on updated rows above and still-old rows below, so neither a row nor a column
// can be computed as one vector, and the decay (>> 12, low 8 bits) is not linear, which
// rules out a prefix-sum formulation of the row recurrence. Computing the sums from a
// copy of the old buffer was rejected too: it reads old values where the in-place pass
// reads updated ones.
//
// What is exact: a band of 8 rows in which row k runs 8 columns (one chunk) behind row
// k - 1. Chunk c of row k is then done at step c + k, so every row above it has finished
// that chunk in an earlier step (updated values, already in memory) and every row below
// has not touched it yet (old values), for any whole-row offsets; the left neighbour of a
// chunk is carried in a register. The chunks of one step are independent, so their
// 8 x 8 pixel blocks are transposed and the 8 rows advance together in one register
// column by column: blue and red in one vector, green (and the unused byte 3, discarded)
// in the other, 16 bits a channel, joined into whole pixels again before the one
// transpose back. (s * mul) >> 12 is the high half of s * (mul << 4), exact for
// 0 <= mul < 4096. The steps in the middle of a full band, where every lane has a chunk,
// take a path without the per-lane range tests.
//
// Black chunks: a step whose inputs hold no colour and whose carries are zero writes
// zeros over zeros, so it is passed over; most themes leave most of a frame black.
//
// One thread: bands shared with the engine's helper thread (band n + 1 kept 40 steps
// behind band n, which keeps the single pass exact) were tried and withdrawn. Each band
// ran about 80% slower while its neighbour ran on the other core, as the rows the two
// share kept changing hands between the cores' caches: the blur took 0.9 of the time at
// nearly twice the processor time, and the follower's spinning (or, tried too, sleeping on
// a futex, which hung under load) cost more. Independent halves would scale but are not
// exact: the first row of the lower half needs the final last row of the upper half.

namespace orvex::engine {

namespace {

constexpr int32_t kChunk = 8; // pixels per chunk, one 256-bit register
constexpr int32_t kLanes = kBlurBandRows;
constexpr int32_t kDecayShift = 12;
constexpr int32_t kLargestExactMul = 4095;
constexpr int32_t kLargestNonWrappingMul = 822;

// Lanes without a chunk to do read zeros (and write to their pass's own sink).
alignas(32) const uint32_t kIdleSource[kChunk + 1] = {};

struct ChunkLane {
    const uint32_t *centre;
    const uint32_t *a;
    const uint32_t *b;
    uint32_t *out;
};

// The four old-or-final inputs of a chunk besides its left neighbour: itself, its right
// neighbours and the two offset rows.
struct ChunkInputs {
    __m256i c, r, a, b;
};

__attribute__((target("avx2"), always_inline)) inline ChunkInputs LoadInputs(const ChunkLane &lane)
{
    return ChunkInputs{_mm256_loadu_si256(reinterpret_cast<const __m256i *>(lane.centre)),
        _mm256_loadu_si256(reinterpret_cast<const __m256i *>(lane.centre + 1)),
        _mm256_loadu_si256(reinterpret_cast<const __m256i *>(lane.a)),
        _mm256_loadu_si256(reinterpret_cast<const __m256i *>(lane.b))};
}

__attribute__((target("avx2"), always_inline)) inline void Transpose8x8(__m256i v[8])
{
    __m256i t[8];
#pragma GCC unroll 8
    for (int i = 0; i < 8; i += 2) {
        t[i] = _mm256_unpacklo_epi32(v[i], v[i + 1]);
        t[i + 1] = _mm256_unpackhi_epi32(v[i], v[i + 1]);
    }
    __m256i u[8];
#pragma GCC unroll 8
    for (int i = 0; i < 8; i += 4) {
        u[i] = _mm256_unpacklo_epi64(t[i], t[i + 2]);
        u[i + 1] = _mm256_unpackhi_epi64(t[i], t[i + 2]);
        u[i + 2] = _mm256_unpacklo_epi64(t[i + 1], t[i + 3]);
        u[i + 3] = _mm256_unpackhi_epi64(t[i + 1], t[i + 3]);
    }
#pragma GCC unroll 8
    for (int i = 0; i < 4; ++i) {
        v[i] = _mm256_permute2x128_si256(u[i], u[i + 4], 0x20);
        v[i + 4] = _mm256_permute2x128_si256(u[i], u[i + 4], 0x31);
    }
}

// Blue and red (even bytes) and green and byte 3 (odd bytes) as 16-bit lanes.
__attribute__((target("avx2"), always_inline)) inline __m256i EvenBytes(__m256i v)
{
    return _mm256_and_si256(v, _mm256_set1_epi16(0x00FF));
}

__attribute__((target("avx2"), always_inline)) inline __m256i OddBytes(__m256i v)
{
    return _mm256_srli_epi16(v, 8);
}

class BandPass {
public:
    BandPass(const BlurGeometry &geometry, int32_t band)
        : g_(geometry), firstRow_(1 + band * kLanes),
          rows_(std::min(kLanes, geometry.height - 1 - firstRow_)), chunks_((geometry.width - 2) / kChunk),
          tailColumn_(1 + chunks_ * kChunk), rowA_(geometry.offsetA / 4), rowB_(geometry.offsetB / 4)
    {
    }
    int32_t FirstRow() const { return firstRow_; }
    int32_t EndRow() const { return firstRow_ + rows_; }

    template <bool kWrap> __attribute__((target("avx2"))) void Run();

private:
    struct Carry {
        __m256i even, odd;
    };

    uint32_t *Row(int32_t lane) const { return g_.buffer + static_cast<ptrdiff_t>(firstRow_ + lane) * g_.width; }
    bool HasTail() const { return tailColumn_ < g_.width - 1; }
    // Every lane has a chunk at this step: the middle of a full band, most of the work.
    bool AllLanesBusy(int32_t step) const { return rows_ == kLanes && step >= kLanes && step < chunks_; }
    template <bool kAllLanesBusy> __attribute__((always_inline)) ChunkLane LaneAt(int32_t lane, int32_t step);
    __attribute__((target("avx2"))) Carry LeftColumn() const;
    template <bool kAllLanesBusy>
    __attribute__((target("avx2"), always_inline)) bool InputsAreBlack(int32_t step);
    template <bool kWrap, bool kAllLanesBusy>
    __attribute__((target("avx2"), always_inline)) void Step(int32_t step, const Carry &left, Carry &carry, bool &black);

    const BlurGeometry &g_;
    int32_t firstRow_;
    int32_t rows_;
    int32_t chunks_;
    int32_t tailColumn_;
    ptrdiff_t rowA_; // offsets in pixels
    ptrdiff_t rowB_;
    alignas(32) uint32_t idleSink_[kChunk] = {};
};

template <bool kAllLanesBusy> inline ChunkLane BandPass::LaneAt(int32_t lane, int32_t step)
{
    const int32_t chunk = step - lane;
    if (!kAllLanesBusy && (lane >= rows_ || chunk < 0 || chunk >= chunks_))
        return ChunkLane{kIdleSource, kIdleSource, kIdleSource, idleSink_};
    uint32_t *centre = Row(lane) + 1 + chunk * kChunk;
    return ChunkLane{centre, centre + rowA_, centre + rowB_, centre};
}

// Column 0 of each row: the left neighbour of its first chunk, never changed.
__attribute__((target("avx2"))) BandPass::Carry BandPass::LeftColumn() const
{
    alignas(32) uint32_t column[kLanes] = {};
    for (int32_t lane = 0; lane < rows_; ++lane)
        column[lane] = Row(lane)[0];
    const __m256i v = _mm256_load_si256(reinterpret_cast<const __m256i *>(column));
    return Carry{EvenBytes(v), OddBytes(v)};
}

template <bool kAllLanesBusy> inline bool BandPass::InputsAreBlack(int32_t step)
{
    __m256i any = _mm256_setzero_si256();
#pragma GCC unroll 8
    for (int32_t lane = 0; lane < kLanes; ++lane) {
        const auto [c, r, a, b] = LoadInputs(LaneAt<kAllLanesBusy>(lane, step));
        any = _mm256_or_si256(any, _mm256_or_si256(_mm256_or_si256(c, r), _mm256_or_si256(a, b)));
    }
    return _mm256_testz_si256(any, _mm256_set1_epi32(0x00FFFFFF));
}

template <bool kWrap, bool kAllLanesBusy>
inline void BandPass::Step(int32_t step, const Carry &left, Carry &carry, bool &black)
{
    // A lane on its first chunk takes column 0 as its left neighbour.
    if (!kAllLanesBusy) {
        const __m256i started = _mm256_cmpgt_epi32(_mm256_set1_epi32(step), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
        carry.even = _mm256_blendv_epi8(left.even, carry.even, started);
        carry.odd = _mm256_blendv_epi8(left.odd, carry.odd, started);
    }
    // Black in, black out: inputs without colour, and no colour carried from the left,
    // give zeros, which the chunks already hold, and carry zero on (byte 3 has lanes of its
    // own, whose results are never kept). Black comes in runs, so after a black step the
    // inputs themselves are tested first, before any sums are formed; every carry is zero
    // then, those of lanes still waiting for their first chunk included.
    if (black && InputsAreBlack<kAllLanesBusy>(step))
        return;
    const __m256i mul16 = _mm256_set1_epi16(static_cast<int16_t>(g_.mul << (16 - kDecayShift)));
    ChunkLane lanes[kLanes];
    __m256i even[kLanes], odd[kLanes];
    __m256i anyEven = _mm256_setzero_si256(), anyOdd = _mm256_setzero_si256();
#pragma GCC unroll 8
    for (int32_t lane = 0; lane < kLanes; ++lane) {
        lanes[lane] = LaneAt<kAllLanesBusy>(lane, step);
        const auto [c, r, a, b] = LoadInputs(lanes[lane]);
        // 16-bit sums of whole byte pairs: the odd bytes' sum times 256 plus the even
        // bytes' sum, modulo 65536, and the even sum (at most 1020) is what remains.
        const __m256i pairs = _mm256_add_epi16(_mm256_add_epi16(c, r), _mm256_add_epi16(a, b));
        odd[lane] = _mm256_add_epi16(_mm256_add_epi16(OddBytes(c), OddBytes(r)),
            _mm256_add_epi16(OddBytes(a), OddBytes(b)));
        even[lane] = _mm256_sub_epi16(pairs, _mm256_slli_epi16(odd[lane], 8));
        anyEven = _mm256_or_si256(anyEven, even[lane]);
        anyOdd = _mm256_or_si256(anyOdd, odd[lane]);
    }
    // The same test on the sums, which are zero exactly when their colour inputs are.
    const __m256i greenLanes = _mm256_set1_epi32(0x0000FFFF);
    black = _mm256_testz_si256(_mm256_or_si256(anyEven, carry.even), _mm256_or_si256(anyEven, carry.even))
        && _mm256_testz_si256(_mm256_or_si256(anyOdd, carry.odd), greenLanes);
    if (black)
        return;
    Transpose8x8(even);
    Transpose8x8(odd);
    __m256i pixels[kChunk];
#pragma GCC unroll 8
    for (int32_t column = 0; column < kChunk; ++column) {
        carry.even = _mm256_mulhi_epu16(_mm256_add_epi16(even[column], carry.even), mul16);
        carry.odd = _mm256_mulhi_epu16(_mm256_add_epi16(odd[column], carry.odd), mul16);
        if constexpr (kWrap) {
            carry.even = _mm256_and_si256(carry.even, _mm256_set1_epi16(0x00FF));
            carry.odd = _mm256_and_si256(carry.odd, _mm256_set1_epi16(0x00FF));
        }
        pixels[column] = _mm256_or_si256(carry.even, _mm256_slli_epi16(carry.odd, 8));
    }
    Transpose8x8(pixels);
    const __m256i byte3 = _mm256_set1_epi32(static_cast<int32_t>(0xFF000000u));
#pragma GCC unroll 8
    for (int32_t lane = 0; lane < kLanes; ++lane) {
        // Byte 3 comes back from memory, which still holds the chunk's old pixels.
        const __m256i original = _mm256_loadu_si256(reinterpret_cast<const __m256i *>(lanes[lane].out));
        const __m256i kept = _mm256_blendv_epi8(pixels[lane], original, byte3);
        _mm256_storeu_si256(reinterpret_cast<__m256i *>(lanes[lane].out), kept);
    }
}

template <bool kWrap> __attribute__((target("avx2"))) void BandPass::Run()
{
    const Carry left = LeftColumn();
    Carry carry = left;
    const int32_t steps = chunks_ + (HasTail() ? 1 : 0) + rows_ - 1;
    bool black = false;
    for (int32_t step = 0; step < steps; ++step) {
        if (AllLanesBusy(step))
            Step<kWrap, true>(step, left, carry, black);
        else
            Step<kWrap, false>(step, left, carry, black);
        // The partial last chunk of a row, in its turn.
        const int32_t tailLane = step - chunks_;
        if (HasTail() && tailLane >= 0 && tailLane < rows_)
            BlurColumns(g_, firstRow_ + tailLane, tailColumn_, g_.width - 1);
    }
}

} // namespace

void BlurColumns(const BlurGeometry &geometry, int32_t row, int32_t firstColumn, int32_t endColumn)
{
    auto *bytes = reinterpret_cast<uint8_t *>(geometry.buffer + static_cast<ptrdiff_t>(row) * geometry.width);
    const uint32_t mul = static_cast<uint32_t>(geometry.mul);
    for (int32_t x = firstColumn; x < endColumn; ++x) {
        uint8_t *pixel = bytes + 4 * static_cast<ptrdiff_t>(x);
        for (int32_t channel = 0; channel < 3; ++channel) {
            uint8_t *byte = pixel + channel;
            const uint32_t sum = byte[0] + byte[geometry.offsetA] + byte[geometry.offsetB] + byte[-4] + byte[4];
            // 32-bit product, arithmetic shift, low 8 bits kept: wraps for mul above 822.
            byte[0] = static_cast<uint8_t>(static_cast<int32_t>(sum * mul) >> kDecayShift);
        }
    }
}

void BlurRowsInOrder(const BlurGeometry &geometry, int32_t firstRow, int32_t endRow)
{
    for (int32_t row = firstRow; row < endRow; ++row)
        BlurColumns(geometry, row, 1, geometry.width - 1);
}

namespace {

bool FastBlurApplies(const BlurGeometry &geometry)
{
    const int32_t rowBytes = 4 * geometry.width;
    return geometry.width - 2 >= kChunk && geometry.offsetA % rowBytes == 0 && geometry.offsetB % rowBytes == 0 && geometry.mul >= 0
        && geometry.mul <= kLargestExactMul && ProcessorHasAvx2();
}

void BlurBandsInOrder(const BlurGeometry &geometry, BandSink sink)
{
    for (int32_t first = 1; first < geometry.height - 1; first += kBlurBandRows) {
        const int32_t end = std::min(first + kBlurBandRows, geometry.height - 1);
        BlurRowsInOrder(geometry, first, end);
        sink.emit(sink.context, first, std::min(end, geometry.height - 2));
    }
}

} // namespace

void BlurBands(const BlurGeometry &geometry, BandSink sink)
{
    if (!FastBlurApplies(geometry)) {
        BlurBandsInOrder(geometry, sink);
        return;
    }
    const int32_t bandCount = (geometry.height - 2 + kBlurBandRows - 1) / kBlurBandRows;
    for (int32_t band = 0; band < bandCount; ++band) {
        BandPass pass(geometry, band);
        if (geometry.mul <= kLargestNonWrappingMul)
            pass.Run<false>();
        else
            pass.Run<true>();
        sink.emit(sink.context, pass.FirstRow(), std::min(pass.EndRow(), geometry.height - 2));
    }
}

} // namespace orvex::engine
