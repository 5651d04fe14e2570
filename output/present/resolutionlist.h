// SPDX-License-Identifier: MIT
#pragma once
// The rendering resolutions offered to the user, derived once from the primary screen:
// the standard sizes that fit, the screen itself, and half and two thirds of the screen.

#include <cstdint>
#include <vector>

namespace orvex {

struct Resolution {
    int32_t width;
    int32_t height;
    bool operator==(const Resolution &) const = default;
};

using ResolutionList = std::vector<Resolution>;

ResolutionList BuildResolutionList(int32_t screenWidth, int32_t screenHeight);
bool ResolutionListContains(const ResolutionList &list, Resolution resolution);

} // namespace orvex
