// SPDX-License-Identifier: MIT
#pragma once
// The nine property-cycling ranges of a theme (low, high, frames per swing) and the
// fixed table of their allowed ranges and factory values.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvex {

inline constexpr int kCycleCount = 9;
inline constexpr int32_t kMaxCycleFrames = 99999;

struct CycleRanges {
    std::array<float, kCycleCount> low{};
    std::array<float, kCycleCount> high{};
    std::array<int32_t, kCycleCount> frames{};

    bool operator==(const CycleRanges &) const = default;
};

// Columns of FactoryCycleTable, six per cycle index.
enum class CycleColumn : int {
    AllowedMin,
    AllowedMax,
    MaxTextLength,
    FactoryLow,
    FactoryHigh,
    FactoryFrames,
};

// 54 fields of exactly 10 characters, right-aligned, six per cycle index.
extern const std::string_view kFactoryCycleTable;

// The number in the 10 characters of (index, column), parsed as float32.
float FactoryCycleValue(int index, CycleColumn column);

CycleRanges FactoryCycleRanges();

// "PropCycle_" + two-digit index + "_Min" / "_Max" / "_Fra".
enum class CyclePart { Min, Max, Fra };
std::string CycleKey(int index, CyclePart part);

// Low and high into the allowed range of their index, frames into 1 .. 99999.
void ClampCycleRanges(CycleRanges &ranges);

// low[i], high[i], frames[i] from fields startField + 3i, + 3i + 1, + 3i + 2 of a theme row.
void LoadCycleTriples(CycleRanges &ranges, std::string_view row, int startField);

// The swing of index i at clock t (radians), times scale.
double CycleValue(const CycleRanges &ranges, int index, double t, double scale);

} // namespace orvex
