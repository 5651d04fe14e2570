// SPDX-License-Identifier: MIT
// What the credits star field keeps from its last call.
#ifndef ORVEX_ENGINE_CREDITSGEOMETRY_H
#define ORVEX_ENGINE_CREDITSGEOMETRY_H

#include <cstdint>

namespace orvex::engine {

struct CreditsGeometry {
    int32_t columnLimit = 0;
    int32_t rowLimit = 0;
    int32_t pitch = 0;
    const uint32_t *colourTable = nullptr;
};

} // namespace orvex::engine

#endif
