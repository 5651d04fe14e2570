// SPDX-License-Identifier: MIT
#include "widgettarget.h"

#include <QPainter>
#include <QResizeEvent>

#include <cmath>

namespace orvex {

namespace {

int32_t DevicePixels(int logical, qreal ratio)
{
    return int32_t(std::lround(logical * ratio));
}

} // namespace

WidgetTarget::WidgetTarget(QWidget *parent) : QWidget(parent)
{
    // Every pixel is painted: black where no frame is.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WidgetTarget::resizeEvent(QResizeEvent *event)
{
    innerWidth_ = DevicePixels(event->size().width(), devicePixelRatioF());
    innerHeight_ = DevicePixels(event->size().height(), devicePixelRatioF());
    QWidget::resizeEvent(event);
}

void WidgetTarget::Resize(int32_t width, int32_t height)
{
    innerWidth_ = width;
    innerHeight_ = height;
}

void WidgetTarget::Clear()
{
    frame_ = QImage();
    update();
}

void WidgetTarget::Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect to)
{
    if (width <= 0 || height <= 0 || to.width <= 0 || to.height <= 0)
        return;
    // The buffer is the run's and changes with the next frame: keep a copy to paint.
    // The pixel layout (blue, green, red, unused) is QImage's RGB32.
    frame_ = QImage(reinterpret_cast<const uchar *>(buffer), width, height, width * 4, QImage::Format_RGB32).copy();
    destination_ = QRect(to.x, to.y, to.width, to.height);
    update();
}

void WidgetTarget::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (frame_.isNull())
        return;
    // Device pixels: undo the widget's own scale.
    const qreal ratio = devicePixelRatioF();
    painter.setTransform(QTransform::fromScale(1 / ratio, 1 / ratio));
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.drawImage(destination_, frame_);
}

} // namespace orvex
