// SPDX-License-Identifier: MIT
#pragma once
// One theme in stored form: the star properties, the cycling switch and the colour
// settings (as loaded, unclamped except on the dialog path), the nine cycle ranges,
// and the display effect chosen when the theme was applied.

#include "cycleranges.h"
#include "displayeffects.h"
#include "starproperty.h"

#include <array>
#include <cstdint>

namespace orvex {

class StarPropertySet {
public:
    // Factory defaults and factory cycle ranges.
    StarPropertySet();

    double Value(StarProperty property) const { return values_[Index(property)]; }
    int32_t Int(StarProperty property) const;
    float Float(StarProperty property) const;
    bool IsOn(StarProperty property) const { return Value(property) != 0; }

    // Stores the value in the property's type: integers to the nearest (halves to even,
    // saturated), floats as float32 (saturated), flags as 0 or 1.
    void Set(StarProperty property, double value);

    CycleRanges cycles;
    DisplayEffects effects;

    bool operator==(const StarPropertySet &) const = default;

private:
    static size_t Index(StarProperty property) { return static_cast<size_t>(property); }

    std::array<double, kStarPropertyCount> values_{};
};

} // namespace orvex
