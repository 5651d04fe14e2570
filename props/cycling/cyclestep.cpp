// SPDX-License-Identifier: MIT
#include "cyclestep.h"

#include "numbertext.h"

namespace orvex {

namespace {

struct CycledValue {
    int index;
    float RuntimeProperties::*member;
    double scale;
};

// Index 3 is carried in the ranges but drives nothing; index 8 drives the integer LocVOff.
constexpr CycledValue kCycledValues[] = {
    {0, &RuntimeProperties::speed, kSpeedScale},
    {1, &RuntimeProperties::persist, 1.0},
    {2, &RuntimeProperties::gravity, kGravityScale},
    {4, &RuntimeProperties::cometBiasExp, kBiasScale},
    {5, &RuntimeProperties::cometBiasSpd, kBiasScale},
    {6, &RuntimeProperties::cometSplnExp, kSplineScale},
    {7, &RuntimeProperties::cometSolWind, kSplineScale},
};
constexpr int kFirstCometValue = 3; // position of index 4 in kCycledValues
constexpr int kLocVOffIndex = 8;

} // namespace

void StartThemeCycling(RuntimeProperties &run)
{
    if (!run.cycleProps)
        return;
    for (int k = kFirstCometValue; k < static_cast<int>(std::size(kCycledValues)); ++k) {
        const CycledValue &value = kCycledValues[k];
        const double middle = (static_cast<double>(run.cycles.low[value.index]) + run.cycles.high[value.index]) * 0.5;
        run.*value.member = static_cast<float>(middle * value.scale);
    }
}

void ApplyCycleFrame(RuntimeProperties &run, double cycleClock)
{
    if (!run.cycleProps)
        return;
    for (const CycledValue &value : kCycledValues)
        run.*value.member = static_cast<float>(CycleValue(run.cycles, value.index, cycleClock, value.scale));
    run.locVOff = RoundHalfEven(CycleValue(run.cycles, kLocVOffIndex, cycleClock, 1.0));
}

} // namespace orvex
