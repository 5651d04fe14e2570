// SPDX-License-Identifier: MIT
#include "videorecorder.h"

#include "clock.h"
#include "enginelibrary.h"
#include "framepresenter.h"
#include "safefile.h"

#include <system_error>

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
    temp_.reset();
    format_ = format;
    frameIndex_ = 0;
    endIndex_ = endIndex;
    recordStart_.reset();
    failed_ = false;
    failure_ = {finalName, {}, {}};
    try {
        std::error_code error;
        if (finalName.has_parent_path() && !std::filesystem::create_directories(finalName.parent_path(), error)
            && error) {
            failure_.reason = error.message();
            return false;
        }
        // Found now, not after every frame is encoded.
        const ReplaceCheck check = CheckReplaceable(finalName);
        if (!check.target) {
            failure_.reason = check.reason;
            return false;
        }
        temp_ = CreateVideoTemp(*check.target, failure_.reason);
        if (!temp_)
            return false;
        pixels_.assign(size_t(format.width) * size_t(format.height) * 3, 0);
        if (!file_.Open(temp_->path, format)) {
            EndFailed(file_.Error());
            return false;
        }
        return true;
    } catch (const std::exception &error) {
        EndFailed(error.what());
        return false;
    }
}

void VideoRecorder::FramePresented(const FramePresenter &presenter)
{
    if (!file_.IsOpen() || failed_)
        return;
    try {
        WriteVideoFrame(presenter);
    } catch (const std::exception &error) {
        // The engine could not be reached, or the listener failed: the file cannot go on.
        failed_ = true;
        failure_.reason = error.what();
    } catch (...) {
        failed_ = true;
        failure_.reason = "a frame could not be made";
    }
    if (failed_ || frameIndex_ >= endIndex_)
        stopRequested_ = true;
}

void VideoRecorder::WriteVideoFrame(const FramePresenter &presenter)
{
    const FrameGeometry &g = presenter.Geometry();
    if (g.renderWidth != format_.width || g.renderHeight != format_.height) {
        failed_ = true;
        failure_.reason = "a frame of " + std::to_string(g.renderWidth) + "x" + std::to_string(g.renderHeight)
                          + " pixels came for a video of " + std::to_string(format_.width) + "x"
                          + std::to_string(format_.height);
        return;
    }
    engine_.CopyRGBtoBMP(presenter.Work().data(), pixels_.data(), format_.width, g.renderWidth, format_.height,
                         presenter.FilterType(), presenter.FilterMask(), kVideoPixelDepth);
    if (!file_.WriteFrame(pixels_.data())) {
        failed_ = true;
        failure_.reason = file_.Error();
        return;
    }
    ++frameIndex_;
    const uint32_t now = wallClock_.TickCount();
    if (!recordStart_)
        recordStart_ = now;
    if (listener_)
        listener_({frameIndex_, endIndex_, format_.rate, now - *recordStart_});
}

bool VideoRecorder::FinishVideo()
{
    if (!temp_) {
        if (failure_.reason.empty())
            failure_.reason = "the file was never started";
        return false;
    }
    if (failed_) {
        EndFailed(failure_.reason);
        return false;
    }
    if (!file_.Close()) {
        EndFailed(file_.Error());
        return false;
    }
    std::string reason;
    if (!PlaceVideoFile(*temp_, finalName_, reason)) {
        EndFailed(reason);
        return false;
    }
    temp_.reset();
    return true;
}

void VideoRecorder::AbandonVideo(std::string why)
{
    EndFailed(failed_ ? failure_.reason : std::move(why));
}

void VideoRecorder::EndFailed(std::string why)
{
    failure_.reason = std::move(why);
    if (file_.IsOpen())
        file_.Close();
    if (!temp_)
        return;
    // A file of frames may be worth something to the user; an empty one is not.
    if (frameIndex_ > 0)
        failure_.kept = temp_->path;
    else
        RemoveVideoTemp(*temp_);
    temp_.reset();
}

} // namespace orvex
