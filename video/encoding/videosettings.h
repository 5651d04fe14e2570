// SPDX-License-Identifier: MIT
#pragma once
// The video window's settings (section "Video"): length and its unit, frame rate, frame
// size, black frames, theme cycling and the output file. Declared once in a table that
// drives loading, saving and the restoring of defaults.

#include "settingsstore.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace orvex {

inline constexpr std::string_view kSectionVideo = "Video";
inline constexpr std::string_view kVideoPlacementSection = "General\\Video";
inline constexpr std::string_view kKeyVideoDirectory = "DefaultDirectory";
inline constexpr std::string_view kKeyVideoFile = "VideoFilename";

inline constexpr int32_t kMostVideoFrames = 108000;

// FrameTimeQty: what the length field counts.
enum VideoLengthUnit : int32_t { kLengthFrames = 0, kLengthSeconds = 1, kLengthMinutes = 2 };

struct VideoSettings {
    int32_t lengthUnit = kLengthFrames; // FrameTimeQty
    int32_t length = 360;               // FrameTotal, in lengthUnit
    int32_t rate = 24;                  // FrameRate, frames per second
    int32_t width = 320;                // ImageWidth
    int32_t height = 240;               // ImageHeight
    int32_t blackBegin = 0;             // BlackFramesBegin
    int32_t blackEnd = 0;               // BlackFramesEnd
    int32_t cycleThemes = 0;            // CycleThemes: 1 records one file per theme
    std::filesystem::path directory;    // DefaultDirectory
    std::filesystem::path file;         // VideoFilename

    bool operator==(const VideoSettings &) const = default;
};

// Every number within its range; a missing folder is programFolder and a missing file
// name is the default name in the folder.
VideoSettings LoadVideoSettings(const SettingsStore &store, const std::filesystem::path &programFolder);

// The numbers and the cycling switch (the window stores them when it closes); false when
// the store could not be written.
bool SaveVideoSettings(SettingsStore &store, const VideoSettings &settings);

// The folder and file name, stored as soon as a file is chosen.
bool SaveVideoFile(SettingsStore &store, const std::filesystem::path &file);

// The numbers back at their defaults; the cycling switch, folder and file stay.
VideoSettings WithDefaultNumbers(VideoSettings settings);

// The value as the field keeps it when it is left: within the setting's range.
int32_t ClampLength(int32_t length);
int32_t ClampBlackFrames(int32_t frames);

// The animation's length in frames: the length in its unit times the rate, 1 .. 108000.
int32_t CalcFrames(int32_t lengthUnit, int32_t length, int32_t rate);

// Frame sides as written: the width within 32 .. 1920 rounded up to a multiple of 4, the
// height within 32 .. 1080; the rate within 1 .. 30.
int32_t VideoFrameWidth(int32_t width);
int32_t VideoFrameHeight(int32_t height);
int32_t VideoFrameRate(int32_t rate);

// The product name with every space replaced by "_": the start of every video file name.
std::string VideoFileStem();

// "Orvex_Lumora_Video.AVI" in folder.
std::filesystem::path DefaultVideoFile(const std::filesystem::path &folder);

} // namespace orvex
