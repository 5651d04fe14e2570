// SPDX-License-Identifier: MIT
#include "x11displaypower.h"

#include <xcb/dpms.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace orvex {

std::unique_ptr<X11DisplayPower> X11DisplayPower::Open()
{
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<X11DisplayPower>(new X11DisplayPower(connection));
}

X11DisplayPower::~X11DisplayPower()
{
    xcb_disconnect(connection_);
}

bool X11DisplayPower::IsOn() const
{
    const xcb_query_extension_reply_t *extension = xcb_get_extension_data(connection_, &xcb_dpms_id);
    if (extension == nullptr || !extension->present)
        return true;
    xcb_dpms_info_reply_t *info = xcb_dpms_info_reply(connection_, xcb_dpms_info(connection_), nullptr);
    const bool on = info == nullptr || !info->state || info->power_level == XCB_DPMS_DPMS_MODE_ON;
    std::free(info);
    return on;
}

} // namespace orvex
