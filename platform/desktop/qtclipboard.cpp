// SPDX-License-Identifier: MIT
#include "qtclipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

namespace orvex {

void QtClipboard::SetImage(const uint32_t *pixels, int32_t width, int32_t height)
{
    if (qobject_cast<QGuiApplication *>(QCoreApplication::instance()) == nullptr)
        return;
    // Format_RGB32 is the frame's pixel layout; the clipboard keeps a copy of its own.
    const QImage borrowed(reinterpret_cast<const uchar *>(pixels), width, height, width * 4, QImage::Format_RGB32);
    QGuiApplication::clipboard()->setImage(borrowed.copy());
}

} // namespace orvex
