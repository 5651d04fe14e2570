// SPDX-License-Identifier: MIT
#include "x11windows.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace orvex {

namespace {

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

// Waits for the reply; an error (a window that is gone) gives null and is not left
// queued on the connection.
template <typename Reply, typename Cookie>
ReplyPtr<Reply> Ask(Reply *(*replyFunction)(xcb_connection_t *, Cookie, xcb_generic_error_t **),
                    xcb_connection_t *connection, Cookie cookie)
{
    xcb_generic_error_t *error = nullptr;
    Reply *reply = replyFunction(connection, cookie, &error);
    std::free(error);
    return ReplyPtr<Reply>(reply, &std::free);
}

// X window ids are 29-bit numbers; anything larger names no window.
bool FitsWindowId(uint64_t window) { return window != 0 && window <= UINT32_MAX; }

constexpr uint32_t kSourcePager = 2;
// Window-manager frames put the client one level down; deeper nesting is not a top-level.
constexpr int kTreeDepth = 2;

} // namespace

std::unique_ptr<X11Windows> X11Windows::Open()
{
    int screenNumber = 0;
    xcb_connection_t *connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(connection)) {
        xcb_disconnect(connection);
        return nullptr;
    }
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
        xcb_screen_next(&screens);
    if (screens.rem == 0) {
        xcb_disconnect(connection);
        return nullptr;
    }
    return std::unique_ptr<X11Windows>(new X11Windows(connection, screens.data->root));
}

X11Windows::X11Windows(xcb_connection_t *connection, uint32_t root)
    : connection_(connection), root_(root), netWmName_(Atom("_NET_WM_NAME")),
      netClientList_(Atom("_NET_CLIENT_LIST")), netActiveWindow_(Atom("_NET_ACTIVE_WINDOW"))
{
}

X11Windows::~X11Windows()
{
    xcb_disconnect(connection_);
}

bool X11Windows::IsWindow(uint64_t window) const
{
    return Size(window).has_value();
}

std::optional<WindowSize> X11Windows::Size(uint64_t window) const
{
    if (!FitsWindowId(window))
        return std::nullopt;
    const auto reply = Ask(xcb_get_geometry_reply, connection_, xcb_get_geometry(connection_, uint32_t(window)));
    if (!reply)
        return std::nullopt;
    return WindowSize{reply->width, reply->height};
}

uint32_t X11Windows::Atom(const char *name) const
{
    const auto reply = Ask(xcb_intern_atom_reply, connection_,
                           xcb_intern_atom(connection_, 1, uint16_t(std::strlen(name)), name));
    return reply ? reply->atom : uint32_t(XCB_ATOM_NONE);
}

std::vector<uint32_t> X11Windows::WindowListProperty(uint32_t window, uint32_t property) const
{
    if (property == XCB_ATOM_NONE)
        return {};
    const auto reply = Ask(xcb_get_property_reply, connection_,
                           xcb_get_property(connection_, 0, window, property, XCB_ATOM_WINDOW, 0, UINT32_MAX / 4));
    if (!reply || reply->format != 32)
        return {};
    const auto *ids = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return {ids, ids + xcb_get_property_value_length(reply.get()) / 4};
}

std::optional<std::string> X11Windows::Title(uint32_t window) const
{
    // _NET_WM_NAME holds the UTF-8 title; WM_NAME is what older clients set.
    for (const uint32_t property : {netWmName_, uint32_t(XCB_ATOM_WM_NAME)}) {
        if (property == XCB_ATOM_NONE)
            continue;
        const auto reply = Ask(xcb_get_property_reply, connection_,
                               xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024));
        if (reply && reply->format == 8 && reply->type != XCB_ATOM_NONE) {
            const auto *text = static_cast<const char *>(xcb_get_property_value(reply.get()));
            return std::string(text, size_t(xcb_get_property_value_length(reply.get())));
        }
    }
    return std::nullopt;
}

std::vector<uint32_t> X11Windows::Children(uint32_t window) const
{
    const auto reply = Ask(xcb_query_tree_reply, connection_, xcb_query_tree(connection_, window));
    if (!reply)
        return {};
    const xcb_window_t *children = xcb_query_tree_children(reply.get());
    return {children, children + xcb_query_tree_children_length(reply.get())};
}

std::optional<uint32_t> X11Windows::FindInTree(const std::string &title) const
{
    std::vector<uint32_t> level = Children(root_);
    for (int depth = 0; depth < kTreeDepth && !level.empty(); ++depth) {
        std::vector<uint32_t> next;
        for (const uint32_t window : level) {
            if (Title(window) == title)
                return window;
            const std::vector<uint32_t> children = Children(window);
            next.insert(next.end(), children.begin(), children.end());
        }
        level = std::move(next);
    }
    return std::nullopt;
}

std::optional<uint32_t> X11Windows::FindTopLevelWindow(const std::string &title) const
{
    for (const uint32_t window : WindowListProperty(root_, netClientList_))
        if (Title(window) == title)
            return window;
    return FindInTree(title);
}

void X11Windows::Activate(uint32_t window) const
{
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = window;
    event.type = netActiveWindow_;
    event.data.data32[0] = kSourcePager;
    event.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, root_,
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char *>(&event));
    const uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(connection_, window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
    xcb_flush(connection_);
}

} // namespace orvex
