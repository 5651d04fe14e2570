// SPDX-License-Identifier: MIT
#pragma once
// Frames into a widget of a dialog (the properties dialog's preview picture): each
// presented frame is kept and painted with the widget's next paint, which the run loop's
// yield delivers. Sizes are device pixels; a frame is scaled only when its destination
// differs in size, and then without smoothing.

#include "presentationtarget.h"

#include <QImage>
#include <QRect>
#include <QWidget>

namespace orvex {

class WidgetTarget final : public QWidget, public PresentationTarget {
    Q_OBJECT
public:
    explicit WidgetTarget(QWidget *parent = nullptr);

    // The widget's size, or the size a run widened it to.
    int32_t InnerWidth() const override { return innerWidth_; }
    int32_t InnerHeight() const override { return innerHeight_; }
    void Resize(int32_t width, int32_t height) override;
    void Clear() override;
    void Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo) override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QImage frame_;
    QRect destination_;
    int32_t innerWidth_ = 0;
    int32_t innerHeight_ = 0;
};

} // namespace orvex
