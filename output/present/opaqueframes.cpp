// SPDX-License-Identifier: MIT
#include "opaqueframes.h"

#include <algorithm>

namespace orvex {

void OpaqueFrames::Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo)
{
    if (width <= 0 || height <= 0)
        return;
    opaque_.resize(size_t(width) * size_t(height));
    std::transform(buffer, buffer + opaque_.size(), opaque_.begin(), [](uint32_t pixel) { return pixel | 0xff000000u; });
    target_.Present(opaque_.data(), width, height, stretchTo);
}

} // namespace orvex
