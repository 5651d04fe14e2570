// SPDX-License-Identifier: MIT
#include "colourstate.h"

#include "numbertext.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvex {

namespace {

constexpr int kHalfWheel = kWheelSize / 2;

} // namespace

ColourState::ColourState() : baseWheel_(kWheelSize), hueWheel_(kWheelSize), hueCone_(kConeTableSize) {}

void ColourState::SetWheelSettings(const HueWheelSettings &wheel)
{
    wheel_ = wheel;
    bubblePosition_ = wheel.bubbleStart;
}

void ColourState::RefreshHueWheel(bool rebuild, bool moveBubble)
{
    if (rebuild) {
        for (int32_t i = 0; i < kWheelSize; ++i)
            baseWheel_[i] = ToPixelOrder(HueWheelColour(wheel_, i));
        hueWheel_ = baseWheel_;
    }
    if (moveBubble)
        ApplyBubble(rebuild, true);
}

void ColourState::BrightenAt(int32_t position, double f)
{
    uint32_t &entry = hueWheel_[static_cast<size_t>(((position % kWheelSize) + kWheelSize) % kWheelSize)];
    entry = Brighten(entry, f);
}

void ColourState::ApplyBubble(bool force, bool advance)
{
    if (!wheel_.BubbleActive())
        return;
    if (advance) {
        bubblePosition_ += wheel_.bubbleSpeed;
        if (bubblePosition_ >= kWheelSize)
            bubblePosition_ -= kWheelSize;
    }
    const auto p = static_cast<int32_t>(bubblePosition_);
    if (p == lastBubbleApplied_ && !force)
        return;
    lastBubbleApplied_ = p;
    std::copy(baseWheel_.begin(), baseWheel_.end(), hueWheel_.begin());

    const float span = wheel_.bubbleSpan;
    const double level = wheel_.bubbleLevel;
    const bool wide = span >= kHalfWheel;
    const float step = static_cast<float>(std::numbers::pi / (wide ? kHalfWheel : span));
    const double floor = wide ? (span - kHalfWheel) / kHalfWheel * level : 0.0;
    const double amplitude = level - floor;

    BrightenAt(p, level);
    const int32_t reach = std::min(RoundHalfEven(span), kHalfWheel);
    float angle = 0;
    for (int32_t k = 1; k <= reach; ++k) {
        angle += step; // accumulated in float32
        const double f = (std::cos(angle) * 0.5 + 0.5) * amplitude + floor;
        BrightenAt(p + k, f);
        BrightenAt(p - k, f);
    }
}

} // namespace orvex
