// SPDX-License-Identifier: MIT
#pragma once
// Frames handed to the X server's Present extension: each is copied into the window at
// the display's next refresh, so nothing tears, and at most one waits at a time, so no
// frame is sent that no refresh would show.

#include <cstdint>
#include <memory>
#include <xcb/xcb.h>

namespace orvex {

class X11PresentPacing {
public:
    // Null when the server has no Present extension.
    static std::unique_ptr<X11PresentPacing> Create(xcb_connection_t *connection, uint32_t window);
    ~X11PresentPacing();
    X11PresentPacing(const X11PresentPacing &) = delete;
    X11PresentPacing &operator=(const X11PresentPacing &) = delete;

    // Whether the last frame sent still waits for its refresh: its pixmap is not yet read.
    bool Waiting() const { return waitingSerial_ != 0; }
    // After the server kept silent too long: the frame is taken as shown.
    void GiveUpWaiting() { waitingSerial_ = 0; }
    // Sends pixmap to be copied to (x, y) of the window at the next refresh.
    void Present(uint32_t pixmap, int16_t x, int16_t y);
    // Takes one event or error of the connection; true when it was about a frame sent here.
    bool Take(const xcb_generic_event_t &event);

private:
    X11PresentPacing(xcb_connection_t *connection, uint32_t window, uint8_t opcode);

    xcb_connection_t *connection_;
    uint32_t window_;
    uint8_t opcode_;
    uint32_t eventContext_ = 0;
    uint32_t lastSerial_ = 0;
    uint32_t waitingSerial_ = 0;
};

} // namespace orvex
