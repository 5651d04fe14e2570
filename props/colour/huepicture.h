// SPDX-License-Identifier: MIT
#pragma once
// Geometry of the dialogs' hue pictures: the disc of the hue cone (angle = wheel
// position, distance from the centre = brightness level) and the five wedge lines
// drawn over it.

#include "colourstate.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvex {

struct PicturePoint {
    double x = 0;
    double y = 0;
};

struct WedgeLine {
    PicturePoint from;
    PicturePoint to;
    bool visible = true;
};

// Line 0 black (position), 1-2 blue (position -/+ wedgeA / 2), 3-4 red (position -/+
// wedgeB / 2, shown only with showMax and wedgeB >= 0). Positions are wheel units, or
// degrees when inDegrees; a position is drawn counter-clockwise from the right.
std::array<WedgeLine, 5> DrawWedgeLines(double position, double wedgeA, double wedgeB, bool inDegrees,
                                        bool showMax, int32_t width, int32_t height);

struct ConeCell {
    int32_t wheelPosition; // 0 .. 1023
    int32_t level;         // 0 .. 63

    int32_t TableIndex() const { return wheelPosition * kConeLevels + level; }
};

// The cone cell shown by pixel (x, y) of a width x height picture; nothing outside the disc.
std::optional<ConeCell> ConeCellAt(int32_t x, int32_t y, int32_t width, int32_t height);

struct DiscPixel {
    int32_t x;
    int32_t y;
    int32_t tableIndex; // into HueConeTable
};

// Every pixel of the disc, computed once per picture size and reused for each redraw.
std::vector<DiscPixel> HueConeDiscPixels(int32_t width, int32_t height);

} // namespace orvex
