// SPDX-License-Identifier: MIT
#include "OrvexM6.h"
#include "biastable.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace orvex::engine;

TEST(BiasTable, PairsSumToOneAndExponentZeroCentresEverything)
{
    BiasTable table;
    table.Rebuild(2.5f);
    for (int32_t i = 0; i < BiasTable::kPairs; ++i) {
        EXPECT_GE(table.values[2 * i], 0.5f);
        EXPECT_LE(table.values[2 * i], 1.0f);
        EXPECT_NEAR(table.values[2 * i] + table.values[2 * i + 1], 1.0f, 1e-6f);
    }
    EXPECT_FLOAT_EQ(table.values[2 * 1023], 0.5f);
    EXPECT_FLOAT_EQ(table.values[0], static_cast<float>(1 - 0.5 * std::pow(1 / 1024.0, 2.5)));
    table.Rebuild(0.0f);
    for (float value : table.values)
        ASSERT_EQ(value, 0.5f);
}

} // namespace
