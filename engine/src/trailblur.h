// SPDX-License-Identifier: MIT
// The decaying five-point blur behind the star trails, shared by the three blend exports.
#ifndef ORVEX_ENGINE_TRAILBLUR_H
#define ORVEX_ENGINE_TRAILBLUR_H

#include <cstdint>

namespace orvex::engine {

struct BlurGeometry {
    uint32_t *buffer;
    int32_t width; // also the row pitch
    int32_t height;
    int32_t mul;
    int32_t offsetA; // bytes
    int32_t offsetB; // bytes
};

// Rows handled together by the fast pass.
constexpr int32_t kBlurBandRows = 8;

// The straightforward in-place pass: rows top to bottom, columns left to right, bytes
// blue, green, red. It is the fallback and the reference the fast pass must equal.
void BlurRowsInOrder(const BlurGeometry &geometry, int32_t firstRow, int32_t endRow);
// Columns [firstColumn, endColumn) of one row, in the same order.
void BlurColumns(const BlurGeometry &geometry, int32_t row, int32_t firstColumn, int32_t endColumn);

// Receives each band of final rows.
struct BandSink {
    void (*emit)(const void *context, int32_t firstRow, int32_t endRow);
    const void *context;
};

// Blurs rows 1 .. height-2 band by band and hands each band's rows up to height-3 to the
// sink as soon as they are final, while they are still in cache.
void BlurBands(const BlurGeometry &geometry, BandSink sink);

// The three blend exports: the blur, with the rows 0 .. height-3 handed to emitRows(first,
// end) as they become final.
template <class EmitRows>
void TrailBlur(const BlurGeometry &geometry, const EmitRows &emitRows)
{
    if (geometry.height <= 2)
        return;
    emitRows(0, 1); // row 0 is never blurred
    const auto emit = [](const void *context, int32_t first, int32_t end) {
        (*static_cast<const EmitRows *>(context))(first, end);
    };
    BlurBands(geometry, BandSink{emit, &emitRows});
}

} // namespace orvex::engine

#endif
