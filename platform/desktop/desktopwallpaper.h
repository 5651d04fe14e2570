// SPDX-License-Identifier: MIT
#pragma once
// The wallpaper of the desktop the user runs, set with that desktop's own tool: GNOME
// and Cinnamon settings through gsettings, MATE's too, Xfce through xfconf-query, KDE
// Plasma through plasma-apply-wallpaperimage. On any other X11 desktop, or when the tool
// fails, the picture becomes the X root window's background; on any other Wayland
// desktop nothing is set.

#include "wallpapersetter.h"

#include <string>

namespace orvex {

class DesktopWallpaper final : public WallpaperSetter {
public:
    // currentDesktop: the value of $XDG_CURRENT_DESKTOP, names separated by colons.
    explicit DesktopWallpaper(std::string currentDesktop) : currentDesktop_(std::move(currentDesktop)) {}

    void SetWallpaper(const std::filesystem::path &picture) override;

private:
    std::string currentDesktop_;
};

} // namespace orvex
