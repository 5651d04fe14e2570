// SPDX-License-Identifier: MIT
#pragma once
// What --record tells while it works: on a terminal, a bar that redraws itself (frames
// done, frames per second, time left); otherwise nothing until the plain final line.

#include "videosession.h"

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>

namespace orvex {

class RecordProgress final : public VideoSession::Listener {
public:
    RecordProgress(std::ostream &out, bool terminal) : out_(out), terminal_(terminal) {}

    void FrameWritten(const VideoProgress &progress) override;

    // Ends the bar's line, then says what was written.
    void Finished(const std::filesystem::path &file);
    // Ends the bar's line, so that what follows starts a line of its own.
    void EndBar();

private:
    std::ostream &out_;
    bool terminal_;
    VideoProgress last_;
    uint32_t lastDrawnMs_ = 0;
    bool drawn_ = false;
};

// "[#######.............]  120/600 frames  85.3 fps  0:05 left"
std::string ProgressBarText(const VideoProgress &progress);

// Frames per second of the progress so far; 0 before the first measurable moment.
double FramesPerSecond(const VideoProgress &progress);

} // namespace orvex
