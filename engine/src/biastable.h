// SPDX-License-Identifier: MIT
// Where along a bias point's span stars are born, and how bright: 2,048 weighted values.
#ifndef ORVEX_ENGINE_BIASTABLE_H
#define ORVEX_ENGINE_BIASTABLE_H

#include <cstdint>

namespace orvex::engine {

struct BiasTable {
    static constexpr int32_t kPairs = 1024;

    void Rebuild(float exponent);
    // A random entry of the whole table, indexed by the top 11 bits of a 15-bit draw.
    float Pick(int32_t draw) const { return values[draw >> 4]; }

    float values[2 * kPairs] = {};
};

} // namespace orvex::engine

#endif
