#pragma once
// SIGTERM, SIGINT and SIGHUP end the run the way the screen-saver hosts expect: the
// handler only sets the stop flag, which the run loop reads at every frame's yield.

#include <atomic>

namespace orvex {

class StopSignals {
public:
    // The flag must outlive the process's last signal (the start-up context does).
    static void Install(std::atomic<bool> &stopRequested);
};

} // namespace orvex
