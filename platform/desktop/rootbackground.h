// SPDX-License-Identifier: MIT
#pragma once
// The last resort for a wallpaper: the picture stretched over the X root window as its
// background, announced the way pseudo-transparent programs and other setters expect.

#include <filesystem>

namespace orvex {

// false, with the background as it was, when the picture cannot be read, no X server can
// be reached, or the root window's pixels are not 8-bit red, green and blue.
bool SetRootBackground(const std::filesystem::path &picture);

} // namespace orvex
