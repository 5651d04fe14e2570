// SPDX-License-Identifier: MIT
#include "videofile.h"

#include "videocodecs.h"

#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
#include <libswscale/swscale.h>
}

namespace orvex {

namespace {

// Quantiser steps of the MPEG-style codecs, best to worst.
constexpr int kBestQscale = 2;
constexpr int kWorstQscale = 31;

std::string Text(std::string_view view)
{
    return std::string(view);
}

// FFmpeg's words for an error code; for the codes of the system, the system's words.
std::string ErrorText(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

} // namespace

struct VideoFile::Encoder {
    AVFormatContext *format = nullptr;
    AVCodecContext *codec = nullptr;
    AVStream *stream = nullptr;
    SwsContext *scaler = nullptr;
    AVFrame *frame = nullptr;
    AVPacket *packet = nullptr;
    int64_t nextPts = 0;
    int32_t width = 0;
    int32_t height = 0;
    std::string failure; // why the last step failed

    Encoder() = default;
    Encoder(const Encoder &) = delete;
    Encoder &operator=(const Encoder &) = delete;
    ~Encoder()
    {
        sws_freeContext(scaler);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        if (format != nullptr) {
            avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }

    bool Create(const std::filesystem::path &file, const VideoFormat &f);
    void TagColours(AVPixelFormat pixels);
    void SetQuality(const VideoFormat &f);
    bool OpenOutput(const std::filesystem::path &file);
    bool PrepareFrames(AVPixelFormat pixels);
    // Sends frame (null: the end of the stream) and writes every packet that is ready.
    bool Send(const AVFrame *frame);
    bool WriteFailed() const { return format->pb == nullptr || format->pb->error < 0; }
    // false, keeping why: what failed, and FFmpeg's reason when there is a code.
    bool Fail(std::string what, int code = 0)
    {
        failure = code < 0 ? what + ": " + ErrorText(code) : std::move(what);
        return false;
    }
    // false, keeping the reason the file could not be written.
    bool WriteFailure(int code)
    {
        failure = ErrorText(format->pb != nullptr && format->pb->error < 0 ? format->pb->error : code);
        return false;
    }
};

bool VideoFile::Encoder::Create(const std::filesystem::path &file, const VideoFormat &f)
{
    const AVOutputFormat *container = av_guess_format(Text(f.container).c_str(), nullptr, nullptr);
    const AVCodec *encoder = avcodec_find_encoder_by_name(Text(f.codec->encoder).c_str());
    const AVPixelFormat pixels = av_get_pix_fmt(Text(f.codec->pixelFormat).c_str());
    if (container == nullptr)
        return Fail("this FFmpeg build cannot write " + Text(f.container) + " files");
    if (encoder == nullptr || pixels == AV_PIX_FMT_NONE)
        return Fail("this FFmpeg build has no " + Text(f.codec->encoder) + " encoder");
    if (const int made = avformat_alloc_output_context2(&format, container, nullptr, file.c_str()); made < 0)
        return Fail("cannot set up the " + Text(f.container) + " file", made);
    stream = avformat_new_stream(format, nullptr);
    codec = avcodec_alloc_context3(encoder);
    if (stream == nullptr || codec == nullptr)
        return Fail("out of memory");
    width = f.width;
    height = f.height;
    codec->width = f.width;
    codec->height = f.height;
    codec->pix_fmt = pixels;
    codec->time_base = {1, f.rate};
    codec->framerate = {f.rate, 1};
    codec->gop_size = f.codec->lossless ? 1 : f.keyFrameEvery;
    // Frames leave the encoder in the order they came: no reordering in the file.
    codec->max_b_frames = 0;
    codec->thread_count = 0;
    TagColours(pixels);
    if (format->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    SetQuality(f);
    if (const int opened = avcodec_open2(codec, encoder, nullptr); opened < 0)
        return Fail("the " + Text(f.codec->encoder) + " encoder does not take this format", opened);
    if (const int copied = avcodec_parameters_from_context(stream->codecpar, codec); copied < 0)
        return Fail("cannot describe the stream", copied);
    stream->time_base = codec->time_base;
    stream->avg_frame_rate = codec->framerate;
    return OpenOutput(file) && PrepareFrames(pixels);
}

void VideoFile::Encoder::TagColours(AVPixelFormat pixels)
{
    // The frames are sRGB pictures: BT.709 primaries and the sRGB transfer. swscale turns
    // them into YUV with the BT.601 matrix, limited range unless the layout is JPEG's full
    // one. Untagged, players guess, and many guess BT.709 for HD sizes.
    const bool rgb = (av_pix_fmt_desc_get(pixels)->flags & AV_PIX_FMT_FLAG_RGB) != 0;
    codec->color_primaries = AVCOL_PRI_BT709;
    codec->color_trc = AVCOL_TRC_IEC61966_2_1;
    codec->colorspace = rgb ? AVCOL_SPC_RGB : AVCOL_SPC_SMPTE170M;
    codec->color_range = rgb || pixels == AV_PIX_FMT_YUVJ420P ? AVCOL_RANGE_JPEG : AVCOL_RANGE_MPEG;
}

void VideoFile::Encoder::SetQuality(const VideoFormat &f)
{
    if (f.codec->lossless)
        return;
    if (f.codec->encoder == "libx264") {
        // A constant rate factor from 51 (worst) down to 11; 75 % gives x264's usual 21.
        av_opt_set_int(codec->priv_data, "crf", 51 - f.quality * 40 / 100, 0);
        av_opt_set(codec->priv_data, "preset", "veryfast", 0);
        return;
    }
    const int qscale = kBestQscale + (100 - f.quality) * (kWorstQscale - kBestQscale) / 100;
    codec->flags |= AV_CODEC_FLAG_QSCALE;
    codec->global_quality = FF_QP2LAMBDA * qscale;
}

bool VideoFile::Encoder::OpenOutput(const std::filesystem::path &file)
{
    if (const int opened = avio_open(&format->pb, file.c_str(), AVIO_FLAG_WRITE); opened < 0)
        return Fail(ErrorText(opened));
    if (const int written = avformat_write_header(format, nullptr); written < 0)
        return WriteFailure(written);
    return true;
}

bool VideoFile::Encoder::PrepareFrames(AVPixelFormat pixels)
{
    frame = av_frame_alloc();
    packet = av_packet_alloc();
    // Without accurate rounding white comes out one step short of the range's top (Y 234
    // instead of 235), and decodes a few levels off white.
    scaler = sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, pixels, SWS_BILINEAR | SWS_ACCURATE_RND,
                            nullptr, nullptr, nullptr);
    if (frame == nullptr || packet == nullptr || scaler == nullptr)
        return Fail("cannot set up the conversion of frames");
    frame->format = pixels;
    frame->width = width;
    frame->height = height;
    frame->color_range = codec->color_range;
    frame->colorspace = codec->colorspace;
    frame->color_primaries = codec->color_primaries;
    frame->color_trc = codec->color_trc;
    if (const int allocated = av_frame_get_buffer(frame, 0); allocated < 0)
        return Fail("cannot allocate a frame", allocated);
    return true;
}

bool VideoFile::Encoder::Send(const AVFrame *next)
{
    if (const int sent = avcodec_send_frame(codec, next); sent < 0)
        return Fail("the encoder refused a frame", sent);
    for (;;) {
        const int received = avcodec_receive_packet(codec, packet);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return !WriteFailed() || WriteFailure(0);
        if (received < 0)
            return Fail("the encoder failed", received);
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if (const int written = av_interleaved_write_frame(format, packet); written < 0)
            return WriteFailure(written);
    }
}

VideoFile::VideoFile() = default;
VideoFile::~VideoFile() = default;

bool VideoFile::Open(const std::filesystem::path &file, const VideoFormat &format)
{
    encoder_.reset();
    error_.clear();
    if (format.codec == nullptr || format.width < 1 || format.height < 1 || format.rate < 1) {
        error_ = "no codec, frame size or rate";
        return false;
    }
    // The library's notes would land on the terminal of a program that shows none.
    av_log_set_level(AV_LOG_QUIET);
    auto encoder = std::make_unique<Encoder>();
    if (!encoder->Create(file, format)) {
        error_ = encoder->failure;
        return false;
    }
    encoder_ = std::move(encoder);
    return true;
}

bool VideoFile::WriteFrame(const uint8_t *bottomUpBgr)
{
    if (!encoder_)
        return false;
    Encoder &e = *encoder_;
    if (const int writable = av_frame_make_writable(e.frame); writable < 0) {
        error_ = "cannot allocate a frame: " + ErrorText(writable);
        return false;
    }
    // A negative stride reads the rows from the last in memory, the picture's top.
    const int rowBytes = e.width * 3;
    const uint8_t *const top[1] = {bottomUpBgr + size_t(e.height - 1) * size_t(rowBytes)};
    const int strides[1] = {-rowBytes};
    sws_scale(e.scaler, top, strides, 0, e.height, e.frame->data, e.frame->linesize);
    e.frame->pts = e.nextPts++;
    e.frame->quality = e.codec->global_quality;
    if (!e.Send(e.frame)) {
        error_ = e.failure;
        return false;
    }
    return true;
}

bool VideoFile::Close()
{
    if (!encoder_)
        return false;
    Encoder &e = *encoder_;
    bool written = e.Send(nullptr);
    if (const int trailer = av_write_trailer(e.format); trailer < 0 && written)
        written = e.WriteFailure(trailer);
    avio_flush(e.format->pb);
    if (written && e.WriteFailed())
        written = e.WriteFailure(0);
    if (const int closed = avio_closep(&e.format->pb); closed < 0 && written)
        written = e.Fail(ErrorText(closed));
    if (!written)
        error_ = e.failure;
    encoder_.reset();
    return written;
}

} // namespace orvex
