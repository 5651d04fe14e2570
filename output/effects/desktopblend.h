// SPDX-License-Identifier: MIT
#pragma once
// The desktop under the stars: the picture taken when the saver started, the level it is
// shown at frame by frame (with the opening fade and the return on close), and its copy
// scaled to that level, rebuilt only when the level changes.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace orvex {

class EngineLibrary;

struct DesktopSettings {
    int32_t percent = 0; // 0 .. 99: strength under the stars
    int32_t frames = 0;  // 0 .. 999: length of the opening fade, 0 for none
    bool InUse() const { return percent > 0 || frames > 0; }
};

// The level (0 .. 255) of the next frame; fadeFrame counts the opening fade's frames and
// stays at frames + 1 once it is over.
int32_t NextDesktopLevel(const DesktopSettings &settings, int32_t &fadeFrame);

// The level of closing frame i of count: the desktop comes back in full by the last one.
int32_t ClosingDesktopLevel(int32_t percent, int32_t i, int32_t count);

class DesktopPicture {
public:
    // Bottom-up rows of width x 3 bytes (blue, green, red); empty when no picture was taken.
    void SetImage(std::vector<uint8_t> bottomUp24);
    size_t Size() const { return image_.size(); }

    // The copy at level, made afresh when the level differs from the last one asked for.
    const std::vector<uint8_t> &ScaledTo(int32_t level, EngineLibrary &engine);

private:
    std::vector<uint8_t> image_;
    std::vector<uint8_t> scaled_;
    int32_t scaledLevel_ = -1;
};

} // namespace orvex
