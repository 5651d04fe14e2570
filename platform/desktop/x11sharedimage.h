// SPDX-License-Identifier: MIT
#pragma once
// Frames shown straight from memory shared with the X server (MIT-SHM): the frame
// buffers live in the shared segment, so a frame reaches the window without a copy on
// our side. The server reads the memory after the call returns; a buffer must not be
// written again until WaitUntilRead says the server is done with it.

#include <cstddef>
#include <cstdint>
#include <memory>

struct xcb_connection_t;

namespace orvex {

class X11SharedImage {
public:
    // Memory for `pixels` 32-bit pixels (zeroed) that can be shown in `window`; null when
    // the display has no MIT-SHM, the window is not a 24-bit true-colour window with the
    // frame's byte layout, or the memory cannot be had.
    static std::unique_ptr<X11SharedImage> Create(uint32_t window, size_t pixels);
    ~X11SharedImage();
    X11SharedImage(const X11SharedImage &) = delete;
    X11SharedImage &operator=(const X11SharedImage &) = delete;

    uint32_t *Pixels() const { return pixels_; }
    size_t PixelCount() const { return count_; }
    bool Holds(const uint32_t *buffer) const { return buffer >= pixels_ && buffer < pixels_ + count_; }

    // Shows the width x height frame starting at `frame` (inside this memory) at (x, y)
    // of the window. False when the request could not be sent.
    bool Show(const uint32_t *frame, int32_t width, int32_t height, int32_t x, int32_t y);
    // Shows a small picture kept elsewhere (sent over the connection, in order with the
    // frames). False when it is too large for one request.
    bool ShowCopy(const uint32_t *pixels, int32_t width, int32_t height, int32_t x, int32_t y);
    // Returns once the server has read (or refused) every frame shown so far.
    void WaitUntilRead();

private:
    X11SharedImage() = default;

    xcb_connection_t *connection_ = nullptr;
    uint32_t window_ = 0;
    uint32_t gc_ = 0;
    uint32_t segment_ = 0;
    uint8_t completionEvent_ = 0;
    uint8_t requestCode_ = 0; // the extension's, named in its errors
    uint32_t *pixels_ = nullptr;
    size_t count_ = 0;
    int32_t unread_ = 0;
};

} // namespace orvex
