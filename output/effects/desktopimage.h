// SPDX-License-Identifier: MIT
#pragma once
// The desktop picture in the form the desktop blend reads: scaled to the rendering size,
// bottom-up rows of width x 3 bytes, blue, green, red.

#include <QImage>

#include <cstdint>
#include <vector>

namespace orvex {

// Empty when there is no picture (the desktop could not be grabbed).
std::vector<uint8_t> BottomUpDesktop(const QImage &desktop, int32_t width, int32_t height);

} // namespace orvex
