// SPDX-License-Identifier: MIT
#include "picturebox.h"

#include <QMouseEvent>
#include <QPainter>

namespace orvex {

PictureBox::PictureBox(QWidget *parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureBox::ShowFrame(const uint32_t *pixels, int width, int height)
{
    // Format_RGB32 is the frame buffers' own layout: no conversion, no copy.
    frame_ = QImage(reinterpret_cast<const uchar *>(pixels), width, height, width * int(sizeof(uint32_t)),
                    QImage::Format_RGB32);
    frame_.setDevicePixelRatio(devicePixelRatioF());
    update();
}

QSize PictureBox::PixelSize() const
{
    const qreal ratio = devicePixelRatioF();
    return {qRound(width() * ratio), qRound(height() * ratio)};
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!frame_.isNull())
        painter.drawImage(QPoint(0, 0), frame_);
}

void PictureBox::mousePressEvent(QMouseEvent *event)
{
    emit pressed(event->button());
}

} // namespace orvex
