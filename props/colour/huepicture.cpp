// SPDX-License-Identifier: MIT
#include "huepicture.h"

#include "numbertext.h"
#include "runtimeproperties.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvex {

namespace {

constexpr double kRadiansPerWheelUnit = 2 * std::numbers::pi / kWheelSize;

// Radii as fractions of the picture width.
constexpr double kMedianInner = 0.1;
constexpr double kMinWedgeInner = 0.325;
constexpr double kMaxWedgeInner = 0.4;
constexpr double kOuter = 0.475;

WedgeLine Spoke(double wheelPosition, double inner, double outer, int32_t width, int32_t height)
{
    const double angle = wheelPosition * kRadiansPerWheelUnit;
    const double cx = width * 0.5;
    const double cy = height * 0.5;
    const auto at = [&](double radius) {
        return PicturePoint{cx + radius * width * std::cos(angle), cy - radius * width * std::sin(angle)};
    };
    return {at(inner), at(outer), true};
}

double WedgeEdge(double position, double wedge, int side)
{
    const int32_t edge = RoundHalfEven(position + side * wedge * 0.5);
    return ((edge % kWheelSize) + kWheelSize) % kWheelSize;
}

} // namespace

std::array<WedgeLine, 5> DrawWedgeLines(double position, double wedgeA, double wedgeB, bool inDegrees,
                                        bool showMax, int32_t width, int32_t height)
{
    if (inDegrees) {
        position *= kDegreesToWheel;
        wedgeA *= kDegreesToWheel;
        wedgeB *= kDegreesToWheel;
    }
    std::array<WedgeLine, 5> lines{
        Spoke(position, kMedianInner, kOuter, width, height),
        Spoke(WedgeEdge(position, wedgeA, -1), kMinWedgeInner, kOuter, width, height),
        Spoke(WedgeEdge(position, wedgeA, +1), kMinWedgeInner, kOuter, width, height),
        Spoke(WedgeEdge(position, wedgeB, -1), kMaxWedgeInner, kOuter, width, height),
        Spoke(WedgeEdge(position, wedgeB, +1), kMaxWedgeInner, kOuter, width, height),
    };
    lines[3].visible = lines[4].visible = showMax && wedgeB >= 0;
    return lines;
}

std::optional<ConeCell> ConeCellAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    const double radius = std::min(width, height) * 0.5;
    const double dx = x + 0.5 - width * 0.5;
    const double dy = height * 0.5 - (y + 0.5);
    const double distance = std::hypot(dx, dy);
    if (radius <= 0 || distance > radius)
        return std::nullopt;
    double angle = std::atan2(dy, dx);
    if (angle < 0)
        angle += 2 * std::numbers::pi;
    const auto position = static_cast<int32_t>(angle / kRadiansPerWheelUnit) % kWheelSize;
    const auto level = std::min(static_cast<int32_t>(distance * (kConeLevels - 1) / radius), kConeLevels - 1);
    return ConeCell{position, level};
}

std::vector<DiscPixel> HueConeDiscPixels(int32_t width, int32_t height)
{
    std::vector<DiscPixel> pixels;
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x)
            if (const auto cell = ConeCellAt(x, y, width, height))
                pixels.push_back({x, y, cell->TableIndex()});
    return pixels;
}

} // namespace orvex
