// SPDX-License-Identifier: MIT
#pragma once
// Why a video file could not be written, and how the window and the command line say it:
// what failed, the system's reason, the path, and where the frames already written are.

#include <filesystem>
#include <string>
#include <string_view>

namespace orvex {

// The first line of every message about a video that could not be written.
inline constexpr std::string_view kVideoWriteError = "There was an error writing the file.";

struct VideoFailure {
    std::filesystem::path file; // the video's final name
    std::string reason;         // in the system's words where it has them
    std::filesystem::path kept; // the temporary file holding the frames written, when kept
};

// kVideoWriteError, then one line each: the file and the reason, where the frames
// written so far are kept (when they are), and that an earlier file is left as it was.
std::string VideoFailureText(const VideoFailure &failure);

} // namespace orvex
