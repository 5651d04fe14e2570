// SPDX-License-Identifier: MIT
#pragma once
// How far the file being recorded has come, and the status line the video window shows.

#include <cstdint>
#include <string>
#include <string_view>

namespace orvex {

inline constexpr std::string_view kIdleFrameStatus = "Frame Count / Est Time (00:00)";

struct VideoProgress {
    int64_t frameIndex = 0; // frames written to the current file, at least 1
    int64_t endIndex = 0;   // frames the file holds once complete
    int32_t rate = 24;      // frames per second of the file
    uint32_t elapsedMs = 0; // real time since the animation's first frame
};

// "Frame: 48  Time (min:sec): 0 : 02" and, on a second line, "Est. Time Left: 00:00:16":
// the position in the video, and the real time left estimated from the time taken so far.
std::string FrameStatusText(const VideoProgress &progress);

// The estimate of the real time left, in whole seconds.
int64_t EstimatedSecondsLeft(const VideoProgress &progress);

} // namespace orvex
