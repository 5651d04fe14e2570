// SPDX-License-Identifier: MIT
#include "qttextrasteriser.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

namespace orvex {

RenderedText QtTextRasteriser::Render(const std::string &text, const std::string &fontName, int32_t pointSize)
{
    QFont font(QString::fromStdString(fontName), pointSize);
    font.setStyleHint(QFont::SansSerif);
    font.setBold(false);
    const QString line = QString::fromStdString(text);
    const QFontMetrics metrics(font);
    const QSize size(metrics.horizontalAdvance(line), metrics.height());
    RenderedText rendered;
    rendered.width = size.width();
    if (size.isEmpty())
        return rendered;
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QPoint(0, metrics.ascent()), line);
    painter.end();
    for (int y = 0; y < image.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0xFFFFFF) != 0) {
                rendered.xs.push_back(x);
                rendered.ys.push_back(y);
            }
    }
    return rendered;
}

} // namespace orvex
