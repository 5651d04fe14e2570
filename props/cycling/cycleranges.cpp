// SPDX-License-Identifier: MIT
#include "cycleranges.h"

#include "factorythemes.h"
#include "numbertext.h"
#include "settingsstore.h"

#include <cmath>
#include <cstdio>

namespace orvex {

namespace {

constexpr int kFieldWidth = 10;
constexpr int kColumns = 6;

} // namespace

// Per index: allowed min, allowed max, max text length, factory low, high, frames.
const std::string_view kFactoryCycleTable =
    "         0      9999         4       250      9999      2400"
    "         0       1.0         8      0.95      0.98      1800"
    "         0      9.99         8         0         0      2400"
    "         0       100         3       100       100      6000"
    "         0      9999         4      1250      5000      1200"
    "         0      9999         4       100       400      1800"
    "         0      9999         4         0        50      4800"
    "         0      9999         4      5000      9999      3600"
    "         0      9999         4         0         0      4200";

float FactoryCycleValue(int index, CycleColumn column)
{
    const size_t start = static_cast<size_t>((index * kColumns + static_cast<int>(column)) * kFieldWidth);
    return ToFloat32(ParseNumberOrZero(Trim(kFactoryCycleTable.substr(start, kFieldWidth))));
}

CycleRanges FactoryCycleRanges()
{
    CycleRanges ranges;
    for (int i = 0; i < kCycleCount; ++i) {
        ranges.low[i] = FactoryCycleValue(i, CycleColumn::FactoryLow);
        ranges.high[i] = FactoryCycleValue(i, CycleColumn::FactoryHigh);
        ranges.frames[i] = RoundHalfEven(FactoryCycleValue(i, CycleColumn::FactoryFrames));
    }
    return ranges;
}

std::string CycleKey(int index, CyclePart part)
{
    static constexpr std::string_view kSuffix[] = {"_Min", "_Max", "_Fra"};
    char number[8];
    std::snprintf(number, sizeof number, "%02d", index);
    return "PropCycle_" + std::string(number) + std::string(kSuffix[static_cast<int>(part)]);
}

void ClampCycleRanges(CycleRanges &ranges)
{
    for (int i = 0; i < kCycleCount; ++i) {
        const float low = FactoryCycleValue(i, CycleColumn::AllowedMin);
        const float high = FactoryCycleValue(i, CycleColumn::AllowedMax);
        ranges.low[i] = ClampSingle(ranges.low[i], low, high);
        ranges.high[i] = ClampSingle(ranges.high[i], low, high);
        ranges.frames[i] = ClampLong(ranges.frames[i], 1, kMaxCycleFrames);
    }
}

void LoadCycleTriples(CycleRanges &ranges, std::string_view row, int startField)
{
    for (int i = 0; i < kCycleCount; ++i) {
        const int field = startField + 3 * i;
        ranges.low[i] = ToFloat32(ParseNumberOrZero(GetRowField(row, field)));
        ranges.high[i] = ToFloat32(ParseNumberOrZero(GetRowField(row, field + 1)));
        ranges.frames[i] = RoundHalfEven(ParseNumberOrZero(GetRowField(row, field + 2)));
    }
}

double CycleValue(const CycleRanges &ranges, int index, double t, double scale)
{
    const double low = ranges.low[index];
    const double high = ranges.high[index];
    const double frames = ranges.frames[index];
    return (std::sin(t / frames) * (high - low) * 0.5 + (low + high) * 0.5) * scale;
}

} // namespace orvex
