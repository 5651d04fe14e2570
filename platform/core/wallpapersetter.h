// SPDX-License-Identifier: MIT
#pragma once
// What makes a picture file the desktop background; tests record the request instead.

#include <filesystem>

namespace orvex {

class WallpaperSetter {
public:
    virtual ~WallpaperSetter() = default;
    // Silent when the desktop refuses: the caller carries on either way.
    virtual void SetWallpaper(const std::filesystem::path &picture) = 0;
};

} // namespace orvex
