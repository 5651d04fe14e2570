#include "windowtarget.h"

#include <QEvent>
#include <QImage>
#include <QPainter>
#include <QWindow>

#include <cmath>

namespace orvex {

namespace {

QSize DeviceSize(const QWindow &window)
{
    const qreal ratio = window.devicePixelRatio();
    return {int(std::lround(window.width() * ratio)), int(std::lround(window.height() * ratio))};
}

} // namespace

WindowTarget::WindowTarget(QWindow &window)
    : window_(window), backingStore_(&window), innerWidth_(DeviceSize(window).width()),
      innerHeight_(DeviceSize(window).height())
{
    window_.installEventFilter(this);
}

void WindowTarget::Resize(int32_t width, int32_t height)
{
    innerWidth_ = width;
    innerHeight_ = height;
}

void WindowTarget::FitBackingStore()
{
    if (backingStore_.size() == window_.size())
        return;
    backingStore_.resize(window_.size());
    FillBlack();
}

void WindowTarget::FillBlack()
{
    const QRect everything(QPoint(0, 0), window_.size());
    backingStore_.beginPaint(everything);
    QPainter painter(backingStore_.paintDevice());
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(everything, Qt::black);
    painter.end();
    backingStore_.endPaint();
}

QRegion WindowTarget::LogicalRegion(const QRect &deviceRect) const
{
    const qreal ratio = window_.devicePixelRatio();
    const QRectF logical(deviceRect.x() / ratio, deviceRect.y() / ratio, deviceRect.width() / ratio,
                         deviceRect.height() / ratio);
    return QRegion(logical.toAlignedRect());
}

void WindowTarget::Clear()
{
    if (!window_.isExposed())
        return;
    FitBackingStore();
    FillBlack();
    backingStore_.flush(QRect(QPoint(0, 0), window_.size()));
}

void WindowTarget::Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect to)
{
    if (!window_.isExposed() || width <= 0 || height <= 0 || to.width <= 0 || to.height <= 0)
        return;
    FitBackingStore();
    // The pixel layout (blue, green, red, unused) is QImage's RGB32; no copy is made.
    const QImage frame(reinterpret_cast<const uchar *>(buffer), width, height, width * 4, QImage::Format_RGB32);
    const QRect destination(to.x, to.y, to.width, to.height);
    const QRegion region = LogicalRegion(destination);
    backingStore_.beginPaint(region);
    QPainter painter(backingStore_.paintDevice());
    // Device pixels: undo the backing store's own scale.
    const qreal ratio = window_.devicePixelRatio();
    painter.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(destination, frame);
    painter.end();
    backingStore_.endPaint();
    backingStore_.flush(region);
}

bool WindowTarget::eventFilter(QObject *watched, QEvent *event)
{
    // What the backing store holds is the last frame: show it again wherever the window
    // was uncovered, without waiting for the next frame.
    if (watched == &window_ && event->type() == QEvent::Expose && window_.isExposed()) {
        FitBackingStore();
        backingStore_.flush(QRect(QPoint(0, 0), window_.size()));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace orvex
