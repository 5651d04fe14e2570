// SPDX-License-Identifier: MIT
#include "resolutionlist.h"

#include "framegeometry.h"

#include <algorithm>

namespace orvex {

namespace {

int64_t Area(Resolution r)
{
    return int64_t{r.width} * r.height;
}

int32_t DownToFour(int32_t side)
{
    return side / 4 * 4;
}

// Screen-shaped sizes keep the stars round when the frame is stretched to the screen.
void InsertByArea(ResolutionList &list, Resolution r)
{
    if (r.width < kSmallestRenderWidth || r.height < kSmallestRenderHeight || ResolutionListContains(list, r))
        return;
    const auto larger = std::find_if(list.begin(), list.end(), [&](Resolution e) { return Area(e) > Area(r); });
    list.insert(larger, r);
}

} // namespace

ResolutionList BuildResolutionList(int32_t screenWidth, int32_t screenHeight)
{
    static constexpr Resolution kStandard[] = {{800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}};
    ResolutionList list{{640, 480}};
    for (const Resolution &r : kStandard)
        if (screenWidth >= r.width && screenHeight >= r.height)
            list.push_back(r);
    if (screenWidth > list.back().width || screenHeight > list.back().height)
        list.push_back({screenWidth, screenHeight});
    InsertByArea(list, {DownToFour(screenWidth / 2), DownToFour(screenHeight / 2)});
    InsertByArea(list, {DownToFour(screenWidth * 2 / 3), DownToFour(screenHeight * 2 / 3)});
    return list;
}

bool ResolutionListContains(const ResolutionList &list, Resolution resolution)
{
    return std::find(list.begin(), list.end(), resolution) != list.end();
}

} // namespace orvex
