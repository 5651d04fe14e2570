// SPDX-License-Identifier: MIT
// Shows a patterned frame through shared memory in a window of its own and reads the
// window back: the pixels must arrive exactly, and a small copied picture over them too.
// Then the window is destroyed under a frame, which must not leave the image waiting for
// the server to read it. Exits 0 when all holds, 1 when not, 77 when the display offers no
// shared memory.

#include "x11sharedimage.h"

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <unistd.h>

namespace {

constexpr int32_t kWidth = 64, kHeight = 48;

bool SameAsWindow(xcb_connection_t *c, uint32_t window, const uint32_t *expected, int32_t x, int32_t y, int32_t w,
                  int32_t h, bool report)
{
    const std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
        xcb_get_image_reply(c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(x), int16_t(y), uint16_t(w),
                                             uint16_t(h), UINT32_MAX), nullptr), &std::free);
    if (!image)
        return false;
    const auto *pixels = reinterpret_cast<const uint32_t *>(xcb_get_image_data(image.get()));
    for (int32_t i = 0; i < w * h; ++i)
        if ((pixels[i] & 0xFFFFFF) != (expected[i] & 0xFFFFFF)) {
            if (report)
                std::printf("pixel %d: %06x, expected %06x\n", i, pixels[i] & 0xFFFFFF, expected[i] & 0xFFFFFF);
            return false;
        }
    return true;
}

} // namespace

int main()
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t window = xcb_generate_id(c);
    const uint32_t values[] = {screen->black_pixel, 1};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, kWidth, kHeight, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT,
                      values);
    xcb_map_window(c, window);
    // A round trip: the window exists before another connection draws into it.
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));

    // Two frames in the memory, as the presenter keeps them; the second is shown.
    const std::unique_ptr<orvex::X11SharedImage> image = orvex::X11SharedImage::Create(window, 2 * kWidth * kHeight);
    if (!image) {
        std::puts("no shared memory on this display");
        return 77;
    }
    uint32_t *frame = image->Pixels() + kWidth * kHeight;
    for (int32_t i = 0; i < kWidth * kHeight; ++i)
        frame[i] = uint32_t(i) * 2654435761u & 0xFFFFFF;
    const uint32_t corner[4 * 2] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 1, 2, 3, 4};
    if (!image->Show(frame, kWidth, kHeight, 0, 0) || !image->ShowCopy(corner, 4, 2, 10, 20))
        return 1;
    image->WaitUntilRead();
    uint32_t expected[kWidth * kHeight];
    for (int32_t i = 0; i < kWidth * kHeight; ++i)
        expected[i] = frame[i];
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 4; ++x)
            expected[(20 + y) * kWidth + 10 + x] = corner[y * 4 + x];
    // The copied picture follows the frame on the image's own connection, which this one
    // does not wait for: allow it a moment to arrive.
    bool same = false;
    for (int attempt = 0; attempt < 100 && !same; ++attempt) {
        same = SameAsWindow(c, window, expected, 0, 0, kWidth, kHeight, attempt == 99);
        if (!same)
            usleep(20000);
    }
    if (!same)
        return 1;
    xcb_destroy_window(c, window);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    image->Show(frame, kWidth, kHeight, 0, 0); // refused: the window is gone
    image->WaitUntilRead();
    xcb_disconnect(c);
    return 0;
}
