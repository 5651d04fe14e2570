// SPDX-License-Identifier: MIT
#pragma once
// One video file written through FFmpeg: frames of 24-bit bottom-up BGR rows go in,
// converted to the codec's pixel layout and encoded into the container. Every call
// reports failure by its result; nothing throws.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace orvex {

struct VideoCodec;

struct VideoFormat {
    int32_t width = 320;  // a multiple of 4
    int32_t height = 240;
    int32_t rate = 24;    // frames per second
    const VideoCodec *codec = nullptr;
    int32_t quality = 75;       // 1 .. 100; lossless codecs ignore it
    int32_t keyFrameEvery = 24; // frames between key frames of codecs that predict
    std::string_view container = "avi"; // FFmpeg's container name
};

class VideoFile {
public:
    VideoFile();
    ~VideoFile();
    VideoFile(const VideoFile &) = delete;
    VideoFile &operator=(const VideoFile &) = delete;

    // Creates (or truncates) file and writes the container's header; false when the
    // codec cannot encode this format or the file cannot be written.
    bool Open(const std::filesystem::path &file, const VideoFormat &format);
    bool IsOpen() const { return encoder_ != nullptr; }

    // width x height x 3 bytes, blue, green, red, the bottom row first.
    bool WriteFrame(const uint8_t *bottomUpBgr);

    // Flushes the frames the encoder still holds and completes the file; false when any
    // write failed. The file is closed either way.
    bool Close();

    // Why the last Open, WriteFrame or Close failed, in FFmpeg's or the system's words.
    const std::string &Error() const { return error_; }

private:
    struct Encoder;
    std::unique_ptr<Encoder> encoder_;
    std::string error_;
};

} // namespace orvex
