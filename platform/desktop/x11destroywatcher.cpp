// SPDX-License-Identifier: MIT
#include "x11destroywatcher.h"

#include <QCoreApplication>

#include <xcb/xcb.h>

namespace orvex {

namespace {
// The top bit of the response type marks events another client sent.
constexpr uint8_t kSentEventBit = 0x80;
} // namespace

X11DestroyWatcher::X11DestroyWatcher(uint32_t window, std::atomic<bool> &stopRequested)
    : window_(window), stopRequested_(stopRequested)
{
    QCoreApplication::instance()->installNativeEventFilter(this);
}

X11DestroyWatcher::~X11DestroyWatcher()
{
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool X11DestroyWatcher::nativeEventFilter(const QByteArray &eventType, void *message, qintptr *)
{
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    if ((event->response_type & ~kSentEventBit) != XCB_DESTROY_NOTIFY)
        return false;
    if (reinterpret_cast<const xcb_destroy_notify_event_t *>(event)->window == window_) {
        destroyed_ = true;
        stopRequested_ = true;
    }
    return false;
}

} // namespace orvex
