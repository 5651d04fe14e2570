// SPDX-License-Identifier: MIT
#include "runtimeproperties.h"

#include "numbertext.h"
#include "settingdescriptors.h"
#include "settingsstore.h"

namespace orvex {

namespace {

using SP = StarProperty;

constexpr int32_t kFullTurnDegrees = 360;

// Clamped to the property's declared range: the run-time clamps are the dialog's.
int32_t ClampedInt(const StarPropertySet &set, SP property)
{
    const SettingRange range = DescriptorOf(property).range;
    return ClampLong(set.Int(property), RoundHalfEven(range.low), RoundHalfEven(range.high));
}

float ClampedFloat(const StarPropertySet &set, SP property)
{
    const SettingRange range = DescriptorOf(property).range;
    return ClampSingle(set.Float(property), static_cast<float>(range.low), static_cast<float>(range.high));
}

// Nearest whole number, clamped, then scaled.
float WholeScaled(const StarPropertySet &set, SP property, double scale)
{
    return static_cast<float>(ClampedInt(set, property) * scale);
}

// Angles are clamped to a full turn whatever the dialog allows, then turned into wheel units.
int32_t DegreesToWheel(const StarPropertySet &set, SP property)
{
    return RoundHalfEven(ClampLong(set.Int(property), 0, kFullTurnDegrees) * kDegreesToWheel);
}

} // namespace

ColourRuntime ToColourRuntime(const StarPropertySet &set)
{
    ColourRuntime colour;
    colour.coneBright = ClampedInt(set, SP::ConeBright);
    colour.coneBlack = ClampedInt(set, SP::ConeBlack);
    colour.coneBBias = ClampedInt(set, SP::ConeBBias);
    colour.coneTwist = ClampedInt(set, SP::ConeTwist);
    colour.wedgeMin = DegreesToWheel(set, SP::WedgeMin);
    colour.wedgeMax = DegreesToWheel(set, SP::WedgeMax);
    colour.wedgeFra = ClampedInt(set, SP::WedgeFra);
    colour.startFra = ClampedFloat(set, SP::StartFra);
    colour.startAng = DegreesToWheel(set, SP::StartAng);
    return colour;
}

RuntimeProperties ToRuntimeProperties(const StarPropertySet &set)
{
    RuntimeProperties run;
    run.stars = ClampedInt(set, SP::Stars);
    run.speed = WholeScaled(set, SP::Speed, kSpeedScale);
    run.persist = ClampedFloat(set, SP::Persist);
    run.gravity = static_cast<float>(ClampedFloat(set, SP::Gravity) * kGravityScale);
    run.locVOff = ClampedInt(set, SP::LocVOff);
    run.blendMul = ClampedInt(set, SP::BlendMul);
    run.emitPattern = ClampedInt(set, SP::EmitPattern);
    run.brightAgeInc = RoundHalfEven(ClampedInt(set, SP::BrightAgeInc) * 64 / 99.0);
    run.cometControl = ClampedInt(set, SP::CometControl);
    run.cometCtrStep = ClampedInt(set, SP::CometCtrStep);
    run.cometBiasPnt = ClampedInt(set, SP::CometBiasPnt);
    run.cometBiasExp = WholeScaled(set, SP::CometBiasExp, kBiasScale);
    run.cometBiasSpd = WholeScaled(set, SP::CometBiasSpd, kBiasScale);
    run.cometSplnExp = WholeScaled(set, SP::CometSplnExp, kSplineScale);
    run.cometSolWind = WholeScaled(set, SP::CometSolWind, kSplineScale);
    run.cometScalMul = static_cast<float>(ClampedInt(set, SP::CometScalMul) * 0.1 * 2);
    run.cycleProps = set.IsOn(SP::CycleProps);
    run.cycles = set.cycles;
    ClampCycleRanges(run.cycles);
    run.colour = ToColourRuntime(set);
    return run;
}

} // namespace orvex
