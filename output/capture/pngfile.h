// SPDX-License-Identifier: MIT
#pragma once
// Writes a top-down 32-bit frame (byte 0 blue, 1 green, 2 red) as a PNG file.

#include <cstdint>
#include <filesystem>

namespace orvex {

// The top-left width x height pixels of a frame pitch pixels wide. The file is written
// beside its final name and renamed into place: false (with any old file whole) when any
// step fails.
bool WritePng(const std::filesystem::path &path, const uint32_t *pixels, int32_t pitch, int32_t width,
              int32_t height);

} // namespace orvex
