// SPDX-License-Identifier: MIT
#include "offscreentarget.h"

#include <algorithm>
#include <cstring>

namespace orvex {

OffscreenTarget::OffscreenTarget(int32_t width, int32_t height)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), pixels_(size_t(width_) * height_, 0)
{
}

void OffscreenTarget::Resize(int32_t width, int32_t height)
{
    width_ = std::max(width, 0);
    height_ = std::max(height, 0);
    pixels_.assign(size_t(width_) * height_, 0);
}

void OffscreenTarget::Clear()
{
    std::fill(pixels_.begin(), pixels_.end(), 0u);
}

void OffscreenTarget::Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect to)
{
    ++presentCount_;
    if (width <= 0 || height <= 0 || to.width <= 0 || to.height <= 0)
        return;
    if (to.width == width && to.height == height && to.x >= 0 && to.y >= 0 && to.x + width <= width_
        && to.y + height <= height_) {
        for (int32_t y = 0; y < height; ++y)
            std::memcpy(pixels_.data() + size_t(to.y + y) * width_ + to.x, buffer + size_t(y) * width,
                        size_t(width) * sizeof(uint32_t));
        return;
    }
    // Nearest neighbour; a 1:1 rectangle maps every row and column to itself.
    for (int32_t dy = std::max(0, -to.y); dy < to.height && to.y + dy < height_; ++dy) {
        const int32_t sy = static_cast<int32_t>(int64_t(dy) * height / to.height);
        const uint32_t *source = buffer + size_t(sy) * width;
        uint32_t *row = pixels_.data() + size_t(to.y + dy) * width_;
        for (int32_t dx = std::max(0, -to.x); dx < to.width && to.x + dx < width_; ++dx)
            row[to.x + dx] = source[int64_t(dx) * width / to.width];
    }
}

} // namespace orvex
