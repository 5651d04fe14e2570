// SPDX-License-Identifier: MIT
#include "hueconepixels.h"

#include <algorithm>

namespace orvex {

namespace {

constexpr uint32_t kOpaque = 0xFF000000;

} // namespace

const std::vector<uint32_t> &HueConePixels::Redraw(EngineLibrary &engine, const HueWheelSettings &wheel,
                                                   const ColourRuntime &cone, int32_t width, int32_t height)
{
    if (width != width_ || height != height_) {
        disc_ = HueConeDiscPixels(width, height);
        width_ = width;
        height_ = height;
    }
    colours_.SetWheelSettings(wheel);
    colours_.RefreshHueWheel(true, false);
    colours_.ApplyBubble(true, false);
    engine.CalcHueConeBrightness(colours_.HueWheelTable().data(), colours_.HueConeTable().data(), 1, cone.coneBright,
                                 cone.coneBlack, cone.coneBBias, cone.coneTwist, wheel.bubbleLevel, wheel.bubbleSpan,
                                 colours_.BubblePosition());
    pixels_.assign(static_cast<size_t>(std::max(width, 0)) * static_cast<size_t>(std::max(height, 0)), 0);
    const std::vector<uint32_t> &table = colours_.HueConeTable();
    for (const DiscPixel &pixel : disc_)
        pixels_[static_cast<size_t>(pixel.y) * static_cast<size_t>(width) + static_cast<size_t>(pixel.x)] =
            kOpaque | table[static_cast<size_t>(pixel.tableIndex)];
    return pixels_;
}

} // namespace orvex
