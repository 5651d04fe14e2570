// SPDX-License-Identifier: MIT
#include "x11presentpacing.h"

#include <xcb/present.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace orvex {

std::unique_ptr<X11PresentPacing> X11PresentPacing::Create(xcb_connection_t *connection, uint32_t window)
{
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(connection, &xcb_present_id);
    if (extension == nullptr || !extension->present)
        return nullptr;
    xcb_present_query_version_reply_t *version = xcb_present_query_version_reply(
        connection, xcb_present_query_version(connection, XCB_PRESENT_MAJOR_VERSION, XCB_PRESENT_MINOR_VERSION),
        nullptr);
    if (version == nullptr)
        return nullptr;
    std::free(version);
    std::unique_ptr<X11PresentPacing> pacing(new X11PresentPacing(connection, window, extension->major_opcode));
    pacing->eventContext_ = xcb_generate_id(connection);
    xcb_present_select_input(connection, pacing->eventContext_, window, XCB_PRESENT_EVENT_MASK_IDLE_NOTIFY);
    return pacing;
}

X11PresentPacing::X11PresentPacing(xcb_connection_t *connection, uint32_t window, uint8_t opcode)
    : connection_(connection), window_(window), opcode_(opcode)
{
}

X11PresentPacing::~X11PresentPacing()
{
    xcb_present_select_input(connection_, eventContext_, window_, XCB_PRESENT_EVENT_MASK_NO_EVENT);
}

void X11PresentPacing::Present(uint32_t pixmap, int16_t x, int16_t y)
{
    waitingSerial_ = ++lastSerial_ == 0 ? ++lastSerial_ : lastSerial_;
    // Copied, never flipped: the pixmap is idle again as soon as the refresh has taken it.
    // Target 0 with divisor 1 means the next refresh, however long since the last one.
    xcb_present_pixmap(connection_, window_, pixmap, waitingSerial_, 0, 0, x, y, 0, 0, 0, XCB_PRESENT_OPTION_COPY,
                       0, 1, 0, 0, nullptr);
}

bool X11PresentPacing::Take(const xcb_generic_event_t &event)
{
    if (event.response_type == 0) {
        // A frame the server refused (its window gone, say) is never shown nor read.
        const auto &error = reinterpret_cast<const xcb_generic_error_t &>(event);
        if (error.major_code != opcode_ || error.minor_code != XCB_PRESENT_PIXMAP)
            return false;
        waitingSerial_ = 0;
        return true;
    }
    if ((event.response_type & 0x7F) != XCB_GE_GENERIC)
        return false;
    const auto &generic = reinterpret_cast<const xcb_ge_generic_event_t &>(event);
    if (generic.extension != opcode_ || generic.event_type != XCB_PRESENT_EVENT_IDLE_NOTIFY)
        return false;
    const auto &idle = reinterpret_cast<const xcb_present_idle_notify_event_t &>(event);
    if (idle.serial == waitingSerial_)
        waitingSerial_ = 0;
    return true;
}

} // namespace orvex
