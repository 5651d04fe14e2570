// SPDX-License-Identifier: MIT
// The values one SetBrightLumora call works with, derived once at the start of the call.
#ifndef ORVEX_ENGINE_STARFRAME_H
#define ORVEX_ENGINE_STARFRAME_H

#include <cstdint>

namespace orvex::engine {

struct StarFrame {
    // Projection and plotting
    uint32_t *plotBase = nullptr;
    const uint32_t *colourTable = nullptr;
    int32_t halfWidth = 0;
    int32_t halfHeight = 0;
    int32_t columnLimit = 0;
    int32_t rowLimit = 0;
    int32_t pitch = 0;
    // Motion and ageing
    float speed = 0.0f;
    float gravity = 0.0f;
    int32_t brightAgeInc = 0;
    int32_t persistKey = 0;
    // Birth on the comet spline
    const float *pathX = nullptr;
    const float *pathY = nullptr;
    const float *pathZ = nullptr;
    int32_t segments = 0;
    float invSegments = 0.0f;
    float pointScale = 0.0f;
    float segmentsPerPoint = 0.0f;
    float phase = 0.0f;
    int32_t emitPattern = 0;
    float spread = 0.0f;
    float solarWind = 0.0f;
    int32_t headStart = 0;
    // Colour rows
    int32_t swingAmplitude = 0;
    float hueBase = 0.0f;
};

} // namespace orvex::engine

#endif
