// SPDX-License-Identifier: MIT
#pragma once
// A presentation target in memory: keeps the last frame drawn, for snapshots and tests.

#include "presentationtarget.h"

#include <vector>

namespace orvex {

class OffscreenTarget final : public PresentationTarget {
public:
    OffscreenTarget(int32_t width, int32_t height);

    int32_t InnerWidth() const override { return width_; }
    int32_t InnerHeight() const override { return height_; }
    void Resize(int32_t width, int32_t height) override;
    void Clear() override;
    void Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo) override;

    // Top-down 32-bit pixels, InnerWidth() per row.
    const std::vector<uint32_t> &Pixels() const { return pixels_; }
    int PresentCount() const { return presentCount_; }

private:
    int32_t width_;
    int32_t height_;
    std::vector<uint32_t> pixels_;
    int presentCount_ = 0;
};

} // namespace orvex
