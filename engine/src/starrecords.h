// SPDX-License-Identifier: MIT
// The caller-owned per-star records, as laid out in the program's arrays.
#ifndef ORVEX_ENGINE_STARRECORDS_H
#define ORVEX_ENGINE_STARRECORDS_H

#include <cstdint>

namespace orvex::engine {

struct StarMotion {
    float x, y, z;
    float vx, vy, vz;
    float reserved[2];
};

struct StarState {
    int32_t life;
    int32_t colourRow;
    int32_t reserved;
    int32_t brightness;
};

static_assert(sizeof(StarMotion) == 8 * sizeof(float));
static_assert(sizeof(StarState) == 4 * sizeof(int32_t));

} // namespace orvex::engine

#endif
