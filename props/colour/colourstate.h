// SPDX-License-Identifier: MIT
#pragma once
// The colour tables of a run, allocated once: the base wheel, the wheel with the
// brightness-bias bubble (HueWheelTable, handed to the engine) and the hue cone the
// engine fills (HueConeTable, 1024 rows of 64 levels). Colours are in pixel order.

#include "huewheel.h"

#include <cstdint>
#include <vector>

namespace orvex {

inline constexpr int kConeLevels = 64;
inline constexpr int kConeTableSize = kWheelSize * kConeLevels;

class ColourState {
public:
    ColourState();

    // New wheel settings; the bubble goes back to its start position.
    void SetWheelSettings(const HueWheelSettings &wheel);
    const HueWheelSettings &Wheel() const { return wheel_; }

    // rebuild: both wheels from the wheel settings; moveBubble: ApplyBubble(rebuild, true).
    void RefreshHueWheel(bool rebuild, bool moveBubble);

    // With the bubble active: advance its position by its speed (when advance) and, when
    // its whole position moved or force is set, rebuild HueWheelTable as the base wheel
    // with a raised-cosine brightening centred on the bubble.
    void ApplyBubble(bool force, bool advance);

    float BubblePosition() const { return bubblePosition_; }
    const std::vector<uint32_t> &BaseWheel() const { return baseWheel_; }
    const std::vector<uint32_t> &HueWheelTable() const { return hueWheel_; }
    const std::vector<uint32_t> &HueConeTable() const { return hueCone_; }
    std::vector<uint32_t> &HueConeTable() { return hueCone_; }

private:
    void BrightenAt(int32_t position, double f);

    HueWheelSettings wheel_;
    float bubblePosition_ = 0;
    int32_t lastBubbleApplied_ = -1;
    std::vector<uint32_t> baseWheel_;
    std::vector<uint32_t> hueWheel_;
    std::vector<uint32_t> hueCone_;
};

} // namespace orvex
