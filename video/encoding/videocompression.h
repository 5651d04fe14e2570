// SPDX-License-Identifier: MIT
#pragma once
// The compression chosen for video files, kept across runs in the eleven DefaultParms_
// keys of section "Video" (the fields of Video for Windows' AVICOMPRESSOPTIONS). The codec
// is kept by its four-character code; the format and parameter block fields, which held
// addresses, are always stored as 0 and never read.

#include "settingsstore.h"

#include <cstdint>

namespace orvex {

struct VideoCodec;

struct VideoCompression {
    static constexpr int32_t kDefaultQuality = 75;
    static constexpr int32_t kDefaultKeyFrameEvery = 24;
    static constexpr int32_t kMostKeyFrameEvery = 300;

    uint32_t fourcc = 0;                          // 0: none chosen yet
    int32_t quality = kDefaultQuality;            // 1 .. 100 percent
    int32_t keyFrameEvery = kDefaultKeyFrameEvery; // 1 .. 300 frames; 1: every frame

    bool operator==(const VideoCompression &) const = default;
};

// The last choice, each number within its range; defaults when none was stored.
VideoCompression LoadVideoCompression(const SettingsStore &store);

// Stores the choice in all eleven keys at once; false when the store could not be written.
bool StoreVideoCompression(SettingsStore &store, const VideoCompression &compression);

// Sets all eleven keys to 0, forgetting the choice.
bool ClearVideoCompression(SettingsStore &store);

} // namespace orvex
