#include "stopsignals.h"

#include <csignal>

namespace orvex {

namespace {

// A store to a lock-free atomic is all a signal handler may safely do here.
static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<std::atomic<bool> *>::is_always_lock_free);
std::atomic<std::atomic<bool> *> stopFlag = nullptr;

extern "C" void RequestStop(int)
{
    if (std::atomic<bool> *flag = stopFlag.load())
        flag->store(true);
}

} // namespace

StopSignals::StopSignals(std::atomic<bool> &stopRequested)
{
    stopFlag = &stopRequested;
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a write or wait that blocks (a log pipe nobody reads) must return,
    // so that the run loop sees the flag within a frame.
    action.sa_flags = 0;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

StopSignals::~StopSignals()
{
    stopFlag = nullptr;
}

} // namespace orvex
