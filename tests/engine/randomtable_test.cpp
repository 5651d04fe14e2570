// SPDX-License-Identifier: MIT
#include "OrvexM6.h"
#include "enginestate.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using orvex::engine::RandomTable;
using orvex::engine::randomTable;

std::vector<int32_t> TableCopy()
{
    return {randomTable.entries, randomTable.entries + RandomTable::kSize};
}

// The generator state belongs to the calling thread, so a fresh thread sees a fresh process.
std::vector<int32_t> FillsOfAFreshThread(int32_t fills)
{
    std::vector<int32_t> values;
    std::thread([&] {
        for (int32_t i = 0; i < fills; ++i) {
            InitRandomArray();
            const std::vector<int32_t> table = TableCopy();
            values.insert(values.end(), table.begin(), table.end());
        }
    }).join();
    return values;
}

TEST(RandomTable, FirstFillOfAThreadStartsWithTheSeedOneSequence)
{
    const std::vector<int32_t> values = FillsOfAFreshThread(1);
    EXPECT_EQ(values[0], 41);
    EXPECT_EQ(values[1], 18467);
    EXPECT_EQ(values[2], 6334);
    for (int32_t value : values)
        ASSERT_TRUE(value >= 0 && value <= 32767);
}

TEST(RandomTable, SecondFillContinuesTheSequenceAndKeepsTheCursors)
{
    randomTable.cursorA = 5;
    randomTable.cursorB = 77;
    randomTable.cursorC = 16383;
    const std::vector<int32_t> values = FillsOfAFreshThread(2);
    // s = s * 214013 + 2531011 from s = 1, output (s >> 16) & 0x7FFF; output 16,385 onward.
    uint32_t state = 1;
    for (int32_t i = 0; i < RandomTable::kSize; ++i)
        state = state * 214013u + 2531011u;
    for (int32_t i = 0; i < 3; ++i) {
        state = state * 214013u + 2531011u;
        EXPECT_EQ(values[RandomTable::kSize + i], static_cast<int32_t>((state >> 16) & 0x7FFF));
    }
    EXPECT_NE(std::vector<int32_t>(values.begin(), values.begin() + RandomTable::kSize),
        std::vector<int32_t>(values.begin() + RandomTable::kSize, values.end()));
    EXPECT_EQ(randomTable.cursorA, 5);
    EXPECT_EQ(randomTable.cursorB, 77);
    EXPECT_EQ(randomTable.cursorC, 16383);
}

TEST(RandomTable, NextFoldsTheFollowingEntryIntoTheCurrentOne)
{
    InitRandomArray();
    randomTable.cursorA = 0;
    const std::vector<int32_t> before = TableCopy();
    EXPECT_EQ(randomTable.Next(), before[1]);
    EXPECT_EQ(randomTable.entries[0], before[0] ^ before[1]);
    EXPECT_EQ(randomTable.cursorA, 1);
    // The last entry wraps to the first.
    randomTable.cursorA = RandomTable::kSize - 1;
    const int32_t first = randomTable.entries[0];
    const int32_t last = randomTable.entries[RandomTable::kSize - 1];
    EXPECT_EQ(randomTable.Next(), first);
    EXPECT_EQ(randomTable.entries[RandomTable::kSize - 1], last ^ first);
    EXPECT_EQ(randomTable.cursorA, 0);
}

TEST(RandomTable, NextUnitUsesItsOwnCursorAndScalesTo15Bits)
{
    InitRandomArray();
    randomTable.cursorA = 100;
    randomTable.cursorB = 200;
    const std::vector<int32_t> before = TableCopy();
    EXPECT_DOUBLE_EQ(randomTable.NextUnit(), before[201] / 32768.0);
    EXPECT_EQ(randomTable.entries[200], before[200] ^ before[201]);
    EXPECT_EQ(randomTable.cursorA, 100);
    EXPECT_EQ(randomTable.cursorB, 201);
}

TEST(RandomTable, PeekWalksTheWholeTableOnceWithoutChangingIt)
{
    InitRandomArray();
    randomTable.cursorC = 0;
    const std::vector<int32_t> before = TableCopy();
    std::vector<int32_t> seen;
    for (int32_t i = 0; i < RandomTable::kSize; ++i)
        seen.push_back(randomTable.Peek());
    EXPECT_EQ(seen.front(), before[1]);
    EXPECT_EQ(seen.back(), before[0]);
    EXPECT_EQ(TableCopy(), before);
}

} // namespace
