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
    x11_ = &x11;
    hostId_ = host;
    extraPixels_ = extraPixels;
    hostSize_ = *size;
    if (host == x11.RootWindow())
        ShowOverRoot(DeviceSize(*size));
    else
        ShowInside(uint32_t(host), DeviceSize(*size));
    destroyWatcher_ = std::make_unique<X11DestroyWatcher>(uint32_t(picture_.winId()), stopRequested_);
    return size;
}

std::optional<Resolution> EmbeddedPicture::FollowHost()
{
    if (x11_ == nullptr)
        return std::nullopt;
    // A host that is gone keeps its last size: the run ends by other means then.
    const std::optional<WindowSize> size = x11_->Size(hostId_);
    if (!size || (size->width == hostSize_.width && size->height == hostSize_.height))
        return std::nullopt;
    hostSize_ = *size;
    const QSize deviceSize = DeviceSize(*size);
    Cover(deviceSize);
    return Resolution{deviceSize.width(), deviceSize.height()};
}

QSize EmbeddedPicture::DeviceSize(WindowSize host) const
{
    return {host.width + extraPixels_, host.height + extraPixels_};
}

void EmbeddedPicture::Cover(QSize deviceSize)
{
    picture_.setGeometry(QRect(QPoint(0, 0), Logical(deviceSize, picture_.devicePixelRatio())));
}

void EmbeddedPicture::ShowOverRoot(QSize deviceSize)
{
    // Like drawing on the desktop background: unmanaged, below every other window.
    picture_.setFlags(Qt::Window | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint |
                      Qt::WindowStaysOnBottomHint);
    Cover(deviceSize);
    picture_.show();
    picture_.lower();
}

void EmbeddedPicture::ShowInside(uint32_t host, QSize deviceSize)
{
    host_.reset(QWindow::fromWinId(host));
    picture_.setParent(host_.get());
    Cover(deviceSize);
    picture_.show();
}

} // namespace orvex
