// SPDX-License-Identifier: MIT
#pragma once
// What a frame is blitted to: a saver window, a host's preview window, a dialog's
// preview picture, or an offscreen image. Sizes are in device pixels.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace orvex {

struct PixelRect {
    int32_t x, y, width, height;
};

class PresentationTarget {
public:
    virtual ~PresentationTarget() = default;

    virtual int32_t InnerWidth() const = 0;
    virtual int32_t InnerHeight() const = 0;
    // Asked by the run set-up: the saver's surface takes the rendering size; a preview
    // surface narrower than the rendering width is widened to it.
    virtual void Resize(int32_t width, int32_t height) = 0;
    virtual void Clear() = 0;
    // Draws the top-down 32-bit frame (pitch = width) into the rectangle stretchTo,
    // scaling only when the rectangle's size differs from the frame's.
    virtual void Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo) = 0;
    // A line drawn over the corner of every frame presented from now on (empty: none). It
    // is part of the shown picture only, never of the frame buffers; targets that only
    // keep frames (snapshots) ignore it.
    virtual void SetOverlayText(const std::string &) {}
    // Memory for a display run's frame buffers of `framePixels` each, when the target can
    // show frames straight from it (memory shared with the X server): two buffers, and a
    // third where it paces (PacesFrames), in which the frame sent waits for its refresh.
    // Empty when the buffers should be kept by their owner. Valid until the next call.
    virtual std::span<uint32_t> FrameMemory(size_t /*framePixels*/) { return {}; }
    // Called before a frame buffer is written again: returns once the frames shown from
    // the target's memory have been read.
    virtual void FinishPresenting() {}

    // A display that shows at most one frame a refresh, at the refresh: where its memory
    // (FrameMemory) paces the frames shown from it. Frames made meanwhile are not sent.
    virtual bool PacesFrames() const { return false; }
    // Whether a frame offered now would be sent: false while the last one still waits
    // for its refresh.
    virtual bool TakesFrame() { return true; }
    // Returns once TakesFrame would (or the display gave up waiting).
    virtual void AwaitRefresh() {}
    // Shows the frame at the next refresh, as Present otherwise; the buffer is read then,
    // so it stays untouched until TakesFrame says so.
    virtual void PresentAtRefresh(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo)
    {
        Present(buffer, width, height, stretchTo);
    }
};

} // namespace orvex
