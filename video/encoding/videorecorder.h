// SPDX-License-Identifier: MIT
#pragma once
// Writes the presented frames into one video file at a time: the frame the video gets
// is the work buffer passed through the colour filter, as 24-bit bottom-up rows. The
// file grows under a temporary name of its own beside its final one and takes that name
// only once it is complete.

#include "videofailure.h"
#include "videofile.h"
#include "videoframesink.h"
#include "videoplacement.h"
#include "videoprogress.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace orvex {

class Clock;
class EngineLibrary;

class VideoRecorder final : public VideoFrameSink {
public:
    using ProgressListener = std::function<void(const VideoProgress &)>;

    // wallClock times the progress estimates; stopRequested is set once the last frame
    // of the file is written, or a frame could not be.
    VideoRecorder(EngineLibrary &engine, Clock &wallClock, std::atomic<bool> &stopRequested);

    void SetProgressListener(ProgressListener listener) { listener_ = std::move(listener); }

    // OpenVideo: starts a temporary file beside finalName for frames of format (sides and
    // rate already within their ranges), expecting endIndex frames. false, before any
    // frame, when finalName could never be written (anything but a regular file that may
    // be replaced or a new name in a folder we may write to; its folder is created when
    // missing) or the file cannot be started.
    bool OpenVideo(const std::filesystem::path &finalName, const VideoFormat &format, int64_t endIndex);
    // More frames to come before the file is complete.
    void ExtendEnd(int64_t frames) { endIndex_ += frames; }
    // The time estimates count from the next frame written.
    void RestartTiming() { recordStart_.reset(); }

    // WriteVideoFrame: one frame into the open file.
    void FramePresented(const FramePresenter &presenter) override;

    // Completes the temporary file, then it replaces the final one in one rename; false
    // when any step failed: the final file is untouched and the temporary file is kept
    // when it holds frames.
    bool FinishVideo();
    // Ends the file without giving it its final name, for why; it is kept when it holds
    // frames.
    void AbandonVideo(std::string why);

    int64_t FrameIndex() const { return frameIndex_; }
    int64_t EndIndex() const { return endIndex_; }
    // A frame could not be converted or written since the file was opened.
    bool Failed() const { return failed_; }
    // Why the last file failed, and where its frames are kept.
    const VideoFailure &Failure() const { return failure_; }

private:
    void WriteVideoFrame(const FramePresenter &presenter);
    // Closes the file after a failure, keeping it when it holds frames.
    void EndFailed(std::string why);

    EngineLibrary &engine_;
    Clock &wallClock_;
    std::atomic<bool> &stopRequested_;
    ProgressListener listener_;
    VideoFile file_;
    VideoFormat format_;
    std::optional<VideoTemp> temp_;
    std::filesystem::path finalName_;
    VideoFailure failure_;
    std::vector<uint8_t> pixels_;
    int64_t frameIndex_ = 0;
    int64_t endIndex_ = 0;
    std::optional<uint32_t> recordStart_;
    bool failed_ = false;
};

} // namespace orvex
