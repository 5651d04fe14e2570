// SPDX-License-Identifier: MIT
#include "embeddedpicture.h"

#include "x11destroywatcher.h"

#include <cmath>

namespace orvex {

namespace {

QSize Logical(QSize device, qreal ratio)
{
    return {int(std::lround(device.width() / ratio)), int(std::lround(device.height() / ratio))};
}

} // namespace

EmbeddedPicture::EmbeddedPicture(std::atomic<bool> &stopRequested) : stopRequested_(stopRequested) {}

EmbeddedPicture::~EmbeddedPicture() = default;

std::optional<WindowSize> EmbeddedPicture::PlaceInto(const X11Windows &x11, uint64_t host, int32_t extraPixels)
{
    // Qt reports no size for another program's window: ask the X server.
    const std::optional<WindowSize> size = x11.Size(host);
    if (!size)
        return std::nullopt;
    const QSize deviceSize(size->width + extraPixels, size->height + extraPixels);
    if (host == x11.RootWindow())
        ShowOverRoot(deviceSize);
    else
        ShowInside(uint32_t(host), deviceSize);
    destroyWatcher_ = std::make_unique<X11DestroyWatcher>(uint32_t(picture_.winId()), stopRequested_);
    return size;
}

void EmbeddedPicture::ShowOverRoot(QSize deviceSize)
{
    // Like drawing on the desktop background: unmanaged, below every other window.
    picture_.setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                      Qt::WindowStaysOnBottomHint);
    picture_.setGeometry(QRect(QPoint(0, 0), Logical(deviceSize, picture_.devicePixelRatio())));
    picture_.show();
    picture_.lower();
}

void EmbeddedPicture::ShowInside(uint32_t host, QSize deviceSize)
{
    host_.reset(QWindow::fromWinId(host));
    picture_.setParent(host_.get());
    picture_.setGeometry(QRect(QPoint(0, 0), Logical(deviceSize, picture_.devicePixelRatio())));
    picture_.show();
}

} // namespace orvex
