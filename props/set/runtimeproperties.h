// SPDX-License-Identifier: MIT
#pragma once
// A theme in the form the engine receives: every value clamped first, then scaled.

#include "cycleranges.h"
#include "starpropertyset.h"

#include <cstdint>

namespace orvex {

// Wheel units per degree: the float32 nearest 1024 / 360.
inline constexpr double kDegreesToWheel = 2.844444513320923;

// Stored units to engine units; property cycling scales its values the same way.
inline constexpr double kSpeedScale = 0.00001;        // Speed
inline constexpr double kGravityScale = 0.001;        // Gravity
inline constexpr double kBiasScale = 0.0001;          // CometBiasExp, CometBiasSpd
inline constexpr double kSplineScale = 0.00001;       // CometSplnExp, CometSolWind

struct ColourRuntime {
    int32_t coneBright = 0; // 0 .. 100
    int32_t coneBlack = 0;  // 0 .. 100
    int32_t coneBBias = 0;  // 0 .. 999
    int32_t coneTwist = 0;  // -999 .. 999
    int32_t wedgeMin = 0;   // wheel units, 0 .. 1024
    int32_t wedgeMax = 0;   // wheel units, 0 .. 1024
    int32_t wedgeFra = 1;   // frames, 1 .. 99999
    float startFra = 1;     // frames per turn, 1 .. 99999
    int32_t startAng = 0;   // wheel units, 0 .. 1024

    bool operator==(const ColourRuntime &) const = default;
};

struct RuntimeProperties {
    int32_t stars = 10;
    float speed = 0;
    float persist = 0;
    float gravity = 0;
    int32_t locVOff = 0;
    int32_t blendMul = 0;
    int32_t emitPattern = 0;
    int32_t brightAgeInc = 0; // 0 .. 64
    int32_t cometControl = 4;
    int32_t cometCtrStep = 0;
    int32_t cometBiasPnt = 1;
    float cometBiasExp = 0;
    float cometBiasSpd = 0;
    float cometSplnExp = 0;
    float cometSolWind = 0;
    float cometScalMul = 0;
    bool cycleProps = false;
    CycleRanges cycles;       // clamped to their allowed ranges
    ColourRuntime colour;
};

ColourRuntime ToColourRuntime(const StarPropertySet &set);

RuntimeProperties ToRuntimeProperties(const StarPropertySet &set);

} // namespace orvex
