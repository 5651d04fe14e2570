// SPDX-License-Identifier: MIT
#pragma once
// Questions about other programs' windows on the X server: does a window exist, how big
// is it, is there a top-level window with a given title, bring it forward. Uses a
// connection of its own, so it works before and without any toolkit.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace orvex {

struct WindowSize {
    int32_t width;
    int32_t height;
};

class X11Windows {
public:
    // Null when no X server can be reached ($DISPLAY unset or refused).
    static std::unique_ptr<X11Windows> Open();
    ~X11Windows();
    X11Windows(const X11Windows &) = delete;
    X11Windows &operator=(const X11Windows &) = delete;

    uint32_t RootWindow() const { return root_; }
    bool IsWindow(uint64_t window) const;
    std::optional<WindowSize> Size(uint64_t window) const;
    // A top-level window whose title is exactly title: the window manager's client list
    // first, then the window tree (no window manager, or one without the list).
    std::optional<uint32_t> FindTopLevelWindow(const std::string &title) const;
    bool WindowExists(const std::string &title) const { return FindTopLevelWindow(title).has_value(); }
    // Asks the window manager to raise and focus the window.
    void Activate(uint32_t window) const;

private:
    X11Windows(xcb_connection_t *connection, uint32_t root);
    uint32_t Atom(const char *name) const;
    std::vector<uint32_t> WindowListProperty(uint32_t window, uint32_t property) const;
    std::optional<std::string> Title(uint32_t window) const;
    std::vector<uint32_t> Children(uint32_t window) const;
    std::optional<uint32_t> FindInTree(const std::string &title) const;

    xcb_connection_t *connection_;
    uint32_t root_;
    uint32_t netWmName_;
    uint32_t netClientList_;
    uint32_t netActiveWindow_;
};

} // namespace orvex
