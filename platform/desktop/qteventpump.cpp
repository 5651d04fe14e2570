// SPDX-License-Identifier: MIT
#include "qteventpump.h"

#include <QCoreApplication>

namespace orvex {

void QtEventPump::DeliverPendingEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace orvex
