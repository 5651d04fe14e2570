#pragma once
// Whole-file reads and replacements that never leave a half-written file behind: a new
// version is written to a temporary file in the same folder, flushed to disk and renamed
// over the old one, so readers see either the old or the new file, never a mixture.

#include <filesystem>
#include <string>
#include <string_view>

namespace orvex {

struct FileContents {
    enum class Status { Read, Missing, Unreadable };
    Status status = Status::Missing;
    std::string bytes;
};

FileContents ReadWholeFile(const std::filesystem::path &file);

// Writes bytes as the new content of file (keeping its permissions when it exists);
// false when any step fails or the file is read-only to us, and then the old file is
// untouched and no temporary is left.
bool ReplaceFile(const std::filesystem::path &file, std::string_view bytes);

// Keeps the current file under a new name beside it, "<name>.<tag>-<YYYYmmdd-HHMMSS>"
// (plus "-<n>" when that exists), without reading it when a hard link is possible.
// false when no copy could be made.
bool KeepCopyBeside(const std::filesystem::path &file, std::string_view tag);

// The file a symbolic link points to (so replacing it keeps the link), else the path itself.
std::filesystem::path FollowLinks(const std::filesystem::path &file);

} // namespace orvex
