// SPDX-License-Identifier: MIT
#pragma once
// The message colour for a hue in degrees, as a pixel value written into the buffer as is.

#include <cstdint>

namespace orvex {

int32_t HueToPixel(int32_t hue);

} // namespace orvex
