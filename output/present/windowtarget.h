// SPDX-License-Identifier: MIT
#pragma once
// Frames into a Qt window. On X11 the frame buffers live in memory shared with the X
// server, which shows (and scales) them without a copy on our side, a frame that fills
// the window at most once a refresh; otherwise (Wayland, no shared memory) each frame is
// copied into the window's backing store, opaque whatever its unused byte holds, and
// flushed at once, scaled without smoothing. On Wayland the compositor paces the frames
// sent at the refresh: the next is taken once it asked for one (its frame callback).
// Rectangles are in device pixels; a frame is scaled only when its destination differs
// in size.

#include "presentationtarget.h"

#include <QBackingStore>
#include <QImage>
#include <QObject>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

class QWindow;

namespace orvex {

class X11SharedImage;

class WindowTarget final : public QObject, public PresentationTarget {
public:
    explicit WindowTarget(QWindow &window);
    ~WindowTarget() override;

    int32_t InnerWidth() const override { return innerWidth_; }
    int32_t InnerHeight() const override { return innerHeight_; }
    // The surface takes the rendering size; the window itself keeps its place and size.
    void Resize(int32_t width, int32_t height) override;
    void Clear() override;
    void Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo) override;
    void SetOverlayText(const std::string &text) override;
    std::span<uint32_t> FrameMemory(size_t framePixels) override;
    void FinishPresenting() override;
    bool PacesFrames() const override;
    bool TakesFrame() override;
    void AwaitRefresh() override;
    void PresentAtRefresh(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Shown {
        const uint32_t *frame = nullptr;
        int32_t width = 0, height = 0;
        PixelRect rect{};
    };

    // atRefresh: the frame waits for the display's refresh where it fills the window.
    bool PresentShared(const uint32_t *buffer, int32_t width, int32_t height, PixelRect to, bool atRefresh);
    void PresentThroughBackingStore(const uint32_t *buffer, int32_t width, int32_t height, PixelRect to);
    // Whether the compositor asks for frames (Wayland), rather than the X server's Present.
    bool PacedByCompositor() const;
    // Matches the backing store to the window's size; a new store starts black.
    void FitBackingStore();
    void FillBlack();
    // The window's logical region covering a rectangle of device pixels.
    QRegion LogicalRegion(const QRect &deviceRect) const;
    // Where the overlay goes for a frame drawn at destination: the bottom-left corner.
    QPoint OverlayCorner(const QRect &destination) const;

    QWindow &window_;
    QBackingStore backingStore_;
    int32_t innerWidth_;
    int32_t innerHeight_;
    std::unique_ptr<X11SharedImage> shared_;
    Shown lastShown_;
    std::string overlayText_;
    QImage overlay_; // drawn once per text change, shown with every frame
    std::vector<uint32_t> opaque_; // a frame to be scaled, made opaque first
    bool pacedByCompositor_;
    bool compositorAsked_ = true; // for the next frame, since the last one was sent
    std::chrono::steady_clock::time_point sentAt_;
};

} // namespace orvex
