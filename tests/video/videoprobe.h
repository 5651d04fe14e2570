// SPDX-License-Identifier: MIT
#pragma once
// Reads video files back with FFmpeg's command-line tools, as a player would: what the
// container says, how many frames decode, and the decoded pixels.

#include <cstdint>
#include <filesystem>
#include <string>

namespace orvex::test {

// Whether ffprobe and ffmpeg can be run (Debian package "ffmpeg").
bool HaveFFmpegTools();

struct ProbedVideo {
    std::string codec;
    int width = 0;
    int height = 0;
    std::string rate;  // "24/1"
    int64_t frames = 0; // frames that decode
    bool decodesCleanly = false; // ffmpeg decodes every frame without an error
    // How the stream says its colours are coded, in ffprobe's words ("tv", "smpte170m", ...).
    std::string colourRange, colourMatrix, colourPrimaries, colourTransfer;
};

ProbedVideo Probe(const std::filesystem::path &file);

// Every frame decoded to 24-bit blue, green, red rows, top row first.
std::string DecodedBgr(const std::filesystem::path &file);

// Every frame as the decoder delivers it in pixelFormat (FFmpeg's name, e.g. "yuv420p").
std::string Decoded(const std::filesystem::path &file, const std::string &pixelFormat);

} // namespace orvex::test
