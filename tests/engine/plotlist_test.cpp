// SPDX-License-Identifier: MIT
#include "OrvexM6.h"
#include "enginestate.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

using namespace orvex::engine;

TEST(PlotList, BrighterWinsAndTiesKeepTheEarlierColourOnBothSidesOfTheSplit)
{
    for (int32_t split : {INT32_MAX, 1}) { // unsplit; pixel 0 below the split, 1 and 2 above
        uint32_t pixels[3] = {0, 0, 0x01000000}; // byte 3 counts 256-fold
        PlotSegment plots = plotList.Open(0, 8, split);
        plots.Append(0, 0x000A0014); // brightness 30
        plots.Append(1, 0x00000001);
        plots.Append(0, 0x00000F0F); // 30 as well: the earlier stays
        plots.Append(1, 0x00000003); // brighter: replaces
        plots.Append(2, 0x000000FF); // 255 against 256: stays
        plots.Append(1, 0x00000102); // 3 as well: the earlier stays
        ASSERT_EQ(plots.Count(), 6);
        plots.PlotInto(pixels);
        EXPECT_EQ(pixels[0], 0x000A0014u) << split;
        EXPECT_EQ(pixels[1], 0x00000003u) << split;
        EXPECT_EQ(pixels[2], 0x01000000u) << split;
    }
}

} // namespace
