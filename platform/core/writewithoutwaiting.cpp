// SPDX-License-Identifier: MIT
#include "writewithoutwaiting.h"

#include <poll.h>
#include <unistd.h>

namespace orvex {

bool WriteWithoutWaiting(int fd, std::string_view bytes)
{
    // O_NONBLOCK cannot be set on the descriptor: it is shared with whoever started us.
    // A pipe or terminal that polls writable takes a write of up to PIPE_BUF bytes whole.
    pollfd ready{fd, POLLOUT, 0};
    if (::poll(&ready, 1, 0) != 1 || (ready.revents & POLLOUT) == 0)
        return false;
    return ::write(fd, bytes.data(), bytes.size()) == ssize_t(bytes.size());
}

} // namespace orvex
