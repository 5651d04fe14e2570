// SPDX-License-Identifier: MIT
#pragma once
// Writes a frame as a Windows bitmap file: 24 bits a pixel, rows bottom-up, the form every
// image program and desktop opens.

#include <cstdint>
#include <filesystem>

namespace orvex {

// width x height top-down 32-bit pixels (byte 0 blue, 1 green, 2 red), width per row. The
// file is written beside its final name and renamed into place: false (with any old file
// whole) when any step fails. A symbolic link at path is replaced, never written through,
// so a capture can only ever replace a capture.
bool WriteBmp(const std::filesystem::path &path, const uint32_t *pixels, int32_t width, int32_t height);

} // namespace orvex
