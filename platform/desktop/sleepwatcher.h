// SPDX-License-Identifier: MIT
#pragma once
// Ends the run when the system is about to suspend, instead of drawing through it:
// logind announces PrepareForSleep on the system bus. Without a system bus it does nothing.

#include <QObject>

#include <atomic>

namespace orvex {

class SleepWatcher final : public QObject {
    Q_OBJECT
public:
    explicit SleepWatcher(std::atomic<bool> &stopRequested);

private slots:
    void PrepareForSleep(bool goingToSleep);

private:
    std::atomic<bool> &stopRequested_;
};

} // namespace orvex
