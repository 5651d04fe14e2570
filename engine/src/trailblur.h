// The decaying five-point blur behind the star trails, shared by the three blend exports.
#ifndef ORVEX_ENGINE_TRAILBLUR_H
#define ORVEX_ENGINE_TRAILBLUR_H

#include <algorithm>
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

// Rows handled together by the fast pass; each band is final when BlurBand returns.
constexpr int32_t kBlurBandRows = 8;

// The straightforward in-place pass: rows top to bottom, columns left to right, bytes
// blue, green, red. It is the fallback and the reference the fast pass must equal.
void BlurRowsInOrder(const BlurGeometry &geometry, int32_t firstRow, int32_t endRow);
// Columns [firstColumn, endColumn) of one row, in the same order.
void BlurColumns(const BlurGeometry &geometry, int32_t row, int32_t firstColumn, int32_t endColumn);

// Whether the fast pass handles this geometry on this processor.
bool FastBlurApplies(const BlurGeometry &geometry);
// Rows [firstRow, endRow) (at most kBlurBandRows), with the same result as BlurRowsInOrder.
void BlurBandFast(const BlurGeometry &geometry, int32_t firstRow, int32_t endRow);

// Blurs rows 1 .. height-2 and hands the rows 0 .. height-3 to emitRows(first, end) in
// order as they become final, while they are still in cache.
template <class EmitRows>
void TrailBlur(const BlurGeometry &geometry, EmitRows &&emitRows)
{
    if (geometry.height <= 2)
        return;
    emitRows(0, 1); // row 0 is never blurred
    const int32_t endRow = geometry.height - 1;
    const bool fast = FastBlurApplies(geometry);
    for (int32_t first = 1; first < endRow; first += kBlurBandRows) {
        const int32_t end = std::min(first + kBlurBandRows, endRow);
        if (fast)
            BlurBandFast(geometry, first, end);
        else
            BlurRowsInOrder(geometry, first, end);
        emitRows(first, std::min(end, endRow - 1));
    }
}

} // namespace orvex::engine

#endif
