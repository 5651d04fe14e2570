// SPDX-License-Identifier: MIT
#include "videocompression.h"

#include "videocodecs.h"
#include "videosettings.h"

#include <array>
#include <string_view>

namespace orvex {

namespace {

// The field order of AVICOMPRESSOPTIONS.
enum Field : size_t {
    kType,
    kHandler,
    kKeyFrameEvery,
    kQuality,
    kBytesPerSecond,
    kFlags,
    kFormat,
    kFormatSize,
    kParms,
    kParmsSize,
    kInterleaveEvery,
    kFieldCount
};

constexpr std::array<std::string_view, kFieldCount> kKeys = {
    "DefaultParms_fccType",       "DefaultParms_fccHandler", "DefaultParms_dwKeyFrameEvery",
    "DefaultParms_dwQuality",     "DefaultParms_dwBytesPerSecond", "DefaultParms_dwFlags",
    "DefaultParms_lpFormat",      "DefaultParms_cbFormat",   "DefaultParms_lpParms",
    "DefaultParms_cbParms",       "DefaultParms_dwInterleaveEvery",
};

// Video for Windows' quality scale runs to 10000.
constexpr int32_t kQualityScale = 100;
constexpr int32_t kFlagKeyFrames = 0x4; // AVICOMPRESSF_KEYFRAMES
constexpr int32_t kFlagValid = 0x8;     // AVICOMPRESSF_VALID

bool StoreFields(SettingsStore &store, const std::array<int32_t, kFieldCount> &fields)
{
    store.BeginBatch();
    for (size_t i = 0; i < kFieldCount; ++i)
        store.WriteSetting(kSectionVideo, kKeys[i], fields[i]);
    return store.CommitBatch();
}

} // namespace

VideoCompression LoadVideoCompression(const SettingsStore &store)
{
    VideoCompression compression;
    compression.fourcc = uint32_t(store.ReadSettingLong(kSectionVideo, kKeys[kHandler], 0));
    if (compression.fourcc == 0)
        return compression;
    const int32_t quality = store.ReadSettingLong(kSectionVideo, kKeys[kQuality], 0);
    compression.quality = ClampLong((quality + kQualityScale / 2) / kQualityScale, 1, 100);
    compression.keyFrameEvery = ClampLong(store.ReadSettingLong(kSectionVideo, kKeys[kKeyFrameEvery], 0), 1,
                                          VideoCompression::kMostKeyFrameEvery);
    return compression;
}

bool StoreVideoCompression(SettingsStore &store, const VideoCompression &compression)
{
    std::array<int32_t, kFieldCount> fields{};
    fields[kType] = int32_t(FourCC("vids"));
    fields[kHandler] = int32_t(compression.fourcc);
    fields[kKeyFrameEvery] = compression.keyFrameEvery;
    fields[kQuality] = compression.quality * kQualityScale;
    fields[kFlags] = kFlagKeyFrames | kFlagValid;
    return StoreFields(store, fields);
}

bool ClearVideoCompression(SettingsStore &store)
{
    return StoreFields(store, {});
}

} // namespace orvex
