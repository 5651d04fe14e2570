// SPDX-License-Identifier: MIT
#pragma once
// The numeric properties of one theme: the star properties, the cycling switch and the
// colour settings, in the order their settings are declared.

#include <cstdint>

namespace orvex {

enum class StarProperty : uint8_t {
    Stars,
    Speed,
    Persist,
    Gravity,
    LocVOff,
    BrightAgeInc,
    CometControl,
    CometCtrStep,
    CometBiasPnt,
    CometBiasExp,
    CometBiasSpd,
    CometSplnExp,
    CometSolWind,
    CometScalMul,
    BlendMul,
    EmitPattern,
    CycleProps,
    ConeBright,
    ConeBlack,
    ConeBBias,
    ConeTwist,
    WedgeMin,
    WedgeMax,
    WedgeFra,
    StartFra,
    StartAng,
};

inline constexpr int kStarPropertyCount = static_cast<int>(StarProperty::StartAng) + 1;

} // namespace orvex
