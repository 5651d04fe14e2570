// SPDX-License-Identifier: MIT
#pragma once
// Moving the nine cycle ranges between the arrays, the settings store (section
// "CycleProps") and template files, selected by operation name.

#include "cycleranges.h"
#include "propscontext.h"

#include <string_view>

namespace orvex {

inline constexpr std::string_view kCyclePropsArraysToReg = "CyclePropsArraysToReg";
inline constexpr std::string_view kCyclePropsRegToArrays = "CyclePropsRegToArrays";
inline constexpr std::string_view kCyclePropsArraysToTemp = "CyclePropsArraysToTemp";
inline constexpr std::string_view kCyclePropsTempToArrays = "CyclePropsTempToArrays";
inline constexpr std::string_view kCyclePropsTempToRegArrays = "CyclePropsTempToRegArrays";
inline constexpr std::string_view kCyclePropsResetToFactory = "CyclePropsResetToFactory";
inline constexpr std::string_view kCyclePropsSetMinMaxRange = "CyclePropsSetMinMaxRange";

// The ranges from the store; a missing key reads as the factory value.
void ReadCycleRangesFromStore(CycleRanges &ranges, const SettingsStore &store);

// Performs the named transfer for indexes 0 to 8, keys _Min, _Max, _Fra of each; a
// missing key reads as the factory value. Any other name does nothing. Low and high are
// written with FormatDecimal, frames as integer text.
void TransferCycleRanges(std::string_view operationName, CycleRanges &ranges, const PropsContext &context);

} // namespace orvex
