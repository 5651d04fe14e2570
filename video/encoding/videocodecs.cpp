// SPDX-License-Identifier: MIT
#include "videocodecs.h"

#include "safefile.h"

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
    {"mjpeg", "Motion JPEG", "mjpeg", "yuvj420p", FourCC("MJPG"), false, false, false},
    {"ffv1", "FFV1 (lossless)", "ffv1", "bgr0", FourCC("FFV1"), true, false, false},
    {"huffyuv", "HuffYUV (lossless)", "huffyuv", "rgb24", FourCC("HFYU"), true, false, false},
    {"mpeg4", "MPEG-4 Part 2", "mpeg4", "yuv420p", FourCC("FMP4"), false, false, true},
    {"h264", "H.264", "libx264", "yuv420p", FourCC("H264"), false, true, true},
    {"uncompressed", "Full Frames (Uncompressed)", "rawvideo", "bgr24", FourCC("DIB "), true, false, false},
}};

struct Container {
    std::string_view extension;
    std::string_view name;  // FFmpeg's
    std::string_view label; // the user's
};

constexpr std::array<Container, 3> kContainers{{
    {".avi", "avi", "AVI"},
    {".mkv", "matroska", "Matroska"},
    {".mp4", "mp4", "MP4"},
}};

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

std::string Text(std::string_view view)
{
    return std::string(view);
}

std::string ContainerLabel(std::string_view container)
{
    const auto known = std::ranges::find(kContainers, container, &Container::name);
    return Text(known == kContainers.end() ? container : known->label);
}

} // namespace

std::span<const VideoCodec> KnownVideoCodecs()
{
    return kCodecs;
}

std::string_view VideoContainerOf(const std::filesystem::path &file)
{
    const auto known = std::ranges::find(kContainers, Lower(file.extension().string()), &Container::extension);
    return known == kContainers.end() ? std::string_view() : known->name;
}

std::string VideoNameProblem(const std::filesystem::path &file)
{
    if (!VideoContainerOf(file).empty())
        return {};
    // A folder or a device given by mistake is better told as what it is.
    std::error_code error;
    if (std::filesystem::exists(file, error) && !std::filesystem::is_regular_file(file, error))
        return CheckReplaceable(file).reason;
    return "the name must end in .avi (AVI), .mkv (Matroska) or .mp4 (MP4)";
}

std::vector<const VideoCodec *> OfferedVideoCodecs(std::string_view container, int32_t height)
{
    std::vector<const VideoCodec *> offered;
    for (const VideoCodec &codec : kCodecs)
        if (WhyNotOffered(codec, container, height).empty())
            offered.push_back(&codec);
    return offered;
}

std::string WhyNotOffered(const VideoCodec &codec, std::string_view container, int32_t height)
{
    if (container.empty())
        return "the file's name names no video container";
    const AVCodec *encoder = avcodec_find_encoder_by_name(Text(codec.encoder).c_str());
    const AVOutputFormat *format = av_guess_format(Text(container).c_str(), nullptr, nullptr);
    if (encoder == nullptr)
        return "this FFmpeg build has no " + Text(codec.label) + " encoder (" + Text(codec.encoder) + ")";
    if (format == nullptr)
        return "this FFmpeg build cannot write " + ContainerLabel(container) + " files";
    // Matroska keeps raw RGB only in a compatibility mode players rarely read.
    const bool rawOutsideAvi = encoder->id == AV_CODEC_ID_RAWVIDEO && container != "avi";
    if (rawOutsideAvi || avformat_query_codec(format, encoder->id, FF_COMPLIANCE_NORMAL) != 1)
        return ContainerLabel(container) + " files do not take " + Text(codec.label);
    if (codec.evenHeight && height % 2 != 0)
        return Text(codec.label) + " needs an even frame height, and this video is " + std::to_string(height)
               + " pixels high";
    return {};
}

const VideoCodec *DefaultVideoCodec(std::string_view container, int32_t height)
{
    const std::vector<const VideoCodec *> offered = OfferedVideoCodecs(container, height);
    if (container == "mp4")
        for (const std::string_view name : {"h264", "mpeg4"})
            if (const VideoCodec *codec = FindVideoCodec(name); std::ranges::count(offered, codec) == 1)
                return codec;
    return offered.empty() ? nullptr : offered.front();
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
