// SPDX-License-Identifier: MIT
// Shows patterned frames through shared memory in a window of its own and reads the
// window back. "exact": the pixels arrive exactly, and a small copied picture over them
// too; then the window is destroyed under a frame, which must not leave the image
// waiting for the server to read it. "scaled": frames the server scales equal a
// straightforward scaler's. "paced": frames offered far faster than the display's
// refresh are presented at most once a refresh, and the window ends up showing the last
// one presented. Exits 0 when all holds, 1 when not, 77 when the display lacks what the
// mode needs.

#include "x11sharedimage.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace {

constexpr int32_t kWidth = 64, kHeight = 48;
constexpr int kSkip = 77;
using Shown = orvex::X11SharedImage::Shown;

// Per channel, the largest difference allowed (0: exact).
bool SameAsWindow(xcb_connection_t *c, uint32_t window, const uint32_t *expected, int32_t x, int32_t y, int32_t w,
                  int32_t h, bool report, int tolerance = 0)
{
    const std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
        xcb_get_image_reply(c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(x), int16_t(y), uint16_t(w),
                                             uint16_t(h), UINT32_MAX), nullptr), &std::free);
    if (!image)
        return false;
    const auto *pixels = reinterpret_cast<const uint32_t *>(xcb_get_image_data(image.get()));
    for (int32_t i = 0; i < w * h; ++i)
        for (int shift = 0; shift < 24; shift += 8) {
            const int got = int(pixels[i] >> shift & 0xFF), want = int(expected[i] >> shift & 0xFF);
            if (std::abs(got - want) > tolerance) {
                if (report)
                    std::printf("pixel %d: %06x, expected %06x\n", i, pixels[i] & 0xFFFFFF, expected[i] & 0xFFFFFF);
                return false;
            }
        }
    return true;
}

// What another connection drew arrives a moment later: allow it up to two seconds.
bool WindowComesToShow(xcb_connection_t *c, uint32_t window, const uint32_t *expected, int32_t w, int32_t h,
                       int tolerance = 0)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        if (SameAsWindow(c, window, expected, 0, 0, w, h, attempt == 99, tolerance))
            return true;
        usleep(20000);
    }
    return false;
}

void Pattern(uint32_t *frame, int32_t pixels, uint32_t seed)
{
    for (int32_t i = 0; i < pixels; ++i)
        frame[i] = (uint32_t(i) + seed) * 2654435761u & 0xFFFFFF;
}

// The reference the server's scaling must match: pixel centres mapped onto the frame,
// the edge pixels repeated past the edge; bilinear, or the pixel the centre falls in
// (on a border between two, the first).
std::vector<uint32_t> ScaledPlainly(const uint32_t *frame, int32_t w, int32_t h, int32_t toW, int32_t toH, bool nearest)
{
    std::vector<uint32_t> out(size_t(toW) * toH);
    const auto at = [&](int32_t x, int32_t y) {
        return frame[std::clamp(y, 0, h - 1) * w + std::clamp(x, 0, w - 1)];
    };
    for (int32_t y = 0; y < toH; ++y)
        for (int32_t x = 0; x < toW; ++x) {
            const double sx = (x + 0.5) * w / toW - 0.5, sy = (y + 0.5) * h / toH - 0.5;
            if (nearest) {
                out[size_t(y) * toW + x] = at(int32_t(std::ceil(sx + 0.5)) - 1, int32_t(std::ceil(sy + 0.5)) - 1);
                continue;
            }
            const int32_t x0 = int32_t(std::floor(sx)), y0 = int32_t(std::floor(sy));
            const double fx = sx - x0, fy = sy - y0;
            uint32_t pixel = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const auto channel = [&](int32_t px, int32_t py) { return double(at(px, py) >> shift & 0xFF); };
                const double top = channel(x0, y0) * (1 - fx) + channel(x0 + 1, y0) * fx;
                const double bottom = channel(x0, y0 + 1) * (1 - fx) + channel(x0 + 1, y0 + 1) * fx;
                pixel |= uint32_t(std::lround(top * (1 - fy) + bottom * fy)) << shift;
            }
            out[size_t(y) * toW + x] = pixel;
        }
    return out;
}

struct ProbeWindow {
    xcb_connection_t *c;
    uint32_t window;
};

// On the probe's own connection, which stays open: the display resets when its last
// client goes.
ProbeWindow OpenWindow(int32_t width, int32_t height)
{
    static xcb_connection_t *const c = xcb_connect(nullptr, nullptr);
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t window = xcb_generate_id(c);
    const uint32_t values[] = {screen->black_pixel, 1};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, uint16_t(width), uint16_t(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT,
                      values);
    xcb_map_window(c, window);
    // A round trip: the window exists before another connection draws into it.
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    return {c, window};
}

