// SPDX-License-Identifier: MIT
#pragma once
// Sizes of one display run: the rendering size, the star band handed to the engine,
// the bitmap header the frame is described by, and the trail drift offsets.

#include <cstdint>

namespace orvex {

struct FrameGeometry {
    int32_t renderWidth;  // a multiple of 4, at least 16; also the buffers' pitch
    int32_t renderHeight; // at least 12
    int32_t halfWidth;
    int32_t halfHeight;
    int32_t xLimit;
    int32_t topMargin;
    int32_t yLimit;
};

// The smallest rendering size the frame presenter and the engine's star band can work with.
inline constexpr int32_t kSmallestRenderWidth = 16;
inline constexpr int32_t kSmallestRenderHeight = 12;

// The largest rendering side: larger frames would need more memory than any screen could show.
inline constexpr int32_t kLargestRenderSide = 16384;

// requestedWidth x requestedHeight raised to the minimums, capped at kLargestRenderSide and
// rounded up to a multiple of 4;
// vertOffset in -9..9 moves the star band away from the rows the trail drift leaves out.
FrameGeometry ComputeFrameGeometry(int32_t requestedWidth, int32_t requestedHeight, int32_t vertOffset);

// The 40-byte bitmap header fields describing a top-down 32-bit frame.
struct FrameInfoHeader {
    int32_t biSize = 40;
    int32_t biWidth = 0;
    int32_t biHeight = 0; // negative: rows run top-down
    int16_t biPlanes = 1;
    int16_t biBitCount = 32;
    int32_t biCompression = 0;
    int32_t biSizeImage = 0;
    int32_t biXPelsPerMeter = 0;
    int32_t biYPelsPerMeter = 0;
    int32_t biClrUsed = 0;
    int32_t biClrImportant = 0;
};

FrameInfoHeader MakeFrameInfoHeader(int32_t width, int32_t height);

// Where the trail blur reads its two "vertical" neighbours (byte offsets), and how many
// rows at the top it leaves alone, for a drift of vertOffset rows.
struct TrailOffsets {
    int32_t offsetA;
    int32_t offsetB;
    int32_t skipRows;
};

TrailOffsets ComputeTrailOffsets(int32_t vertOffset, int32_t pitch);

} // namespace orvex
