#pragma once
// Where a video is written while it grows, and how it takes its final name: by one
// rename over the old file, so the name always holds either the old video or the new.

#include <filesystem>

namespace orvex {

// "Orvex_VideoTemp.avi" in folder.
std::filesystem::path VideoTempFile(const std::filesystem::path &folder);

// Moves the completed temporary file to finalName (the end of its link chain when it is a
// symbolic link), on disk before the rename. false when finalName is anything but a
// regular file or absent, or a step fails: the temporary file then stays as it is and
// the final file is untouched.
bool PlaceVideoFile(const std::filesystem::path &temp, const std::filesystem::path &finalName);

} // namespace orvex
