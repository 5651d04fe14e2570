#pragma once
// SIGTERM, SIGINT and SIGHUP end the run the way the screen-saver hosts expect: the
// handler only sets the stop flag, which the run loop reads at every frame's yield. A
// system call that blocks when one arrives returns EINTR instead of carrying on.

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

} // namespace orvex
