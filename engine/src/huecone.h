// SPDX-License-Identifier: MIT
// Packed colour arithmetic of the hue cone: scale a colour toward black or toward white.
#ifndef ORVEX_ENGINE_HUECONE_H
#define ORVEX_ENGINE_HUECONE_H

#include <cstdint>

namespace orvex::engine {

// Each colour byte b becomes (b * k) >> 8; byte 3 becomes 0.
constexpr uint32_t Darken(uint32_t colour, uint32_t k)
{
    return (((colour & 0xFFu) * k & 0xFF00u) + ((colour & 0xFF00u) * k & 0xFF0000u)
               + ((colour & 0xFF0000u) * k & 0xFF000000u))
        >> 8;
}

// Each colour byte b becomes b + ((255 - b) * k) >> 8; byte 3 is kept.
constexpr uint32_t Lighten(uint32_t colour, uint32_t k)
{
    return colour + Darken(~colour, k);
}

} // namespace orvex::engine

#endif
