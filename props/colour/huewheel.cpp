// SPDX-License-Identifier: MIT
#include "huewheel.h"

#include "numbertext.h"
#include "runtimeproperties.h"
#include "settingdescriptors.h"
#include "settingvalues.h"

#include <cmath>

namespace orvex {

namespace {

constexpr int kBubbleStartField = 5;
constexpr int kBubbleLevelField = 6;
constexpr int kBubbleSpanField = 7;
constexpr int kBubbleSpeedField = 8;

using RawFields = std::array<int32_t, kHueWheelFieldCount>;

// Each field clamped to its declared range; a division also to at least the previous one.
HueWheelSettings FromFields(RawFields raw)
{
    for (const SettingDescriptor &descriptor : SettingDescriptors()) {
        const int field = descriptor.hueWheelField;
        if (field < 0)
            continue;
        const int32_t low = field > 0 && field < kDivisionCount ? raw[field - 1] : RoundHalfEven(descriptor.range.low);
        raw[field] = ClampLong(raw[field], low, RoundHalfEven(descriptor.range.high));
    }
    HueWheelSettings wheel;
    for (int k = 0; k < kDivisionCount; ++k)
        wheel.divisions[k] = RoundHalfEven(raw[k] * kDegreesToWheel);
    for (int k = 0; k < kDivisionCount; ++k)
        wheel.lengths[k] = (k + 1 < kDivisionCount ? wheel.divisions[k + 1] : kWheelSize) - wheel.divisions[k];
    wheel.bubbleStart = static_cast<float>(raw[kBubbleStartField] * kDegreesToWheel);
    wheel.bubbleLevel = static_cast<float>(raw[kBubbleLevelField] * 0.01);
    wheel.bubbleSpan = static_cast<float>(raw[kBubbleSpanField] * 0.0001 * kWheelSize);
    wheel.bubbleSpeed = static_cast<float>(raw[kBubbleSpeedField] * 0.001);
    return wheel;
}

enum class Channel { Full, Low, Up, Down };

struct Segment {
    Channel red, green, blue;
};

// Segment k runs from division k - 1 (0 for the first) to division k (1024 after the last).
constexpr Segment kSegments[kDivisionCount + 1] = {
    {Channel::Full, Channel::Up, Channel::Low},   {Channel::Down, Channel::Full, Channel::Low},
    {Channel::Low, Channel::Full, Channel::Up},   {Channel::Low, Channel::Down, Channel::Full},
    {Channel::Up, Channel::Low, Channel::Full},   {Channel::Full, Channel::Low, Channel::Down},
};

uint32_t ChannelValue(Channel channel, double f)
{
    switch (channel) {
    case Channel::Full:
        return 255;
    case Channel::Low:
        return 55;
    case Channel::Up:
        return static_cast<uint32_t>(std::floor(f * 200 + 55));
    case Channel::Down:
        break;
    }
    return static_cast<uint32_t>(std::floor((1 - f) * 200 + 55));
}

} // namespace

HueWheelSettings LoadHueWheelSettings(const SettingsStore &store)
{
    RawFields raw{};
    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.hueWheelField >= 0)
            raw[descriptor.hueWheelField] = RoundHalfEven(ReadStoredNumber(store, descriptor));
    return FromFields(raw);
}

HueWheelSettings LoadHueWheelSettings(const AdvancedDialogValues &dialog)
{
    RawFields raw{};
    for (int field = 0; field < kHueWheelFieldCount; ++field)
        raw[field] = RoundHalfEven(ParseNumberOrZero(dialog.txtHueWheel[field]));
    return FromFields(raw);
}

uint32_t HueWheelColour(const HueWheelSettings &wheel, int32_t i)
{
    i = ((i % kWheelSize) + kWheelSize) % kWheelSize;
    int segment = 0;
    while (segment < kDivisionCount && i >= wheel.divisions[segment])
        ++segment;
    const int32_t start = segment == 0 ? 0 : wheel.divisions[segment - 1];
    const int32_t length = segment == 0 ? wheel.divisions[0] : wheel.lengths[segment - 1];
    const double f = static_cast<double>(i - start) / length;
    const Segment &colours = kSegments[segment];
    return ChannelValue(colours.red, f) | ChannelValue(colours.green, f) << 8 | ChannelValue(colours.blue, f) << 16;
}

uint32_t ToPixelOrder(uint32_t colour)
{
    return (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
}

uint32_t Brighten(uint32_t c, double f)
{
    const uint32_t n = ~c;
    const int64_t upper = RoundHalfEven((n & 0xFF0000) * f) & 0xFF0000;
    const int64_t middle = RoundHalfEven((n & 0xFF00) * f) & 0xFF00;
    return static_cast<uint32_t>(RoundHalfEven(static_cast<double>(upper + middle) + (n & 0xFF) * f + c));
}

} // namespace orvex
