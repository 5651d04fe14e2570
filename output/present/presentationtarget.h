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
    // Memory for a display run's frame buffers when the target can show frames straight
    // from it (memory shared with the X server); empty when the buffers should be kept
    // by their owner. Valid until the next call.
    virtual std::span<uint32_t> FrameMemory(size_t /*pixels*/) { return {}; }
    // Called before a frame buffer is written again: returns once the frames shown from
    // the target's memory have been read.
    virtual void FinishPresenting() {}
    // Frames not sent to a display that shows one per refresh, because a newer one came
    // before the refresh; the run's count so far (FrameMemory starts it afresh).
    virtual int64_t FramesSkipped() const { return 0; }
};

} // namespace orvex
