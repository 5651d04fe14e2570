// SPDX-License-Identifier: MIT
#pragma once
// The picture a host shows: a window of ours placed inside another program's window
// (the host's preview, or the window XScreenSaver and xsecurelock hand over), or over
// the desktop's root window. It follows the host window's size when asked; the run ends
// as soon as the X server destroys it.

#include "resolutionlist.h"
#include "x11windows.h"

#include <QWindow>

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

namespace orvex {

class X11DestroyWatcher;

class EmbeddedPicture {
public:
    explicit EmbeddedPicture(std::atomic<bool> &stopRequested);
    ~EmbeddedPicture();
    EmbeddedPicture(const EmbeddedPicture &) = delete;
    EmbeddedPicture &operator=(const EmbeddedPicture &) = delete;

    // Covers the host window and reaches extraPixels past its right and bottom edges.
    // Gives the host's size, or nothing (and nothing is shown) when host is not a window.
    std::optional<WindowSize> PlaceInto(const X11Windows &x11, uint64_t host, int32_t extraPixels);
    // Asked once a frame: when the host's window changed size since the last look, the
    // picture covers it anew and its new size in device pixels is given; else nothing.
    std::optional<Resolution> FollowHost();

    QWindow &Window() { return picture_; }

private:
    void ShowOverRoot(QSize deviceSize);
    void ShowInside(uint32_t host, QSize deviceSize);
    void Cover(QSize deviceSize);
    QSize DeviceSize(WindowSize host) const;

    std::atomic<bool> &stopRequested_;
    // Where the picture was placed; no X connection until it was.
    const X11Windows *x11_ = nullptr;
    uint64_t hostId_ = 0;
    int32_t extraPixels_ = 0;
    WindowSize hostSize_{};
    // Declared before the picture: the picture, its child, goes first.
    std::unique_ptr<QWindow> host_;
    QWindow picture_;
    std::unique_ptr<X11DestroyWatcher> destroyWatcher_;
};

} // namespace orvex
