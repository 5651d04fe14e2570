// SPDX-License-Identifier: MIT
#include "huetopixel.h"

#include <cmath>

namespace orvex {

int32_t HueToPixel(int32_t hue)
{
    const int32_t h = ((hue % 360) + 360) % 360;
    const float f = static_cast<float>(h % 60) / 60.0f;
    const int32_t up = static_cast<int32_t>(std::floor(f * 200.0 + 55.0));
    const int32_t down = static_cast<int32_t>(std::floor((1.0 - f) * 200.0 + 55.0));
    struct Channels {
        int32_t high, middle, low;
    };
    const Channels sextant[] = {
        {55, up, 255}, {55, 255, down}, {up, 255, 55}, {255, down, 55}, {255, 55, up}, {down, 55, 255},
    };
    const Channels c = sextant[h / 60];
    return (c.high << 16) | (c.middle << 8) | c.low;
}

} // namespace orvex
