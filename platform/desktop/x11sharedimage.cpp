// SPDX-License-Identifier: MIT
#include "x11sharedimage.h"

#include "x11presentpacing.h"
#include "x11stretch.h"

#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <sys/ipc.h>
#include <sys/shm.h>

namespace orvex {

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Owned(Reply *reply)
{
    return ReplyPtr<Reply>(reply, &std::free);
}

// The frame's pixels are blue, green, red, unused in memory: a 24-bit true-colour visual
// with 32 bits a pixel, least significant byte first.
bool TakesFramePixels(xcb_connection_t *c, uint32_t window)
{
    const auto attributes = Owned(xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    const auto geometry = Owned(xcb_get_geometry_reply(c, xcb_get_geometry(c, window), nullptr));
    if (!attributes || !geometry || geometry->depth != 24)
        return false;
    const xcb_setup_t *setup = xcb_get_setup(c);
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST)
        return false;
    bool formatFits = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        formatFits |= f.data->depth == 24 && f.data->bits_per_pixel == 32;
    if (!formatFits)
        return false;
    for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s))
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d))
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v))
                if (v.data->visual_id == attributes->visual)
                    return v.data->red_mask == 0xFF0000 && v.data->green_mask == 0xFF00 && v.data->blue_mask == 0xFF;
    return false;
}

bool HasSharedMemory(xcb_connection_t *c)
{
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(c, &xcb_shm_id);
    if (extension == nullptr || !extension->present)
        return false;
    return Owned(xcb_shm_query_version_reply(c, xcb_shm_query_version(c), nullptr)) != nullptr;
}

} // namespace

std::unique_ptr<X11SharedImage> X11SharedImage::Create(uint32_t window, size_t pixels, size_t morePixelsIfPaced)
{
    std::unique_ptr<X11SharedImage> image(new X11SharedImage);
    image->connection_ = xcb_connect(nullptr, nullptr);
    xcb_connection_t *c = image->connection_;
    if (xcb_connection_has_error(c) || pixels == 0 || !HasSharedMemory(c) || !TakesFramePixels(c, window))
        return nullptr;
    // ORVEX_NO_PRESENT=1 shows every frame at once, for drivers whose Present misbehaves.
    const char *noPresent = std::getenv("ORVEX_NO_PRESENT");
    if (noPresent == nullptr || std::strcmp(noPresent, "1") != 0)
        image->pacing_ = X11PresentPacing::Create(c, window);
    if (image->pacing_)
        pixels += morePixelsIfPaced;
    const int id = ::shmget(IPC_PRIVATE, pixels * sizeof(uint32_t), IPC_CREAT | 0600);
    if (id < 0)
        return nullptr;
    void *memory = ::shmat(id, nullptr, 0);
    image->segment_ = xcb_generate_id(c);
    // Writable for the server: it makes pixmaps over the memory only then (it never writes).
    const auto attached = xcb_shm_attach_checked(c, image->segment_, uint32_t(id), 0);
    const bool ok = memory != reinterpret_cast<void *>(-1) && xcb_request_check(c, attached) == nullptr;
    // Marked for removal at once: the segment goes when the last of us and the server detach.
    ::shmctl(id, IPC_RMID, nullptr);
    if (memory != reinterpret_cast<void *>(-1))
        image->pixels_ = static_cast<uint32_t *>(memory);
    if (!ok)
        return nullptr;
    image->count_ = pixels;
    image->window_ = window;
    image->gc_ = xcb_generate_id(c);
    const uint32_t noExposures = 0;
    xcb_create_gc(c, image->gc_, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(c, &xcb_shm_id);
    image->completionEvent_ = uint8_t(extension->first_event + XCB_SHM_COMPLETION);
    image->requestCode_ = extension->major_opcode;
    image->stretch_ = X11Stretch::Create(c, window);
    return image;
}

X11SharedImage::~X11SharedImage()
{
    if (count_ != 0) {
        WaitUntilRead();
        stretch_.reset();
        for (const FramePixmap &p : framePixmaps_)
            xcb_free_pixmap(connection_, p.pixmap);
        if (refreshPixmap_ != 0)
            xcb_free_pixmap(connection_, refreshPixmap_);
        xcb_free_gc(connection_, gc_);
        xcb_shm_detach(connection_, segment_);
        xcb_flush(connection_);
    }
    // It speaks over the connection as it goes, and exists even when the memory could not be had.
    pacing_.reset();
    if (pixels_ != nullptr)
        ::shmdt(pixels_);
    xcb_disconnect(connection_);
}

uint32_t X11SharedImage::PixmapOver(const uint32_t *frame, int32_t width, int32_t height)
{
    const size_t offset = size_t(frame - pixels_) * sizeof(uint32_t);
    for (const FramePixmap &p : framePixmaps_)
        if (p.offset == offset && p.width == width && p.height == height)
            return p.pixmap;
    const uint32_t pixmap = xcb_generate_id(connection_);
    xcb_shm_create_pixmap(connection_, pixmap, window_, uint16_t(width), uint16_t(height), 24, segment_,
                          uint32_t(offset));
    framePixmaps_.push_back({offset, width, height, pixmap});
    return pixmap;
}

uint32_t X11SharedImage::RefreshPixmap(int32_t width, int32_t height)
{
    if (refreshPixmap_ != 0 && (refreshWidth_ != width || refreshHeight_ != height)) {
        if (stretch_)
            stretch_->Forget(refreshPixmap_);
        xcb_free_pixmap(connection_, refreshPixmap_);
        refreshPixmap_ = 0;
    }
    if (refreshPixmap_ == 0) {
        refreshPixmap_ = xcb_generate_id(connection_);
        xcb_create_pixmap(connection_, 24, refreshPixmap_, window_, uint16_t(width), uint16_t(height));
        refreshWidth_ = width;
        refreshHeight_ = height;
    }
    return refreshPixmap_;
}

void X11SharedImage::ReadBeforeAnswering()
{
    answers_.push_back(xcb_get_input_focus(connection_).sequence);
}

X11SharedImage::Shown X11SharedImage::Show(const uint32_t *frame, int32_t width, int32_t height, int32_t x, int32_t y,
                                           int32_t toWidth, int32_t toHeight, bool atRefresh)
{
    const bool fits = width > 0 && height > 0 && toWidth > 0 && toHeight > 0 && width <= INT16_MAX
                      && height <= INT16_MAX && toWidth <= INT16_MAX && toHeight <= INT16_MAX;
    const bool scaled = toWidth != width || toHeight != height;
    if (!Holds(frame) || !fits || (scaled && !stretch_))
        return Shown::Not;
    TakeWaitingEvents();
    if (atRefresh && pacing_) {
        if (pacing_->Waiting())
            return Shown::Skipped;
        uint32_t shown = PixmapOver(frame, width, height);
        if (scaled) {
            // Scaled at once into a pixmap of the server's, which the refresh then copies.
            const uint32_t target = RefreshPixmap(toWidth, toHeight);
            stretch_->Draw(shown, width, height, target, 0, 0, toWidth, toHeight);
            ReadBeforeAnswering();
            shown = target;
        }
        pacing_->Present(shown, int16_t(x), int16_t(y));
        return xcb_flush(connection_) > 0 ? Shown::AtRefresh : Shown::Not;
    }
    if (scaled) {
        stretch_->Draw(PixmapOver(frame, width, height), width, height, 0, x, y, toWidth, toHeight);
        ReadBeforeAnswering();
    } else {
        const uint32_t offset = uint32_t((frame - pixels_) * sizeof(uint32_t));
        xcb_shm_put_image(connection_, window_, gc_, uint16_t(width), uint16_t(height), 0, 0, uint16_t(width),
                          uint16_t(height), int16_t(x), int16_t(y), 24, XCB_IMAGE_FORMAT_Z_PIXMAP, 1, segment_,
                          offset);
        ++unread_;
    }
    return xcb_flush(connection_) > 0 ? Shown::Now : Shown::Not;
}

bool X11SharedImage::ShowCopy(const uint32_t *pixels, int32_t width, int32_t height, int32_t x, int32_t y)
{
    constexpr size_t kRequestHeaderBytes = 24;
    const size_t bytes = size_t(width) * size_t(height) * sizeof(uint32_t);
    if (width <= 0 || height <= 0 || bytes + kRequestHeaderBytes > size_t(xcb_get_maximum_request_length(connection_)) * 4)
        return false;
    xcb_put_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, gc_, uint16_t(width), uint16_t(height), int16_t(x),
                  int16_t(y), 0, 24, uint32_t(bytes), reinterpret_cast<const uint8_t *>(pixels));
    return xcb_flush(connection_) > 0;
}

