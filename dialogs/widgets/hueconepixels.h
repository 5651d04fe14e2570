// SPDX-License-Identifier: MIT
#pragma once
// The hue-cone picture of the dialogs: for each redraw a private wheel (with the bubble
// applied where it starts) and a private cone table built by the engine from the colour
// settings, shown on a disc whose angle is the wheel position and whose distance from
// the centre is the brightness level. The running animation's tables are never touched.

#include "colourstate.h"
#include "enginelibrary.h"
#include "huepicture.h"
#include "runtimeproperties.h"

#include <cstdint>
#include <vector>

namespace orvex {

class HueConePixels {
public:
    // The picture's pixels, rows top first, 0xFFRRGGBB on the disc and 0 (transparent)
    // around it. Throws EngineError when the engine cannot be called.
    const std::vector<uint32_t> &Redraw(EngineLibrary &engine, const HueWheelSettings &wheel,
                                        const ColourRuntime &cone, int32_t width, int32_t height);

private:
    ColourState colours_;
    std::vector<DiscPixel> disc_; // of the last size drawn, reused while the size stays
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;
};

} // namespace orvex