int Scaled()
{
    // Twofold and more repeats pixels; less is bilinear, growing or shrinking.
    const struct {
        int32_t width, height;
        bool nearest;
    } sizes[] = {{128, 96, true}, {192, 108, true}, {96, 72, false}, {80, 60, false}, {40, 30, false}};
    for (const auto &to : sizes) {
        const ProbeWindow w = OpenWindow(to.width, to.height);
        const auto image = orvex::X11SharedImage::Create(w.window, kWidth * kHeight);
        if (!image) {
            std::puts("no shared memory on this display");
            return kSkip;
        }
        Pattern(image->Pixels(), kWidth * kHeight, uint32_t(to.width));
        if (image->Show(image->Pixels(), kWidth, kHeight, 0, 0, to.width, to.height, false) != Shown::Now) {
            std::printf("the server did not scale to %dx%d\n", to.width, to.height);
            return kSkip;
        }
        image->WaitUntilRead();
        // The server's bilinear weights are 7 bits: a level or two apart from exact.
        const auto expected = ScaledPlainly(image->Pixels(), kWidth, kHeight, to.width, to.height, to.nearest);
        if (!WindowComesToShow(w.c, w.window, expected.data(), to.width, to.height, to.nearest ? 0 : 2)) {
            std::printf("scaled to %dx%d differs\n", to.width, to.height);
            return 1;
        }
        xcb_destroy_window(w.c, w.window);
    }
    return 0;
}

int Paced()
{
    const ProbeWindow w = OpenWindow(kWidth, kHeight);
    // Memory for a frame waiting for its refresh is taken only where frames wait for one.
    const size_t frame = size_t(kWidth) * kHeight;
    setenv("ORVEX_NO_PRESENT", "1", 1);
    const auto unpaced = orvex::X11SharedImage::Create(w.window, frame, frame);
    unsetenv("ORVEX_NO_PRESENT");
    auto image = orvex::X11SharedImage::Create(w.window, frame, frame);
    if (!image || !unpaced) {
        std::puts("no shared memory on this display");
        return kSkip;
    }
    if (unpaced->Paces() || unpaced->PixelCount() != frame || (image->Paces() && image->PixelCount() != 2 * frame)) {
        std::printf("memory for %zu pixels unpaced, %zu paced\n", unpaced->PixelCount(), image->PixelCount());
        return 1;
    }
    // A new frame every 2 ms for a second, each written once the last is read.
    using Steady = std::chrono::steady_clock;
    const auto start = Steady::now();
    int presented = 0, skipped = 0;
    uint32_t seed = 0;
    while (Steady::now() - start < std::chrono::seconds(1)) {
        image->WaitUntilRead();
        Pattern(image->Pixels(), kWidth * kHeight, ++seed);
        const Shown shown = image->Show(image->Pixels(), kWidth, kHeight, 0, 0, kWidth, kHeight, true);
        if (shown == Shown::Now)
            return kSkip; // no Present on this display
        presented += shown == Shown::AtRefresh;
        skipped += shown == Shown::Skipped;
        usleep(2000);
    }
    std::printf("%d presented, %d skipped in a second\n", presented, skipped);
    // Xvfb's refresh is 60 Hz; a slow machine may see fewer, never more.
    if (presented > 62 || presented < 20 || skipped < presented)
        return 1;
    // The last frame presented is the one the window shows.
    Shown shown = Shown::Skipped;
    while (shown == Shown::Skipped) {
        image->WaitUntilRead();
        Pattern(image->Pixels(), kWidth * kHeight, ++seed);
        shown = image->Show(image->Pixels(), kWidth, kHeight, 0, 0, kWidth, kHeight, true);
    }
    image->WaitUntilRead();
    std::vector<uint32_t> last(image->Pixels(), image->Pixels() + kWidth * kHeight);
    return WindowComesToShow(w.c, w.window, last.data(), kWidth, kHeight) ? 0 : 1;
}

int Exact()
{
    const ProbeWindow w = OpenWindow(kWidth, kHeight);
    xcb_connection_t *c = w.c;
    const uint32_t window = w.window;
    // Two frames in the memory, as the presenter keeps them; the second is shown.
    const std::unique_ptr<orvex::X11SharedImage> image = orvex::X11SharedImage::Create(window, 2 * kWidth * kHeight);
    if (!image) {
        std::puts("no shared memory on this display");
        return kSkip;
    }
    uint32_t *frame = image->Pixels() + kWidth * kHeight;
    Pattern(frame, kWidth * kHeight, 0);
    const uint32_t corner[4 * 2] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 1, 2, 3, 4};
    if (image->Show(frame, kWidth, kHeight, 0, 0, kWidth, kHeight, false) != Shown::Now
        || !image->ShowCopy(corner, 4, 2, 10, 20))
        return 1;
    image->WaitUntilRead();
    uint32_t expected[kWidth * kHeight];
    for (int32_t i = 0; i < kWidth * kHeight; ++i)
        expected[i] = frame[i];
    for (int32_t y = 0; y < 2; ++y)
        for (int32_t x = 0; x < 4; ++x)
            expected[(20 + y) * kWidth + 10 + x] = corner[y * 4 + x];
    if (!WindowComesToShow(c, window, expected, kWidth, kHeight))
        return 1;
    xcb_destroy_window(c, window);
    free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
    image->Show(frame, kWidth, kHeight, 0, 0, kWidth, kHeight, false); // refused: the window is gone
    image->WaitUntilRead();
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    const std::string_view mode = argc > 1 ? argv[1] : "";
    if (mode == "exact")
        return Exact();
    if (mode == "scaled")
        return Scaled();
    if (mode == "paced")
        return Paced();
    std::puts("usage: gui_shmprobe exact|scaled|paced");
    return 2;
}
