// SPDX-License-Identifier: MIT
#pragma once
// Whether the X display is lit: the DPMS extension's power level. A display without the
// extension, or with power management switched off, always counts as on.

#include <memory>

struct xcb_connection_t;

namespace orvex {

class X11DisplayPower {
public:
    // Null when no X display can be reached.
    static std::unique_ptr<X11DisplayPower> Open();
    ~X11DisplayPower();
    X11DisplayPower(const X11DisplayPower &) = delete;
    X11DisplayPower &operator=(const X11DisplayPower &) = delete;

    bool IsOn() const;

private:
    explicit X11DisplayPower(xcb_connection_t *connection) : connection_(connection) {}

    xcb_connection_t *connection_;
};

} // namespace orvex
