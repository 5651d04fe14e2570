// SPDX-License-Identifier: MIT
#pragma once
// Ends the run when one of our windows is destroyed behind Qt's back: the host that
// holds our picture closed, or someone destroyed the saver window. Qt receives the X
// server's destroy notification for its own windows; this filter looks at it first.

#include <QAbstractNativeEventFilter>

#include <atomic>
#include <cstdint>

namespace orvex {

class X11DestroyWatcher final : public QAbstractNativeEventFilter {
public:
    // Installs itself on the application for as long as it lives.
    X11DestroyWatcher(uint32_t window, std::atomic<bool> &stopRequested);
    ~X11DestroyWatcher() override;
    X11DestroyWatcher(const X11DestroyWatcher &) = delete;
    X11DestroyWatcher &operator=(const X11DestroyWatcher &) = delete;

    bool WindowDestroyed() const { return destroyed_; }

    bool nativeEventFilter(const QByteArray &eventType, void *message, qintptr *result) override;

private:
    uint32_t window_;
    std::atomic<bool> &stopRequested_;
    bool destroyed_ = false;
};

} // namespace orvex
