// SPDX-License-Identifier: MIT
// A stand-in host for the window tests: creates a window the program can draw into and
// reads back what is on screen, as XScreenSaver or a settings page would hold it.
//
//   xprobe host WIDTH HEIGHT   creates a black window, prints its id, then obeys stdin:
//                              "lit [X Y WIDTH HEIGHT]" prints the number of non-black
//                              pixels in it (or in that part of it), "resize WIDTH HEIGHT"
//                              gives it a new size, "destroy" destroys it; end of input exits.
//   xprobe lit WINDOW [X Y WIDTH HEIGHT]   the same count for any window.

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

namespace {

struct Connection {
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    ~Connection() { xcb_disconnect(c); }
};

// A part of a window; a width or height of 0 reaches the window's edge.
struct Area {
    int x = 0, y = 0, width = 0, height = 0;
};

// Reads "X Y WIDTH HEIGHT" when all four are there, else the whole window.
Area ReadArea(std::istream &in)
{
    Area area;
    if (!(in >> area.x >> area.y >> area.width >> area.height))
        return {};
    return area;
}

long LitPixels(xcb_connection_t *c, xcb_window_t window, Area area)
{
    const std::unique_ptr<xcb_get_geometry_reply_t, decltype(&std::free)> geometry(
        xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr), &std::free);
    if (!geometry || area.x < 0 || area.y < 0 || area.x >= geometry->width || area.y >= geometry->height)
        return -1;
    const int width = area.width > 0 ? std::min(area.width, geometry->width - area.x) : geometry->width - area.x;
    const int height = area.height > 0 ? std::min(area.height, geometry->height - area.y) : geometry->height - area.y;
    const std::unique_ptr<xcb_get_image_reply_t, decltype(&std::free)> image(
        xcb_get_image_reply(c, xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(area.x), int16_t(area.y),
                                              uint16_t(width), uint16_t(height), UINT32_MAX), nullptr), &std::free);
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
    for (std::string line; std::getline(std::cin, line);) {
        std::istringstream words(line);
        std::string command;
        words >> command;
        if (command == "lit") {
            std::cout << LitPixels(c, window, ReadArea(words)) << std::endl;
        } else if (command == "resize") {
            uint32_t size[2] = {};
            words >> size[0] >> size[1];
            xcb_configure_window(c, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
            // Answered once the server has the new size: a round trip after the request.
            std::free(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
            std::cout << "resized" << std::endl;
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
    if (mode == "lit" && (argc == 3 || argc == 7)) {
        std::istringstream area(argc == 7 ? std::string(argv[3]) + " " + argv[4] + " " + argv[5] + " " + argv[6] : "");
        std::cout << LitPixels(connection.c, xcb_window_t(std::strtoul(argv[2], nullptr, 0)), ReadArea(area))
                  << std::endl;
        return 0;
    }
    std::cerr << "usage: xprobe host WIDTH HEIGHT | xprobe lit WINDOW [X Y WIDTH HEIGHT]\n";
    return 2;
}