void X11SharedImage::Take(const xcb_generic_event_t &event)
{
    if (pacing_ && pacing_->Take(event))
        return;
    // A frame given up on (the server silent for a second) may still complete later.
    if ((event.response_type & 0x7F) == completionEvent_) {
        unread_ = std::max(unread_ - 1, 0);
    } else if (event.response_type == 0) {
        // A frame the server refused (its window destroyed meanwhile, say) is never
        // read and never completed.
        const auto &error = reinterpret_cast<const xcb_generic_error_t &>(event);
        if (error.major_code == requestCode_ && error.minor_code == XCB_SHM_PUT_IMAGE)
            unread_ = std::max(unread_ - 1, 0);
    }
}

void X11SharedImage::TakeWaitingEvents()
{
    while (const auto event = Owned(xcb_poll_for_event(connection_)))
        Take(*event);
}

xcb_generic_event_t *X11SharedImage::NextEvent()
{
    // A server that never answers must not hold the saver up for ever.
    constexpr int kPatienceMs = 1000;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatienceMs);
    while (true) {
        if (xcb_generic_event_t *event = xcb_poll_for_event(connection_))
            return event;
        if (xcb_connection_has_error(connection_))
            return nullptr;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd connection{xcb_get_file_descriptor(connection_), POLLIN, 0};
        if (left.count() <= 0 || ::poll(&connection, 1, int(left.count()) + 1) <= 0)
            return nullptr;
    }
}

bool X11SharedImage::TakesFrame()
{
    TakeWaitingEvents();
    return !pacing_ || !pacing_->Waiting();
}

void X11SharedImage::AwaitTakesFrame()
{
    while (!TakesFrame()) {
        const auto event = Owned(NextEvent());
        if (!event) {
            pacing_->GiveUpWaiting();
            return;
        }
        Take(*event);
    }
}

void X11SharedImage::WaitUntilRead()
{
    for (const uint32_t sequence : answers_)
        std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus_cookie_t{sequence}, nullptr));
    answers_.clear();
    while (unread_ > 0) {
        const auto event = Owned(NextEvent());
        if (!event) {
            // The connection is gone or the server is stuck: nobody reads the memory now.
            unread_ = 0;
            return;
        }
        Take(*event);
    }
}

} // namespace orvex
