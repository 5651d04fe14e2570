// SPDX-License-Identifier: MIT
// A stand-in host for the window tests: creates a window the program can draw into and
// reads back what is on screen, as XScreenSaver or a settings page would hold it.
//
//   xprobe host WIDTH HEIGHT   creates a black window, prints its id, then obeys stdin:
//                              "lit" prints the number of non-black pixels in it,
//                              "destroy" destroys it; end of input exits.
//   xprobe lit WINDOW          prints the number of non-black pixels in WINDOW.

#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

namespace {

struct Connection {
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    ~Connection() { xcb_disconnect(c); }
};

long LitPixels(xcb_connection_t *c, xcb_window_t window)
{
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &std::free);
    if (!geometry)
        return -1;
    const std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
        xcb_get_image_reply(c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, geometry->width,
                                              geometry->height, UINT32_MAX), nullptr), &std::free);
    if (!image || geometry->depth < 24)
        return -1;
    const auto *pixels = reinterpret_cast<const uint32_t *>(xcb_get_image_data(image.get()));
    const int count = xcb_get_image_data_length(image.get()) / 4;
    long lit = 0;
    for (int i = 0; i < count; ++i)
        lit += (pixels[i] & 0xffffff) != 0;
    return lit;
}

int Host(xcb_connection_t *c, uint16_t width, uint16_t height)
{
    xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    const uint32_t values[] = {screen->black_pixel, 1};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, width, height, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    xcb_map_window(c, window);
    xcb_flush(c);
    std::cout << "0x" << std::hex << window << std::dec << std::endl;
    for (std::string command; std::getline(std::cin, command);) {
        if (command == "lit") {
            std::cout << LitPixels(c, window) << std::endl;
        } else if (command == "destroy") {
            xcb_destroy_window(c, window);
            xcb_flush(c);
            std::cout << "destroyed" << std::endl;
        }
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    Connection connection;
    if (xcb_connection_has_error(connection.c)) {
        std::cerr << "xprobe: cannot open the display\n";
        return 2;
    }
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "host" && argc == 4)
        return Host(connection.c, uint16_t(std::atoi(argv[2])), uint16_t(std::atoi(argv[3])));
    if (mode == "lit" && argc == 3) {
        std::cout << LitPixels(connection.c, xcb_window_t(std::strtoul(argv[2], nullptr, 0))) << std::endl;
        return 0;
    }
    std::cerr << "usage: xprobe host WIDTH HEIGHT | xprobe lit WINDOW\n";
    return 2;
}
