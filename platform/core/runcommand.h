// SPDX-License-Identifier: MIT
#pragma once
// Runs another program without a shell, so arguments reach it as they are whatever
// characters a path holds, and waits a bounded time for it.

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace orvex {

// arguments[0] is looked up on PATH; the program reads nothing and its errors are dropped.
// Its standard output when it exits with status 0 within timeout; nullopt when it cannot
// start, fails, or runs longer (it is then killed).
std::optional<std::string> RunCommand(const std::vector<std::string> &arguments,
                                      std::chrono::milliseconds timeout);

} // namespace orvex
