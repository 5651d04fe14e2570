// SPDX-License-Identifier: MIT
#include "framegeometry.h"

#include "numbertext.h"

#include <algorithm>

namespace orvex {

FrameGeometry ComputeFrameGeometry(int32_t requestedWidth, int32_t requestedHeight, int32_t vertOffset)
{
    int32_t width = std::clamp(requestedWidth, kSmallestRenderWidth, kLargestRenderSide);
    const int32_t height = std::clamp(requestedHeight, kSmallestRenderHeight, kLargestRenderSide);
    width = (width + 3) / 4 * 4;

    FrameGeometry g{};
    g.renderWidth = width;
    g.renderHeight = height;
    g.halfWidth = RoundHalfEven(width * 0.5);
    g.halfHeight = RoundHalfEven(height * 0.5);
    g.xLimit = width - 1;
    g.topMargin = vertOffset > 2 ? vertOffset - 1 : 1;
    g.yLimit = vertOffset < -2 ? height + vertOffset : height - 2;
    return g;
}

FrameInfoHeader MakeFrameInfoHeader(int32_t width, int32_t height)
{
    FrameInfoHeader header;
    header.biWidth = width;
    header.biHeight = -height;
    header.biSizeImage = ((width * 32 + 31) / 32) * 4 * height;
    return header;
}

TrailOffsets ComputeTrailOffsets(int32_t vertOffset, int32_t pitch)
{
    const int32_t row = 4 * pitch;
    TrailOffsets t{};
    if (vertOffset >= 0) {
        t.offsetA = -row;
        t.offsetB = row * (1 - vertOffset);
    } else {
        t.offsetA = row;
        t.offsetB = -row * (vertOffset + 1);
    }
    if (vertOffset >= 3)
        t.skipRows = vertOffset - 2;
    else if (vertOffset <= -3)
        t.skipRows = -2 - vertOffset;
    else
        t.skipRows = 0;
    return t;
}

} // namespace orvex
