// SPDX-License-Identifier: MIT
#pragma once
// Frames shown straight from memory shared with the X server (MIT-SHM): the frame
// buffers live in the shared segment, so a frame reaches the window without a copy on
// our side. Where the server can, it also scales them (RENDER) and shows them at the
// display's refresh (Present). The server reads the memory after the call returns; a
// buffer must not be written again until WaitUntilRead says the server is done with it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

namespace orvex {

class X11PresentPacing;
class X11Stretch;

class X11SharedImage {
public:
    // Memory for `pixels` 32-bit pixels (zeroed) that can be shown in `window`, and for
    // `morePixelsIfPaced` more where the server paces frames (Paces); null when the
    // display has no MIT-SHM, the window is not a 24-bit true-colour window with the
    // frame's byte layout, or the memory cannot be had.
    static std::unique_ptr<X11SharedImage> Create(uint32_t window, size_t pixels, size_t morePixelsIfPaced = 0);
    ~X11SharedImage();
    X11SharedImage(const X11SharedImage &) = delete;
    X11SharedImage &operator=(const X11SharedImage &) = delete;

    uint32_t *Pixels() const { return pixels_; }
    size_t PixelCount() const { return count_; }
    bool Holds(const uint32_t *buffer) const { return buffer >= pixels_ && buffer < pixels_ + count_; }

    enum class Shown {
        Now,       // on its way to the window
        AtRefresh, // on its way, to be copied into the window at the next refresh
        Skipped,   // not sent: the frame sent before still waits for its refresh
        Not,       // not sent: outside this memory, too large, or it needs scaling the server cannot do
    };
    // Shows the width x height frame starting at `frame` (inside this memory) in the
    // rectangle (x, y, toWidth, toHeight) of the window, scaled when the sizes differ.
    // `atRefresh` asks for the display's pace where the server keeps it (Paces), only for
    // a frame that covers the window with nothing drawn over it: the frame is read at the
    // refresh, so its memory stays untouched until TakesFrame.
    Shown Show(const uint32_t *frame, int32_t width, int32_t height, int32_t x, int32_t y, int32_t toWidth,
               int32_t toHeight, bool atRefresh);
    // Shows a small picture kept elsewhere (sent over the connection, in order with the
    // frames). False when it is too large for one request.
    bool ShowCopy(const uint32_t *pixels, int32_t width, int32_t height, int32_t x, int32_t y);
    // Returns once the server has read (or refused) every frame shown at once so far.
    void WaitUntilRead();

    bool Paces() const { return pacing_ != nullptr; }
    // Whether a frame shown at the refresh now would be sent: none waits for its refresh.
    bool TakesFrame();
    // Returns once TakesFrame would, or after a second without news from the server.
    void AwaitTakesFrame();

private:
    struct FramePixmap {
        size_t offset;
        int32_t width, height;
        uint32_t pixmap;
    };

    X11SharedImage() = default;
    // The server's view of a frame in this memory, made on first use.
    uint32_t PixmapOver(const uint32_t *frame, int32_t width, int32_t height);
    // A pixmap of the server's own for a scaled frame that waits for its refresh.
    uint32_t RefreshPixmap(int32_t width, int32_t height);
    // The server has read the memory once it answers a request sent after the reading one.
    void ReadBeforeAnswering();
    void TakeWaitingEvents();
    void Take(const xcb_generic_event_t &event);
    // The next event, or null once the connection is gone or nothing came for a second.
    xcb_generic_event_t *NextEvent();

    xcb_connection_t *connection_ = nullptr;
    uint32_t window_ = 0;
    uint32_t gc_ = 0;
    uint32_t segment_ = 0;
    uint8_t completionEvent_ = 0;
    uint8_t requestCode_ = 0; // the extension's, named in its errors
    uint32_t *pixels_ = nullptr;
    size_t count_ = 0;
    int32_t unread_ = 0;
    std::vector<uint32_t> answers_; // requests whose answers say the memory was read
    std::vector<FramePixmap> framePixmaps_;
    uint32_t refreshPixmap_ = 0;
    int32_t refreshWidth_ = 0, refreshHeight_ = 0;
    std::unique_ptr<X11Stretch> stretch_;
    std::unique_ptr<X11PresentPacing> pacing_;
};

} // namespace orvex
