#include "runtimeproperties.h"

#include "numbertext.h"
#include "settingsstore.h"

namespace orvex {

namespace {

using SP = StarProperty;

int32_t ClampedInt(const StarPropertySet &set, SP property, int32_t low, int32_t high)
{
    return ClampLong(set.Int(property), low, high);
}

// Nearest whole number, clamped, then scaled.
float WholeScaled(const StarPropertySet &set, SP property, int32_t low, int32_t high, double scale)
{
    return static_cast<float>(ClampedInt(set, property, low, high) * scale);
}

int32_t DegreesToWheel(const StarPropertySet &set, SP property)
{
    return RoundHalfEven(ClampedInt(set, property, 0, 360) * kDegreesToWheel);
}

} // namespace

ColourRuntime ToColourRuntime(const StarPropertySet &set)
{
    ColourRuntime colour;
    colour.coneBright = ClampedInt(set, SP::ConeBright, 0, 100);
    colour.coneBlack = ClampedInt(set, SP::ConeBlack, 0, 100);
    colour.coneBBias = ClampedInt(set, SP::ConeBBias, 0, 999);
    colour.coneTwist = ClampedInt(set, SP::ConeTwist, -999, 999);
    colour.wedgeMin = DegreesToWheel(set, SP::WedgeMin);
    colour.wedgeMax = DegreesToWheel(set, SP::WedgeMax);
    colour.wedgeFra = ClampedInt(set, SP::WedgeFra, 1, 99999);
    colour.startFra = ClampSingle(set.Float(SP::StartFra), 1.0f, 99999.0f);
    colour.startAng = DegreesToWheel(set, SP::StartAng);
    return colour;
}

RuntimeProperties ToRuntimeProperties(const StarPropertySet &set)
{
    RuntimeProperties run;
    run.stars = ClampedInt(set, SP::Stars, 10, 99999);
    run.speed = WholeScaled(set, SP::Speed, 0, 9999, kSpeedScale);
    run.persist = ClampSingle(set.Float(SP::Persist), 0.0f, 1.0f);
    run.gravity = static_cast<float>(ClampSingle(set.Float(SP::Gravity), 0.0f, 9.99f) * kGravityScale);
    run.locVOff = ClampedInt(set, SP::LocVOff, 0, 9999);
    run.blendMul = ClampedInt(set, SP::BlendMul, 0, 100);
    run.emitPattern = ClampedInt(set, SP::EmitPattern, 0, 13);
    run.brightAgeInc = RoundHalfEven(ClampedInt(set, SP::BrightAgeInc, 0, 99) * 64 / 99.0);
    run.cometControl = ClampedInt(set, SP::CometControl, 4, 99);
    run.cometCtrStep = ClampedInt(set, SP::CometCtrStep, 0, 9999);
    run.cometBiasPnt = ClampedInt(set, SP::CometBiasPnt, 1, 99);
    run.cometBiasExp = WholeScaled(set, SP::CometBiasExp, 0, 9999, kBiasScale);
    run.cometBiasSpd = WholeScaled(set, SP::CometBiasSpd, 0, 9999, kBiasScale);
    run.cometSplnExp = WholeScaled(set, SP::CometSplnExp, 0, 9999, kSplineScale);
    run.cometSolWind = WholeScaled(set, SP::CometSolWind, 0, 9999, kSplineScale);
    run.cometScalMul = static_cast<float>(ClampedInt(set, SP::CometScalMul, 1, 99) * 0.1 * 2);
    run.cycleProps = set.IsOn(SP::CycleProps);
    run.cycles = set.cycles;
    ClampCycleRanges(run.cycles);
    run.colour = ToColourRuntime(set);
    return run;
}

} // namespace orvex
