#include "videofile.h"

#include "videocodecs.h"

#include <string>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
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
    void SetQuality(const VideoFormat &f);
    bool OpenOutput(const std::filesystem::path &file);
    bool PrepareFrames(AVPixelFormat pixels);
    // Sends frame (null: the end of the stream) and writes every packet that is ready.
    bool Send(const AVFrame *frame);
    bool WriteFailed() const { return format->pb == nullptr || format->pb->error < 0; }
};

bool VideoFile::Encoder::Create(const std::filesystem::path &file, const VideoFormat &f)
{
    const AVOutputFormat *container = av_guess_format(Text(f.container).c_str(), nullptr, nullptr);
    const AVCodec *encoder = avcodec_find_encoder_by_name(Text(f.codec->encoder).c_str());
    const AVPixelFormat pixels = av_get_pix_fmt(Text(f.codec->pixelFormat).c_str());
    if (container == nullptr || encoder == nullptr || pixels == AV_PIX_FMT_NONE
        || avformat_alloc_output_context2(&format, container, nullptr, file.c_str()) < 0)
        return false;
    stream = avformat_new_stream(format, nullptr);
    codec = avcodec_alloc_context3(encoder);
    if (stream == nullptr || codec == nullptr)
        return false;
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
    if (f.codec->pixelFormat == "yuvj420p")
        codec->color_range = AVCOL_RANGE_JPEG;
    if (format->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    SetQuality(f);
    if (avcodec_open2(codec, encoder, nullptr) < 0 || avcodec_parameters_from_context(stream->codecpar, codec) < 0)
        return false;
    stream->time_base = codec->time_base;
    stream->avg_frame_rate = codec->framerate;
    return OpenOutput(file) && PrepareFrames(pixels);
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
    return avio_open(&format->pb, file.c_str(), AVIO_FLAG_WRITE) >= 0 && avformat_write_header(format, nullptr) >= 0;
}

bool VideoFile::Encoder::PrepareFrames(AVPixelFormat pixels)
{
    frame = av_frame_alloc();
    packet = av_packet_alloc();
    scaler = sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, pixels, SWS_BILINEAR, nullptr, nullptr,
                            nullptr);
    if (frame == nullptr || packet == nullptr || scaler == nullptr)
        return false;
    frame->format = pixels;
    frame->width = width;
    frame->height = height;
    frame->color_range = codec->color_range;
    return av_frame_get_buffer(frame, 0) >= 0;
}

bool VideoFile::Encoder::Send(const AVFrame *next)
{
    if (avcodec_send_frame(codec, next) < 0)
        return false;
    for (;;) {
        const int received = avcodec_receive_packet(codec, packet);
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF)
            return !WriteFailed();
        if (received < 0)
            return false;
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if (av_interleaved_write_frame(format, packet) < 0)
            return false;
    }
}

VideoFile::VideoFile() = default;
VideoFile::~VideoFile() = default;

bool VideoFile::Open(const std::filesystem::path &file, const VideoFormat &format)
{
    encoder_.reset();
    if (format.codec == nullptr || format.width < 1 || format.height < 1 || format.rate < 1)
        return false;
    // The library's notes would land on the terminal of a program that shows none.
    av_log_set_level(AV_LOG_QUIET);
    auto encoder = std::make_unique<Encoder>();
    if (!encoder->Create(file, format))
        return false;
    encoder_ = std::move(encoder);
    return true;
}

bool VideoFile::WriteFrame(const uint8_t *bottomUpBgr)
{
    if (!encoder_)
        return false;
    Encoder &e = *encoder_;
    if (av_frame_make_writable(e.frame) < 0)
        return false;
    // A negative stride reads the rows from the last in memory, the picture's top.
    const int rowBytes = e.width * 3;
    const uint8_t *const top[1] = {bottomUpBgr + size_t(e.height - 1) * size_t(rowBytes)};
    const int strides[1] = {-rowBytes};
    sws_scale(e.scaler, top, strides, 0, e.height, e.frame->data, e.frame->linesize);
    e.frame->pts = e.nextPts++;
    e.frame->quality = e.codec->global_quality;
    return e.Send(e.frame);
}

bool VideoFile::Close()
{
    if (!encoder_)
        return false;
    Encoder &e = *encoder_;
    bool written = e.Send(nullptr);
    written = av_write_trailer(e.format) >= 0 && written;
    avio_flush(e.format->pb);
    written = written && !e.WriteFailed();
    written = avio_closep(&e.format->pb) >= 0 && written;
    encoder_.reset();
    return written;
}

} // namespace orvex
