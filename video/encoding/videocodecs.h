// SPDX-License-Identifier: MIT
#pragma once
// The video encoders the program offers, which of them this FFmpeg build has, and which
// fit a container. The container follows the file name: ".avi" AVI, ".mkv" Matroska,
// ".mp4" MP4 (in any mix of capitals); no other name makes a video.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

struct VideoCodec {
    std::string_view name;        // --codec and the chooser's key
    std::string_view label;       // shown in the chooser
    std::string_view encoder;     // FFmpeg's encoder
    std::string_view pixelFormat; // FFmpeg's name of the encoded pixel layout
    uint32_t fourcc;              // kept in DefaultParms_fccHandler
    bool lossless;                // quality and key frames mean nothing to it
    bool evenHeight;              // its 4:2:0 layout needs an even number of rows
    bool keyFrames;               // it predicts frames from earlier ones: the key-frame interval applies
};

// Every codec the program knows, in the chooser's order; the first is the default.
std::span<const VideoCodec> KnownVideoCodecs();

// FFmpeg's name of the container for the file: "avi", "matroska" or "mp4"; empty for any
// other name.
std::string_view VideoContainerOf(const std::filesystem::path &file);

// Why file cannot be a video's name (what is there when it is not a file, such as "Is a
// directory", else that the name must end in one of the three extensions); empty when
// VideoContainerOf knows its container.
std::string VideoNameProblem(const std::filesystem::path &file);

// The known codecs this build can encode into the container at this frame height.
std::vector<const VideoCodec *> OfferedVideoCodecs(std::string_view container, int32_t height);

// Why codec is not offered for the container at this height ("H.264 needs an even frame
// height, and this video is 241 pixels high"); empty when it is.
std::string WhyNotOffered(const VideoCodec &codec, std::string_view container, int32_t height);

// The codec a file gets when none was chosen: for MP4, which browsers and most players
// play only with these, H.264, or MPEG-4 Part 2 where H.264 is not offered; otherwise
// the first offered (Motion JPEG). nullptr when nothing is offered.
const VideoCodec *DefaultVideoCodec(std::string_view container, int32_t height);

// Nullptr when no known codec has the name or code.
const VideoCodec *FindVideoCodec(std::string_view name);
const VideoCodec *FindVideoCodec(uint32_t fourcc);

// mmioFOURCC: the four characters as a little-endian number.
constexpr uint32_t FourCC(const char (&code)[5])
{
    return uint32_t(uint8_t(code[0])) | uint32_t(uint8_t(code[1])) << 8 | uint32_t(uint8_t(code[2])) << 16
           | uint32_t(uint8_t(code[3])) << 24;
}

} // namespace orvex
