// SPDX-License-Identifier: MIT
#pragma once
// Where the presentation hands every finished frame while a video is being recorded.

namespace orvex {

class FramePresenter;

class VideoFrameSink {
public:
    virtual ~VideoFrameSink() = default;
    // Called after the blit of every frame; the presenter's work buffer, geometry and
    // colour filter describe the frame. Must not throw: a recording failure is kept by
    // the sink and reported when the recording ends.
    virtual void FramePresented(const FramePresenter &presenter) = 0;
};

} // namespace orvex
