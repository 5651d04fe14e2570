// SPDX-License-Identifier: MIT
// The colour filter applied on the way out of the work buffer.
#ifndef ORVEX_ENGINE_COLOURMASK_H
#define ORVEX_ENGINE_COLOURMASK_H

#include <cstdint>

namespace orvex::engine {

enum class MaskMode : int32_t { Plain = 0, And = 1, Xor = 2 };

struct ColourMask {
    MaskMode mode;
    uint32_t mask;

    uint32_t Apply(uint32_t pixel) const
    {
        switch (mode) {
        case MaskMode::And:
            return pixel & mask;
        case MaskMode::Xor:
            return pixel ^ mask;
        default:
            return pixel;
        }
    }
};

} // namespace orvex::engine

#endif
