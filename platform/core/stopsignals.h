// SPDX-License-Identifier: MIT
#pragma once
// SIGTERM, SIGINT and SIGHUP end the run the way the screen-saver hosts expect: the
// handler only sets the stop flag, which the run loop reads at every frame's yield. A
// system call that blocks when one arrives returns EINTR instead of carrying on.

#include <csignal>

#include <array>
#include <atomic>

namespace orvex {

class StopSignals {
public:
    // Points the handlers at stopRequested until this object goes.
    explicit StopSignals(std::atomic<bool> &stopRequested);
    // From then on the signals are ignored: the process is already on its way out.
    ~StopSignals();
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;
};

// The same handlers for a stretch of work inside a program that otherwise ends on these
// signals, such as a recording in a dialog: the work can finish what it has begun, and
// the signal is noted so the program can end once it has.
class ScopedStopSignals {
public:
    // Points the handlers at stopRequested while this object lives.
    explicit ScopedStopSignals(std::atomic<bool> &stopRequested);
    // Puts back the handlers and stop flag there were before.
    ~ScopedStopSignals();
    ScopedStopSignals(const ScopedStopSignals &) = delete;
    ScopedStopSignals &operator=(const ScopedStopSignals &) = delete;

    // The last of the signals that came meanwhile; 0 when none did.
    int Received() const;

private:
    std::array<struct sigaction, 3> previous_{};
    std::atomic<bool> *previousFlag_ = nullptr;
};

} // namespace orvex
