// SPDX-License-Identifier: MIT
#include "rootbackground.h"

#include <QFile>
#include <QImage>
#include <xcb/xcb.h>

#include <algorithm>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace orvex {

namespace {

struct Disconnect {
    void operator()(xcb_connection_t *connection) const { xcb_disconnect(connection); }
};
using Connection = std::unique_ptr<xcb_connection_t, Disconnect>;

// Size of a PutImage request before its pixels.
constexpr uint32_t kPutImageHeaderBytes = 24;

const xcb_screen_t *ScreenOf(xcb_connection_t *connection, int screenNumber)
{
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    return screens.rem > 0 ? screens.data : nullptr;
}

const xcb_visualtype_t *RootVisual(const xcb_screen_t &screen)
{
    for (auto depths = xcb_screen_allowed_depths_iterator(&screen); depths.rem > 0; xcb_depth_next(&depths))
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem > 0; xcb_visualtype_next(&visuals))
            if (visuals.data->visual_id == screen.root_visual)
                return visuals.data;
    return nullptr;
}

// Whether the root's pixmaps hold pixels exactly as QImage::Format_RGB32 lays them out:
// 32 bits each, blue in the low byte, in this machine's byte order.
bool TakesRgb32(xcb_connection_t *connection, const xcb_screen_t &screen)
{
    const xcb_setup_t *setup = xcb_get_setup(connection);
    const bool lowByteFirst = setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST;
    if (lowByteFirst != (std::endian::native == std::endian::little))
        return false;
    const xcb_visualtype_t *visual = RootVisual(screen);
    if (visual == nullptr || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR || visual->red_mask != 0xFF0000 ||
        visual->green_mask != 0xFF00 || visual->blue_mask != 0xFF)
        return false;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem > 0; xcb_format_next(&formats))
        if (formats.data->depth == screen.root_depth)
            return formats.data->bits_per_pixel == 32;
    return false;
}

xcb_atom_t Atom(xcb_connection_t *connection, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(std::strlen(name)), name), nullptr);
    const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

std::optional<xcb_pixmap_t> PixmapProperty(xcb_connection_t *connection, xcb_window_t root, xcb_atom_t property)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, root, property, XCB_ATOM_PIXMAP, 0, 1), nullptr);
    std::optional<xcb_pixmap_t> pixmap;
    if (reply != nullptr && reply->format == 32 && xcb_get_property_value_length(reply) == 4)
        pixmap = *static_cast<const xcb_pixmap_t *>(xcb_get_property_value(reply));
    std::free(reply);
    return pixmap;
}

// The picture as a pixmap of the root's size, sent in pieces the server accepts.
xcb_pixmap_t UploadPixmap(xcb_connection_t *connection, const xcb_screen_t &screen, const QImage &picture)
{
    const QImage image = picture
                             .scaled(screen.width_in_pixels, screen.height_in_pixels, Qt::IgnoreAspectRatio,
                                     Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_RGB32);
    const xcb_pixmap_t pixmap = xcb_generate_id(connection);
    xcb_create_pixmap(connection, screen.root_depth, pixmap, screen.root, uint16_t(image.width()),
                      uint16_t(image.height()));
    const xcb_gcontext_t gc = xcb_generate_id(connection);
    xcb_create_gc(connection, gc, pixmap, 0, nullptr);
    const uint32_t rowBytes = uint32_t(image.bytesPerLine());
    const uint32_t requestBytes = xcb_get_maximum_request_length(connection) * 4;
    const int rowsPerRequest = int(std::max<uint32_t>(1, (requestBytes - kPutImageHeaderBytes) / rowBytes));
    for (int y = 0; y < image.height(); y += rowsPerRequest) {
        const int rows = std::min(rowsPerRequest, image.height() - y);
        xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, pixmap, gc, uint16_t(image.width()), uint16_t(rows), 0,
                      int16_t(y), 0, screen.root_depth, rows * rowBytes, image.constScanLine(y));
    }
    xcb_free_gc(connection, gc);
    return pixmap;
}

// Names the pixmap in _XROOTPMAP_ID and ESETROOT_PMAP_ID. A pixmap an earlier setter left
// there outlives its program only through that program's retained client, which is ended
// to free it, as every setter following this convention does.
void AnnounceRootPixmap(xcb_connection_t *connection, xcb_window_t root, xcb_pixmap_t pixmap)
{
    const xcb_atom_t rootPmap = Atom(connection, "_XROOTPMAP_ID");
    const xcb_atom_t esetroot = Atom(connection, "ESETROOT_PMAP_ID");
    if (rootPmap == XCB_ATOM_NONE || esetroot == XCB_ATOM_NONE)
        return;
    const std::optional<xcb_pixmap_t> previous = PixmapProperty(connection, root, esetroot);
    if (previous && previous == PixmapProperty(connection, root, rootPmap))
        xcb_kill_client(connection, *previous);
    for (const xcb_atom_t property : {rootPmap, esetroot})
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, property, XCB_ATOM_PIXMAP, 32, 1, &pixmap);
}

} // namespace

bool SetRootBackground(const std::filesystem::path &picture)
{
    const QImage image(QFile::decodeName(picture.c_str()));
    if (image.isNull())
        return false;
    int screenNumber = 0;
    const Connection connection(xcb_connect(nullptr, &screenNumber));
    if (xcb_connection_has_error(connection.get()))
        return false;
    const xcb_screen_t *screen = ScreenOf(connection.get(), screenNumber);
    if (screen == nullptr || !TakesRgb32(connection.get(), *screen))
        return false;
    const xcb_pixmap_t pixmap = UploadPixmap(connection.get(), *screen, image);
    AnnounceRootPixmap(connection.get(), screen->root, pixmap);
    xcb_change_window_attributes(connection.get(), screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(connection.get(), 0, screen->root, 0, 0, 0, 0);
    // The pixmap must outlive this connection, the root window keeps showing it.
    xcb_set_close_down_mode(connection.get(), XCB_CLOSE_DOWN_RETAIN_PERMANENT);
    // A round trip: the server has taken every request before the connection closes.
    std::free(xcb_get_input_focus_reply(connection.get(), xcb_get_input_focus(connection.get()), nullptr));
    return true;
}

} // namespace orvex
