// SPDX-License-Identifier: MIT
#include "videosettings.h"

#include "templateio.h"

#include <algorithm>
#include <array>

namespace orvex {

namespace {

struct VideoNumberSetting {
    std::string_view key;
    int32_t VideoSettings::*field;
    int32_t factoryDefault;
    int32_t low;
    int32_t high;
    bool restoredWithDefaults;
};

constexpr std::array<VideoNumberSetting, 8> kVideoNumbers{{
    {"FrameTimeQty", &VideoSettings::lengthUnit, kLengthFrames, kLengthFrames, kLengthMinutes, true},
    {"FrameTotal", &VideoSettings::length, 360, 1, kMostVideoFrames, true},
    {"FrameRate", &VideoSettings::rate, 24, 1, 30, true},
    {"ImageWidth", &VideoSettings::width, 320, 32, 1920, true},
    {"ImageHeight", &VideoSettings::height, 240, 32, 1080, true},
    {"BlackFramesBegin", &VideoSettings::blackBegin, 0, 0, 999, true},
    {"BlackFramesEnd", &VideoSettings::blackEnd, 0, 0, 999, true},
    {"CycleThemes", &VideoSettings::cycleThemes, 0, 0, 1, false},
}};

int32_t Within(int32_t VideoSettings::*field, int32_t value)
{
    const auto setting = std::find_if(kVideoNumbers.begin(), kVideoNumbers.end(),
                                      [&](const VideoNumberSetting &s) { return s.field == field; });
    return ClampLong(value, setting->low, setting->high);
}

} // namespace

VideoSettings LoadVideoSettings(const SettingsStore &store, const std::filesystem::path &programFolder)
{
    VideoSettings settings;
    for (const VideoNumberSetting &s : kVideoNumbers)
        settings.*s.field = ClampLong(store.ReadSettingLong(kSectionVideo, s.key, s.factoryDefault), s.low, s.high);
    settings.directory = store.ReadSettingText(kSectionVideo, kKeyVideoDirectory);
    if (settings.directory.empty())
        settings.directory = programFolder;
    settings.file = store.ReadSettingText(kSectionVideo, kKeyVideoFile);
    if (settings.file.empty())
        settings.file = DefaultVideoFile(settings.directory);
    return settings;
}

bool SaveVideoSettings(SettingsStore &store, const VideoSettings &settings)
{
    store.BeginBatch();
    for (const VideoNumberSetting &s : kVideoNumbers)
        store.WriteSetting(kSectionVideo, s.key, settings.*s.field);
    return store.CommitBatch();
}

bool SaveVideoFile(SettingsStore &store, const std::filesystem::path &file)
{
    store.BeginBatch();
    store.WriteSetting(kSectionVideo, kKeyVideoFile, file.string());
    store.WriteSetting(kSectionVideo, kKeyVideoDirectory, file.parent_path().string());
    return store.CommitBatch();
}

VideoSettings WithDefaultNumbers(VideoSettings settings)
{
    for (const VideoNumberSetting &s : kVideoNumbers)
        if (s.restoredWithDefaults)
            settings.*s.field = s.factoryDefault;
    return settings;
}

int32_t ClampLength(int32_t length)
{
    return Within(&VideoSettings::length, length);
}

int32_t ClampBlackFrames(int32_t frames)
{
    return Within(&VideoSettings::blackBegin, frames);
}

int32_t CalcFrames(int32_t lengthUnit, int32_t length, int32_t rate)
{
    int64_t frames = length;
    if (lengthUnit == kLengthSeconds)
        frames *= rate;
    else if (lengthUnit == kLengthMinutes)
        frames *= int64_t(rate) * 60;
    return int32_t(std::clamp<int64_t>(frames, 1, kMostVideoFrames));
}

int32_t VideoFrameWidth(int32_t width)
{
    return (Within(&VideoSettings::width, width) + 3) / 4 * 4;
}

int32_t VideoFrameHeight(int32_t height)
{
    return Within(&VideoSettings::height, height);
}

int32_t VideoFrameRate(int32_t rate)
{
    return Within(&VideoSettings::rate, rate);
}

std::string VideoFileStem()
{
    std::string stem(kTemplateProduct);
    std::replace(stem.begin(), stem.end(), ' ', '_');
    return stem;
}

std::filesystem::path DefaultVideoFile(const std::filesystem::path &folder)
{
    return folder / (VideoFileStem() + "_Video.AVI");
}

} // namespace orvex
