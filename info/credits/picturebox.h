// SPDX-License-Identifier: MIT
#pragma once
// A picture control that shows frames a model produced (32-bit pixels in the frame
// buffers' layout) and reports mouse presses on it. It never computes a colour itself.

#include <QImage>
#include <QWidget>

#include <cstdint>

namespace orvex {

class PictureBox : public QWidget {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);

    // Shows width x height pixels, rows top first, one pixel per device pixel. The pixels
    // must stay in place until the next frame is shown.
    void ShowFrame(const uint32_t *pixels, int width, int height);
    // The picture's size in device pixels.
    QSize PixelSize() const;

signals:
    void pressed(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QImage frame_;
};

} // namespace orvex
