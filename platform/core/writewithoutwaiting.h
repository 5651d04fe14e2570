// SPDX-License-Identifier: MIT
#pragma once
// Writing to a stream the program does not own (its stderr: a terminal, a file, or a
// pipe nobody may be reading) without ever waiting for it.

#include <string_view>

namespace orvex {

// Writes bytes to fd when it takes them at once; otherwise nothing is written. At most
// PIPE_BUF bytes (4,096) are written whole or not at all. false when nothing was written.
bool WriteWithoutWaiting(int fd, std::string_view bytes);

} // namespace orvex
