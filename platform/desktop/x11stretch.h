// SPDX-License-Identifier: MIT
#pragma once
// Frames scaled by the X server (its RENDER extension, done on the graphics card by real
// drivers): bilinear, or nearest-neighbour where each side grows at least twofold and
// the two look alike. The source is a pixmap over the shared frame memory.

#include <cstdint>
#include <memory>
#include <vector>

struct xcb_connection_t;

namespace orvex {

class X11Stretch {
public:
    // Null when the server has no RENDER extension or no picture format for the window's
    // 24-bit true-colour visual.
    static std::unique_ptr<X11Stretch> Create(xcb_connection_t *connection, uint32_t window);
    ~X11Stretch();
    X11Stretch(const X11Stretch &) = delete;
    X11Stretch &operator=(const X11Stretch &) = delete;

    // Draws the width x height pixmap scaled into the rectangle (x, y, toWidth, toHeight)
    // of the window (drawOnto 0) or of a 24-bit pixmap.
    void Draw(uint32_t pixmap, int32_t width, int32_t height, uint32_t drawOnto, int32_t x, int32_t y,
              int32_t toWidth, int32_t toHeight);
    // Lets go of what was kept for a pixmap about to be freed.
    void Forget(uint32_t drawable);

private:
    struct Picture {
        uint32_t drawable;
        uint32_t picture;
        int32_t scaledTo[2] = {0, 0}; // the destination size its transform was set for
    };

    X11Stretch(xcb_connection_t *connection, uint32_t window, uint32_t format);
    Picture &PictureOf(uint32_t drawable);

    xcb_connection_t *connection_;
    uint32_t window_;
    uint32_t format_;
    std::vector<Picture> pictures_;
};

// Whether a frame of `from` pixels shown over `to` may be scaled by repeating pixels.
bool NearestIsEnough(int32_t from, int32_t to);

} // namespace orvex
