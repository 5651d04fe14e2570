// SPDX-License-Identifier: MIT
#pragma once
// Whole-file reads and replacements that never leave a half-written file behind: a new
// version is written to a temporary file in the same folder, flushed to disk and renamed
// over the old one, so readers see either the old or the new file, never a mixture.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvex {

// What tells one version of a regular file from another without reading it: a
// replacement has another inode, an edit in place another size or modification time.
struct FileStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp &) const = default;
};

// The stamp of the regular file at path (links followed); nullopt when there is none.
std::optional<FileStamp> StampOf(const std::filesystem::path &file);

// Whether any later edit is sure to change the stamp. File systems keep modification
// times in coarse ticks, so an edit in place that keeps the size and falls into the tick
// of this version leaves the stamp as it is; once the modification time lies well past
// a tick (or two seconds for a file system keeping whole seconds), it cannot.
bool IsSettled(const FileStamp &stamp);

struct FileContents {
    // NotAFile: something other than a regular file (a device, FIFO, socket or folder)
    // is in the file's place; it is never opened.
    enum class Status { Read, Missing, Unreadable, NotAFile };
    Status status = Status::Missing;
    std::string bytes;
    // The version read, when it did not change while it was being read.
    std::optional<FileStamp> stamp;
};

FileContents ReadWholeFile(const std::filesystem::path &file);

// The regular file a replacement of `file` replaces: the file itself or, when it is a
// symbolic link, the end of the link chain, so the link stays (that end need not exist
// yet when its folder does). nullopt when it is anything other than a regular file.
std::optional<std::filesystem::path> ReplaceableTarget(const std::filesystem::path &file);

// Who may read a file that a write creates; a file replaced keeps its own permissions.
enum class NewFileAccess {
    Private, // the owner alone: the settings and their copies
    Shared,  // as the umask allows (0666 less it): pictures, templates, logs the user keeps
};

// What a symbolic link in the file's place stands for.
enum class AtALink {
    Follow,  // the regular file at the end of its chain is replaced and the link stays
    Replace, // the link itself gives way to the new file; what it points to is untouched
};

// Writes bytes as the new content of ReplaceableTarget(file) (or of file itself when
// links are replaced); false when there is no such target, any step fails or the file
// is read-only to us, and then the old file is untouched and no temporary is left.
bool ReplaceFile(const std::filesystem::path &file, std::string_view bytes, NewFileAccess access,
                 AtALink link = AtALink::Follow);

// Appends bytes to ReplaceableTarget(file), creating it Shared, in O_APPEND writes that
// never rewrite what is there: a crash can tear the end of the new bytes, never lose the
// old ones. false when there is no such target or a write fails.
bool AppendToFile(const std::filesystem::path &file, std::string_view bytes);

// Removes the temporaries of killed replacements of file ("<name>.tmp-XXXXXX" beside
// it). Only for a caller holding the lock that every writer of file holds while it
// writes: any temporary found then belongs to nobody.
void RemoveStaleTemporaries(const std::filesystem::path &file);

// Keeps the current file under a new name beside it, "<name>.<tag>-<YYYYmmdd-HHMMSS>"
// (plus "-<n>" when that exists), without reading it when a hard link is possible.
// Nothing new is made when a copy with this tag already holds the same bytes, so
// repeated failing writes over one damaged file keep one copy of it.
// false when no copy could be made.
bool KeepCopyBeside(const std::filesystem::path &file, std::string_view tag);

// Whether a replacement of file may be written, asked before the work of making its new
// content: ReplaceableTarget must find a regular file (or a new name in an existing
// folder), that file must be writable to us when it exists, and its folder must let us
// create files, as ReplaceFile needs. reason is empty when it may, else says why in the
// system's words ("Is a directory", "Permission denied", ...).
struct ReplaceCheck {
    std::optional<std::filesystem::path> target; // set only when reason is empty
    std::string reason;
};
ReplaceCheck CheckReplaceable(const std::filesystem::path &file);

} // namespace orvex
