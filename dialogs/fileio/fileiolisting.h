// SPDX-License-Identifier: MIT
#pragma once
// What the drive, folder and file lists of the file dialogs show, apart from their
// widgets. Drives are the mounted file systems; hidden entries (names starting with a
// dot) are left out; names are sorted without regard to case.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

struct FolderEntry {
    std::filesystem::path path;
    std::string name;
    int depth = 0;     // 0 for the root
    bool open = false; // the folder shown or one on the way to it
};

// The way from the root down to folder (each entry open), then folder's subfolders.
std::vector<FolderEntry> FolderListEntries(const std::filesystem::path &folder);

// The names of the files in folder matching the type pattern (see MatchesFilePattern).
std::vector<std::string> FileListEntries(const std::filesystem::path &folder, std::string_view patterns);

// The drive holding folder: the deepest of drives that contains it; empty when none does.
std::filesystem::path DriveOf(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &drives);

} // namespace orvex
