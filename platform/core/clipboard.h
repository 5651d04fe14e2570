// SPDX-License-Identifier: MIT
#pragma once
// Where a copied frame goes: the desktop's clipboard; tests keep it in memory.

#include <cstdint>

namespace orvex {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    // width x height top-down 32-bit pixels (byte 0 blue, 1 green, 2 red), width per row;
    // the clipboard keeps a copy.
    virtual void SetImage(const uint32_t *pixels, int32_t width, int32_t height) = 0;
};

} // namespace orvex
