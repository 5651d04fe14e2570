#pragma once
// Writes the presented frames into one video file at a time: the frame the video gets
// is the work buffer passed through the colour filter, as 24-bit bottom-up rows. The
// file grows under a temporary name beside its final one and takes that name only once
// it is complete.

#include "videofile.h"
#include "videoframesink.h"
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

    // OpenVideo: removes an earlier temporary file beside finalName and starts a new one
    // there for frames of format (sides and rate already within their ranges), expecting
    // endIndex frames. false when the file cannot be created.
    bool OpenVideo(const std::filesystem::path &finalName, const VideoFormat &format, int64_t endIndex);
    // More frames to come before the file is complete.
    void ExtendEnd(int64_t frames) { endIndex_ += frames; }
    // The time estimates count from the next frame written.
    void RestartTiming() { recordStart_.reset(); }

    // WriteVideoFrame: one frame into the open file.
    void FramePresented(const FramePresenter &presenter) override;

    // Completes the temporary file: the encoder's last frames and the container's index.
    bool CloseVideo();
    // CloseVideo, then the temporary file replaces the final one in one rename; false
    // (the temporary file kept, the final file untouched) when any step failed.
    bool FinishVideo();

    int64_t FrameIndex() const { return frameIndex_; }
    int64_t EndIndex() const { return endIndex_; }
    // A frame could not be converted or written since the file was opened.
    bool Failed() const { return failed_; }

private:
    void WriteVideoFrame(const FramePresenter &presenter);

    EngineLibrary &engine_;
    Clock &wallClock_;
    std::atomic<bool> &stopRequested_;
    ProgressListener listener_;
    VideoFile file_;
    VideoFormat format_;
    std::filesystem::path temp_;
    std::filesystem::path finalName_;
    std::vector<uint8_t> pixels_;
    int64_t frameIndex_ = 0;
    int64_t endIndex_ = 0;
    std::optional<uint32_t> recordStart_;
    bool failed_ = false;
};

} // namespace orvex
