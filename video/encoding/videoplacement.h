// SPDX-License-Identifier: MIT
#pragma once
// Where a video is written while it grows, and how it takes its final name: by one
// rename over the old file, so the name always holds either the old video or the new.
// Every recording grows under a name of its own, so that recordings into one folder
// never take or remove each other's files.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace orvex {

// The file a recording made for itself; it is known by its inode, not only by its name.
struct VideoTemp {
    std::filesystem::path path;
    uint64_t device = 0;
    uint64_t inode = 0;
};

// Creates "Orvex_VideoTemp-XXXXXX" plus the final name's extension, a name no other
// file has (O_EXCL), beside target: the file the final name stands for (the end of its
// link chain). nullopt, with the system's reason, when it cannot be made.
std::optional<VideoTemp> CreateVideoTemp(const std::filesystem::path &target, std::string &reason);

// Moves the completed temporary file to finalName (the end of its link chain when it is a
// symbolic link), on disk before the rename, and only while the temporary name still
// holds the file made for it. false, with the reason, when finalName may not be replaced
// (see CheckReplaceable) or a step fails: the temporary file then stays as it is and the
// final file is untouched.
bool PlaceVideoFile(const VideoTemp &temp, const std::filesystem::path &finalName, std::string &reason);

// Removes the temporary file, when its name still holds the file made for it.
void RemoveVideoTemp(const VideoTemp &temp);

} // namespace orvex
