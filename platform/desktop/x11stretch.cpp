// SPDX-License-Identifier: MIT
#include "x11stretch.h"

#include <xcb/render.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

namespace orvex {

namespace {

// The picture format of the frame's pixels: 24 bits of red, green, blue in a 32-bit word.
uint32_t FrameFormat(xcb_connection_t *c, uint32_t window)
{
    xcb_get_window_attributes_reply_t *attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
    xcb_render_query_pict_formats_reply_t *formats =
        xcb_render_query_pict_formats_reply(c, xcb_render_query_pict_formats(c), nullptr);
    uint32_t found = 0;
    if (attributes != nullptr && formats != nullptr) {
        for (auto s = xcb_render_query_pict_formats_screens_iterator(formats); s.rem && !found;
             xcb_render_pictscreen_next(&s))
            for (auto d = xcb_render_pictscreen_depths_iterator(s.data); d.rem && !found;
                 xcb_render_pictdepth_next(&d))
                for (auto v = xcb_render_pictdepth_visuals_iterator(d.data); v.rem; xcb_render_pictvisual_next(&v))
                    if (d.data->depth == 24 && v.data->visual == attributes->visual)
                        found = v.data->format;
    }
    std::free(formats);
    std::free(attributes);
    return found;
}

xcb_render_fixed_t Fixed(double value)
{
    return xcb_render_fixed_t(value * 65536.0 + 0.5);
}

} // namespace

bool NearestIsEnough(int32_t from, int32_t to)
{
    return from > 0 && to >= 2 * from;
}

std::unique_ptr<X11Stretch> X11Stretch::Create(xcb_connection_t *connection, uint32_t window)
{
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(connection, &xcb_render_id);
    if (extension == nullptr || !extension->present)
        return nullptr;
    const uint32_t format = FrameFormat(connection, window);
    if (format == 0)
        return nullptr;
    return std::unique_ptr<X11Stretch>(new X11Stretch(connection, window, format));
}

X11Stretch::X11Stretch(xcb_connection_t *connection, uint32_t window, uint32_t format)
    : connection_(connection), window_(window), format_(format)
{
}

X11Stretch::~X11Stretch()
{
    for (const Picture &p : pictures_)
        xcb_render_free_picture(connection_, p.picture);
}

X11Stretch::Picture &X11Stretch::PictureOf(uint32_t drawable)
{
    for (Picture &known : pictures_)
        if (known.drawable == drawable)
            return known;
    const uint32_t picture = xcb_generate_id(connection_);
    // Past the frame's edge the filter repeats the edge pixels instead of fading to black.
    const uint32_t repeat = XCB_RENDER_REPEAT_PAD;
    xcb_render_create_picture(connection_, picture, drawable, format_, XCB_RENDER_CP_REPEAT, &repeat);
    return pictures_.emplace_back(Picture{drawable, picture});
}

void X11Stretch::Forget(uint32_t drawable)
{
    const auto known = std::find_if(pictures_.begin(), pictures_.end(),
                                    [&](const Picture &p) { return p.drawable == drawable; });
    if (known == pictures_.end())
        return;
    xcb_render_free_picture(connection_, known->picture);
    pictures_.erase(known);
}

void X11Stretch::Draw(uint32_t pixmap, int32_t width, int32_t height, uint32_t drawOnto, int32_t x, int32_t y,
                      int32_t toWidth, int32_t toHeight)
{
    // Looked up first: adding a picture may move the others.
    const uint32_t target = PictureOf(drawOnto != 0 ? drawOnto : window_).picture;
    // A pixmap is always one frame's size: its scale follows from the destination alone.
    Picture &source = PictureOf(pixmap);
    if (source.scaledTo[0] != toWidth || source.scaledTo[1] != toHeight) {
        // The transform maps each target pixel back into the frame.
        const xcb_render_transform_t transform{
            Fixed(double(width) / toWidth), 0, 0, 0, Fixed(double(height) / toHeight), 0, 0, 0, Fixed(1)};
        xcb_render_set_picture_transform(connection_, source.picture, transform);
        const std::string_view filter =
            NearestIsEnough(width, toWidth) && NearestIsEnough(height, toHeight) ? "nearest" : "bilinear";
        xcb_render_set_picture_filter(connection_, source.picture, uint16_t(filter.size()), filter.data(), 0,
                                      nullptr);
        source.scaledTo[0] = toWidth;
        source.scaledTo[1] = toHeight;
    }
    xcb_render_composite(connection_, XCB_RENDER_PICT_OP_SRC, source.picture, 0, target, 0, 0, 0, 0, int16_t(x),
                         int16_t(y), uint16_t(toWidth), uint16_t(toHeight));
}

} // namespace orvex
