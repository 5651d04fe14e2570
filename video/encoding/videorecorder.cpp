#include "videorecorder.h"

#include "clock.h"
#include "enginelibrary.h"
#include "framepresenter.h"
#include "videoplacement.h"

namespace orvex {

namespace {

// The video frame takes the blue, green and red bytes of each pixel, in that order.
constexpr int32_t kVideoPixelDepth = 32;

} // namespace

VideoRecorder::VideoRecorder(EngineLibrary &engine, Clock &wallClock, std::atomic<bool> &stopRequested)
    : engine_(engine), wallClock_(wallClock), stopRequested_(stopRequested)
{
}

bool VideoRecorder::OpenVideo(const std::filesystem::path &finalName, const VideoFormat &format, int64_t endIndex)
{
    finalName_ = finalName;
    temp_ = VideoTempFile(finalName.parent_path());
    format_ = format;
    frameIndex_ = 0;
    endIndex_ = endIndex;
    recordStart_.reset();
    failed_ = false;
    try {
        std::error_code ignored;
        std::filesystem::create_directories(temp_.parent_path(), ignored);
        std::filesystem::remove(temp_, ignored);
        pixels_.assign(size_t(format.width) * size_t(format.height) * 3, 0);
        return file_.Open(temp_, format);
    } catch (const std::exception &) {
        return false;
    }
}

void VideoRecorder::FramePresented(const FramePresenter &presenter)
{
    if (!file_.IsOpen() || failed_)
        return;
    try {
        WriteVideoFrame(presenter);
    } catch (...) {
        // The engine could not be reached, or the listener failed: the file cannot go on.
        failed_ = true;
    }
    if (failed_ || frameIndex_ >= endIndex_)
        stopRequested_ = true;
}

void VideoRecorder::WriteVideoFrame(const FramePresenter &presenter)
{
    const FrameGeometry &g = presenter.Geometry();
    if (g.renderWidth != format_.width || g.renderHeight != format_.height) {
        failed_ = true;
        return;
    }
    engine_.CopyRGBtoBMP(presenter.Work().data(), pixels_.data(), format_.width, g.renderWidth, format_.height,
                         presenter.FilterType(), presenter.FilterMask(), kVideoPixelDepth);
    if (!file_.WriteFrame(pixels_.data())) {
        failed_ = true;
        return;
    }
    ++frameIndex_;
    const uint32_t now = wallClock_.TickCount();
    if (!recordStart_)
        recordStart_ = now;
    if (listener_)
        listener_({frameIndex_, endIndex_, format_.rate, now - *recordStart_});
}

bool VideoRecorder::CloseVideo()
{
    return file_.Close() && !failed_;
}

bool VideoRecorder::FinishVideo()
{
    return CloseVideo() && PlaceVideoFile(temp_, finalName_);
}

} // namespace orvex
