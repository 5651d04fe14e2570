// SPDX-License-Identifier: MIT
#include "filelock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace orvex {

FileLock::FileLock(const std::filesystem::path &lockFile, std::chrono::milliseconds patience)
{
    fd_ = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd_ < 0)
        return;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    for (;;) {
        if (::flock(fd_, LOCK_EX | LOCK_NB) == 0) {
            held_ = true;
            return;
        }
        const int error = errno;
        if (error != EWOULDBLOCK && error != EINTR)
            return;
        if (std::chrono::steady_clock::now() >= deadline) {
            heldElsewhere_ = error == EWOULDBLOCK;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

FileLock::~FileLock()
{
    if (fd_ >= 0)
        ::close(fd_); // closing the last descriptor releases the lock
}

} // namespace orvex
