// SPDX-License-Identifier: MIT
#pragma once
// Numbers kept as text: the program always writes a point as decimal separator and
// reads a point whatever the user's locale, so files move freely between systems.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvex {

// The number at the start of the text (after leading blanks), e.g. "12.5abc" -> 12.5;
// nullopt when the text does not start with a number.
std::optional<double> LeadingNumber(std::string_view text);

// The leading number, or 0 when there is none (theme rows, templates, dialog fields).
double ParseNumberOrZero(std::string_view text);

// The whole text as one number, blanks around it allowed; nullopt for "", "abc", "12abc".
// Beyond the range of double the value saturates to the largest finite one; below it, 0.
std::optional<double> WholeNumber(std::string_view text);

// The same as a float32, rounded once from the text, so the text FormatDecimal wrote
// reads back as exactly the same value (a detour through double could round twice).
std::optional<float> WholeNumberSingle(std::string_view text);

// The text with its one decimal comma written as a point when the current C locale uses
// a comma as decimal separator and the text holds no point ("0,5" -> "0.5"); otherwise
// the text unchanged. Text with a point reads the same under every locale.
std::string WithDecimalPoint(std::string_view text);

// Nearest integer, halves to even, saturated to the int32 range (NaN gives 0).
int32_t RoundHalfEven(double value);

// Saturating conversion to float32 (NaN gives 0), so garbage text stays finite.
float ToFloat32(double value);

// Shortest text with a point as separator that reads back as the same float32.
std::string FormatDecimal(float value);

// Text without leading and trailing blanks (spaces and tabs).
std::string_view Trim(std::string_view text);

} // namespace orvex
