// SPDX-License-Identifier: MIT
#include "stopsignals.h"
#include "writewithoutwaiting.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <string>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvex {
namespace {

// A pipe whose reader never reads and whose buffer is already full.
struct FullPipe {
    int ends[2] = {-1, -1};
    FullPipe()
    {
        if (::pipe(ends) != 0)
            return;
        const int flags = ::fcntl(ends[1], F_GETFL);
        ::fcntl(ends[1], F_SETFL, flags | O_NONBLOCK);
        const std::string chunk(4096, 'x');
        while (::write(ends[1], chunk.data(), chunk.size()) > 0) {
        }
        ::fcntl(ends[1], F_SETFL, flags); // blocking again, as an inherited stderr is
    }
    ~FullPipe()
    {
        ::close(ends[0]);
        ::close(ends[1]);
    }
};

TEST(WriteWithoutWaiting, WritesWhatIsTakenAtOnceAndDropsTheRest)
{
    const FullPipe full;
    ASSERT_GE(full.ends[1], 0);
    EXPECT_FALSE(WriteWithoutWaiting(full.ends[1], "57.3 fps  17.4 ms  CPU 38%\n"));

    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    EXPECT_TRUE(WriteWithoutWaiting(ends[1], "line\n"));
    char read[8] = {};
    EXPECT_EQ(::read(ends[0], read, sizeof read), 5);
    EXPECT_STREQ(read, "line\n");
    ::close(ends[0]);
    ::close(ends[1]);
}

TEST(StopSignals, ASignalEndsAWriteThatBlocks)
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const FullPipe full;
            std::atomic<bool> stop = false;
            const StopSignals signals(stop);
            ::alarm(5); // a write that never returns fails the test instead of hanging it
            const char byte = 1;
            ::write(ready[1], &byte, 1);
            const bool interrupted = ::write(full.ends[1], "x", 1) < 0 && errno == EINTR;
            ::_exit(interrupted && stop ? 0 : 1);
        }
        char byte = 0;
        ASSERT_EQ(::read(ready[0], &byte, 1), 1);
        ::usleep(100'000); // into the write
        ::kill(child, signal);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "signal " << signal << ", status " << status;
        ::close(ready[0]);
        ::close(ready[1]);
    }
}

} // namespace
} // namespace orvex
