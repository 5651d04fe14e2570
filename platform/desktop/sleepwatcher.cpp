// SPDX-License-Identifier: MIT
#include "sleepwatcher.h"

#include <QDBusConnection>

namespace orvex {

SleepWatcher::SleepWatcher(std::atomic<bool> &stopRequested) : stopRequested_(stopRequested)
{
    QDBusConnection::systemBus().connect("org.freedesktop.login1", "/org/freedesktop/login1",
                                         "org.freedesktop.login1.Manager", "PrepareForSleep", this,
                                         SLOT(PrepareForSleep(bool)));
}

void SleepWatcher::PrepareForSleep(bool goingToSleep)
{
    if (goingToSleep)
        stopRequested_ = true;
}

} // namespace orvex
