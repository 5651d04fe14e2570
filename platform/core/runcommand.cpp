// SPDX-License-Identifier: MIT
#include "runcommand.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char **environ;

namespace orvex {

namespace {

using Steady = std::chrono::steady_clock;

// How often a quiet child is checked for having ended.
constexpr int kSliceMs = 10;

// Spawn settings that give the child the signal state of a fresh program, whatever this
// process blocks or ignores.
class SpawnSetup {
public:
    explicit SpawnSetup(int outputFd)
    {
        posix_spawn_file_actions_init(&actions_);
        posix_spawn_file_actions_addopen(&actions_, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions_, outputFd, STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions_, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawnattr_init(&attributes_);
        sigset_t signals;
        sigemptyset(&signals);
        posix_spawnattr_setsigmask(&attributes_, &signals);
        sigaddset(&signals, SIGPIPE);
        posix_spawnattr_setsigdefault(&attributes_, &signals);
        posix_spawnattr_setflags(&attributes_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    }
    ~SpawnSetup()
    {
        posix_spawn_file_actions_destroy(&actions_);
        posix_spawnattr_destroy(&attributes_);
    }
    SpawnSetup(const SpawnSetup &) = delete;
    SpawnSetup &operator=(const SpawnSetup &) = delete;

    const posix_spawn_file_actions_t *Actions() const { return &actions_; }
    const posix_spawnattr_t *Attributes() const { return &attributes_; }

private:
    posix_spawn_file_actions_t actions_;
    posix_spawnattr_t attributes_;
};

enum class ReadResult { Data, Quiet, Closed };

// One read of what the pipe holds, waiting at most waitMs for something to arrive.
ReadResult ReadOnce(int fd, std::string &output, int waitMs)
{
    pollfd ready{fd, POLLIN, 0};
    if (::poll(&ready, 1, waitMs) <= 0)
        return ReadResult::Quiet;
    char buffer[4096];
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count > 0) {
        output.append(buffer, size_t(count));
        return ReadResult::Data;
    }
    return count == 0 || errno != EINTR ? ReadResult::Closed : ReadResult::Quiet;
}

// Collects the child's output until it ends; its wait status, or nullopt once the
// deadline passes (the child is then killed) or it cannot be waited for.
std::optional<int> Collect(pid_t child, int fd, Steady::time_point deadline, std::string &output)
{
    bool open = true;
    for (;;) {
        int status = 0;
        const pid_t waited = ::waitpid(child, &status, WNOHANG);
        if (waited == child) {
            // Output still in the pipe; a daemon the child left holding it is not waited for.
            while (open && ReadOnce(fd, output, 0) == ReadResult::Data) {
            }
            return status;
        }
        if (waited < 0 && errno == ECHILD)
            return std::nullopt;
        if (Steady::now() >= deadline) {
            ::kill(child, SIGKILL);
            ::waitpid(child, nullptr, 0);
            return std::nullopt;
        }
        if (open)
            open = ReadOnce(fd, output, kSliceMs) != ReadResult::Closed;
        else
            ::poll(nullptr, 0, kSliceMs);
    }
}

} // namespace

std::optional<std::string> RunCommand(const std::vector<std::string> &arguments, std::chrono::milliseconds timeout)
{
    if (arguments.empty())
        return std::nullopt;
    const Steady::time_point deadline = Steady::now() + timeout;
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return std::nullopt;
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t child = 0;
    int spawned = 0;
    {
        const SpawnSetup setup(pipeFds[1]);
        spawned = ::posix_spawnp(&child, argv[0], setup.Actions(), setup.Attributes(), argv.data(), environ);
    }
    ::close(pipeFds[1]);
    std::string output;
    const std::optional<int> status =
        spawned == 0 ? Collect(child, pipeFds[0], deadline, output) : std::nullopt;
    ::close(pipeFds[0]);
    if (!status || !WIFEXITED(*status) || WEXITSTATUS(*status) != 0)
        return std::nullopt;
    return output;
}

} // namespace orvex
