// SPDX-License-Identifier: MIT
#pragma once
// The hue wheel: 1024 positions running red, yellow, green, cyan, blue, magenta and back
// to red, divided at five user-set angles, and the brightness-bias bubble settings.

#include "settingsstore.h"

#include <array>
#include <cstdint>
#include <string>

namespace orvex {

inline constexpr int kWheelSize = 1024;
inline constexpr int kDivisionCount = 5;
inline constexpr int kHueWheelFieldCount = 9;

// The advanced dialog's hue wheel fields: divisions 0-4 in degrees, bubble start
// (degrees), level (percent), span and speed.
struct AdvancedDialogValues {
    std::array<std::string, kHueWheelFieldCount> txtHueWheel;
};

struct HueWheelSettings {
    std::array<int32_t, kDivisionCount> divisions{}; // A0 .. A4, wheel units, ascending
    std::array<int32_t, kDivisionCount> lengths{};   // L0 .. L4, segment lengths
    float bubbleStart = 0; // wheel units
    float bubbleLevel = 0; // 0 .. 1
    float bubbleSpan = 0;  // wheel units, 0 .. 1024
    float bubbleSpeed = 0; // wheel units per frame

    bool BubbleActive() const { return bubbleLevel > 0 && bubbleSpan > 0; }
};

// From section Advanced (missing keys as defaults), each value clamped; every division
// is held between the previous one and 360 degrees.
HueWheelSettings LoadHueWheelSettings(const SettingsStore &store);
HueWheelSettings LoadHueWheelSettings(const AdvancedDialogValues &dialog);

// The colour of wheel position i (taken modulo 1024) as a colour reference: red in the
// low byte, green in the middle, blue in the high byte. Empty segments are skipped.
uint32_t HueWheelColour(const HueWheelSettings &wheel, int32_t i);

// Swaps the low and high bytes: a colour reference into the 32-bit display's pixel order.
uint32_t ToPixelOrder(uint32_t colour);

// Moves each byte of c the fraction f of the way to 255: the two upper bytes by whole
// steps (rounded, the part below the byte cut off), the low byte by a rounded amount.
uint32_t Brighten(uint32_t c, double f);

} // namespace orvex
