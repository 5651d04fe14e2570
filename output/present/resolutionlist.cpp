// SPDX-License-Identifier: MIT
#include "resolutionlist.h"

#include <algorithm>

namespace orvex {

ResolutionList BuildResolutionList(int32_t screenWidth, int32_t screenHeight)
{
    static constexpr Resolution kStandard[] = {{800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}};
    ResolutionList list{{640, 480}};
    for (const Resolution &r : kStandard)
        if (screenWidth >= r.width && screenHeight >= r.height)
            list.push_back(r);
    if (screenWidth > list.back().width || screenHeight > list.back().height)
        list.push_back({screenWidth, screenHeight});
    return list;
}

bool ResolutionListContains(const ResolutionList &list, Resolution resolution)
{
    return std::find(list.begin(), list.end(), resolution) != list.end();
}

} // namespace orvex
