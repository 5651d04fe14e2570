// SPDX-License-Identifier: MIT
#include "stopsignals.h"

namespace orvex {

namespace {

constexpr std::array<int, 3> kStopSignals = {SIGTERM, SIGINT, SIGHUP};

// A store to a lock-free atomic is all a signal handler may safely do here.
static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<int>::is_always_lock_free);
static_assert(std::atomic<std::atomic<bool> *>::is_always_lock_free);
std::atomic<std::atomic<bool> *> stopFlag = nullptr;
std::atomic<int> lastSignal = 0;

extern "C" void RequestStop(int signal)
{
    lastSignal.store(signal);
    if (std::atomic<bool> *flag = stopFlag.load())
        flag->store(true);
}

// Points the signals at RequestStop, keeping what they did before in previous.
void InstallHandler(std::array<struct sigaction, 3> *previous)
{
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a write or wait that blocks (a log pipe nobody reads) must return,
    // so that the run loop sees the flag within a frame.
    action.sa_flags = 0;
    for (size_t i = 0; i < kStopSignals.size(); ++i)
        sigaction(kStopSignals[i], &action, previous != nullptr ? &(*previous)[i] : nullptr);
}

} // namespace

StopSignals::StopSignals(std::atomic<bool> &stopRequested)
{
    stopFlag = &stopRequested;
    InstallHandler(nullptr);
}

StopSignals::~StopSignals()
{
    stopFlag = nullptr;
}

ScopedStopSignals::ScopedStopSignals(std::atomic<bool> &stopRequested) : previousFlag_(stopFlag.load())
{
    lastSignal = 0;
    stopFlag = &stopRequested;
    InstallHandler(&previous_);
}

ScopedStopSignals::~ScopedStopSignals()
{
    for (size_t i = 0; i < kStopSignals.size(); ++i)
        sigaction(kStopSignals[i], &previous_[i], nullptr);
    stopFlag = previousFlag_;
}

int ScopedStopSignals::Received() const
{
    return lastSignal.load();
}

} // namespace orvex
