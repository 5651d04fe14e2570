#pragma once
// Frames into a Qt window: each frame is painted into the window's backing store and
// flushed at once, so frames presented back to back (the closing fade) are all seen.
// Rectangles are in device pixels; a frame is scaled only when its destination
// differs in size, and then without smoothing, so nothing blurs on HiDPI screens.

#include "presentationtarget.h"

#include <QBackingStore>
#include <QObject>

class QWindow;

namespace orvex {

class WindowTarget final : public QObject, public PresentationTarget {
public:
    explicit WindowTarget(QWindow &window);

    int32_t InnerWidth() const override { return innerWidth_; }
    int32_t InnerHeight() const override { return innerHeight_; }
    // The surface takes the rendering size; the window itself keeps its place and size.
    void Resize(int32_t width, int32_t height) override;
    void Clear() override;
    void Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Matches the backing store to the window's size; a new store starts black.
    void FitBackingStore();
    void FillBlack();
    // The window's logical region covering a rectangle of device pixels.
    QRegion LogicalRegion(const QRect &deviceRect) const;

    QWindow &window_;
    QBackingStore backingStore_;
    int32_t innerWidth_;
    int32_t innerHeight_;
};

} // namespace orvex
