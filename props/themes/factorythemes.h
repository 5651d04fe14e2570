// SPDX-License-Identifier: MIT
#pragma once
// The 24 factory themes: names and definition rows. A row is 58 comma-separated,
// right-aligned fields ending in ", ": fields 0-15 the star properties, 20-23 and
// 25-29 the colour settings, 30 the cycling switch, 31-57 the nine cycle triples.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

inline constexpr int kFactoryThemeCount = 24;
inline constexpr int kThemeRowFieldCount = 58;
inline constexpr int kThemeColourField = 20;
inline constexpr int kThemeCycleField = 31;

// Bits 0-23 set except 8, 11 and 20: themes 9, 12 and 21 stay out of cycling by default.
inline constexpr int32_t kDefaultThemeFlags = 15726335;

// Every name followed by a tab, "< NONE >" first: index = theme number.
extern const std::string_view kThemeNames;

// The row of theme 1 .. 24; empty text for any other number.
std::string_view GetFactoryThemeRow(int themeNumber);

// Field i (from 0) of a row without surrounding spaces; empty when the row has no such field.
std::string_view GetRowField(std::string_view row, int i);

// The theme names in table order; with skipNone, position p holds theme p + 1.
std::vector<std::string> FillThemeList(bool skipNone);

} // namespace orvex
