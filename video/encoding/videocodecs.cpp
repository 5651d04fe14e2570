#include "videocodecs.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace orvex {

namespace {

// Lossy codecs write 4:2:0 pictures, the layout every player decodes (full-range for
// Motion JPEG, as JPEG pictures are); the lossless ones keep the frame's RGB bytes.
constexpr std::array<VideoCodec, 6> kCodecs{{
    {"mjpeg", "Motion JPEG", "mjpeg", "yuvj420p", FourCC("MJPG"), false, false},
    {"ffv1", "FFV1 (lossless)", "ffv1", "bgr0", FourCC("FFV1"), true, false},
    {"huffyuv", "HuffYUV (lossless)", "huffyuv", "rgb24", FourCC("HFYU"), true, false},
    {"mpeg4", "MPEG-4 Part 2", "mpeg4", "yuv420p", FourCC("FMP4"), false, false},
    {"h264", "H.264", "libx264", "yuv420p", FourCC("H264"), false, true},
    {"uncompressed", "Full Frames (Uncompressed)", "rawvideo", "bgr24", FourCC("DIB "), true, false},
}};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool Fits(const VideoCodec &codec, const AVOutputFormat *format, int32_t height)
{
    const AVCodec *encoder = avcodec_find_encoder_by_name(std::string(codec.encoder).c_str());
    if (encoder == nullptr || format == nullptr)
        return false;
    if (codec.evenHeight && height % 2 != 0)
        return false;
    // Matroska keeps raw RGB only in a compatibility mode players rarely read.
    if (encoder->id == AV_CODEC_ID_RAWVIDEO && std::string_view(format->name) != "avi")
        return false;
    return avformat_query_codec(format, encoder->id, FF_COMPLIANCE_NORMAL) == 1;
}

} // namespace

std::span<const VideoCodec> KnownVideoCodecs()
{
    return kCodecs;
}

std::string_view VideoContainerOf(const std::filesystem::path &file)
{
    const std::string extension = Lower(file.extension().string());
    if (extension == ".mkv")
        return "matroska";
    if (extension == ".mp4")
        return "mp4";
    return "avi";
}

std::vector<const VideoCodec *> OfferedVideoCodecs(std::string_view container, int32_t height)
{
    const AVOutputFormat *format = av_guess_format(std::string(container).c_str(), nullptr, nullptr);
    std::vector<const VideoCodec *> offered;
    for (const VideoCodec &codec : kCodecs)
        if (Fits(codec, format, height))
            offered.push_back(&codec);
    return offered;
}

const VideoCodec *FindVideoCodec(std::string_view name)
{
    const auto codec = std::ranges::find(kCodecs, name, &VideoCodec::name);
    return codec == kCodecs.end() ? nullptr : &*codec;
}

const VideoCodec *FindVideoCodec(uint32_t fourcc)
{
    const auto codec = std::ranges::find(kCodecs, fourcc, &VideoCodec::fourcc);
    return codec == kCodecs.end() ? nullptr : &*codec;
}

} // namespace orvex
