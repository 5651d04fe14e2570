// SPDX-License-Identifier: MIT
#include "runcommand.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

using namespace std::chrono_literals;

TEST(RunCommandTest, OutputOnSuccessNothingOnFailureAndAHangingCommandIsKilledInTime)
{
    // Arguments reach the program as they are: no shell splits or expands them.
    EXPECT_EQ(RunCommand({"printf", "%s|", "a b", "$HOME", "*"}, 2s), "a b|$HOME|*|");
    EXPECT_EQ(RunCommand({"sh", "-c", "echo partial; exit 3"}, 2s), std::nullopt);
    EXPECT_EQ(RunCommand({"orvex-no-such-program"}, 2s), std::nullopt);
    EXPECT_EQ(RunCommand({}, 2s), std::nullopt);

    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(RunCommand({"sleep", "20"}, 200ms), std::nullopt);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);

    // A program that leaves a child holding its output still counts once it ends itself.
    const auto detached = std::chrono::steady_clock::now();
    EXPECT_EQ(RunCommand({"sh", "-c", "sleep 3 & echo done"}, 5s), "done\n");
    EXPECT_LT(std::chrono::steady_clock::now() - detached, 2s);
}

} // namespace
} // namespace orvex
