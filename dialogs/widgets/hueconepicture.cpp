// SPDX-License-Identifier: MIT
#include "hueconepicture.h"

#include "huepicture.h"

#include <QPainter>

#include <array>

namespace orvex {

namespace {

const std::array<QColor, 5> kLineColours{Qt::black, Qt::blue, Qt::blue, Qt::red, Qt::red};

QPointF ToQt(const PicturePoint &point)
{
    return {point.x, point.y};
}

} // namespace

HueConePicture::HueConePicture(QWidget *parent) : QWidget(parent) {}

void HueConePicture::DrawCone(EngineLibrary &engine, const HueWheelSettings &wheel, const ColourRuntime &colour)
{
    try {
        const std::vector<uint32_t> &pixels = pixels_.Redraw(engine, wheel, colour, width(), height());
        cone_ = QImage(reinterpret_cast<const uchar *>(pixels.data()), width(), height(), width() * 4,
                       QImage::Format_ARGB32)
                    .copy();
    } catch (const EngineError &) {
        cone_ = QImage();
    }
    update();
}

void HueConePicture::ShowWedges(double startAngle, double wedgeMin, double wedgeMax)
{
    wedges_ = {startAngle, wedgeMin, wedgeMax, true, true};
    update();
}

void HueConePicture::ShowRunningWedge(double huePosition, int32_t hueSwing)
{
    wedges_ = {huePosition, double(hueSwing), -1, false, false};
    update();
}

void HueConePicture::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (!cone_.isNull())
        painter.drawImage(0, 0, cone_);
    painter.setRenderHint(QPainter::Antialiasing);
    const auto lines = DrawWedgeLines(wedges_.position, wedges_.wedgeA, wedges_.wedgeB, wedges_.inDegrees,
                                      wedges_.showMax, width(), height());
    for (size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].visible)
            continue;
        painter.setPen(QPen(kLineColours[i], 2));
        painter.drawLine(ToQt(lines[i].from), ToQt(lines[i].to));
    }
}

} // namespace orvex
