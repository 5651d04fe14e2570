// SPDX-License-Identifier: MIT
#include "safefile.h"

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>
#include <system_error>
#include <vector>

namespace orvex {

namespace {

constexpr std::string_view kTemporaryTag = ".tmp-";
constexpr std::string_view kTemporaryPattern = "XXXXXX"; // six letters or digits, as mkostemp fills it in

// The kernel's own bound on the links one path may pass through.
constexpr int kMaxLinkHops = 40;

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

bool ReadAll(int fd, std::string &bytes)
{
    char buffer[16384];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        bytes.append(buffer, static_cast<size_t>(got));
    }
}

// Makes a rename inside the folder durable; a failure here cannot undo the rename,
// so it is not reported.
void SyncFolder(const std::filesystem::path &folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::filesystem::path FolderOf(const std::filesystem::path &file)
{
    return file.has_parent_path() ? file.parent_path() : std::filesystem::path(".");
}

// The regular file a new version replaces keeps its permissions; a new file has the
// ones it was created with.
bool WriteSynced(int fd, const std::filesystem::path &file, std::string_view bytes)
{
    struct stat old {};
    if (::lstat(file.c_str(), &old) == 0 && S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 07777) != 0)
        return false;
    return WriteAll(fd, bytes) && ::fsync(fd) == 0;
}

// Creates "<target>.tmp-XXXXXX" under a name nothing else has, as mkostemp does but with
// the permissions asked for: the kernel takes the umask off them.
int CreateTemporaryBeside(const std::filesystem::path &target, mode_t permissions, std::string &temporary)
{
    constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        unsigned char random[kTemporaryPattern.size()];
        if (::getrandom(random, sizeof random, 0) != ssize_t(sizeof random))
            return -1;
        temporary = target.string() + std::string(kTemporaryTag);
        for (const unsigned char byte : random)
            temporary += kLetters[byte % kLetters.size()];
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, permissions);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

std::string Timestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    char text[32];
    ::localtime_r(&now, &local);
    return std::string(text, std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local));
}

FileStamp StampFrom(const struct stat &info)
{
    return {static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino), static_cast<int64_t>(info.st_size),
            static_cast<int64_t>(info.st_mtim.tv_sec), static_cast<int64_t>(info.st_mtim.tv_nsec)};
}

// The status of a file that could not be looked at or opened.
FileContents::Status FailedStatus(int error)
{
    return error == ENOENT ? FileContents::Status::Missing : FileContents::Status::Unreadable;
}

// The entries in file's folder whose names are file's name followed by tag.
std::vector<std::filesystem::path> FilesBeside(const std::filesystem::path &file, std::string_view tag)
{
    const std::string prefix = file.filename().string() + std::string(tag);
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(FolderOf(file), error), end; !error && entry != end;
         entry.increment(error)) {
        if (entry->path().filename().string().starts_with(prefix))
            found.push_back(entry->path());
    }
    return found;
}

// What lstat says of a regular file; nullopt for anything else, links included.
std::optional<struct stat> RegularFileInfo(const std::filesystem::path &file)
{
    struct stat info {};
    if (::lstat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return info;
}

// Whether a "<name>.<tag>-..." copy holds what file holds: a hard link to it, or a
// regular file with the same bytes. The file is read only when a copy of its size exists.
bool CopyExists(const std::filesystem::path &file, std::string_view tag)
{
    struct stat original {};
    if (::stat(file.c_str(), &original) != 0)
        return false;
    std::optional<FileContents> contents;
    for (const std::filesystem::path &copy : FilesBeside(file, "." + std::string(tag) + "-")) {
        const std::optional<struct stat> info = RegularFileInfo(copy);
        if (!info || info->st_size != original.st_size)
            continue;
        if (info->st_dev == original.st_dev && info->st_ino == original.st_ino)
            return true;
        if (!contents)
            contents = ReadWholeFile(file);
        const FileContents other = ReadWholeFile(copy);
        if (contents->status == FileContents::Status::Read && other.status == FileContents::Status::Read
            && other.bytes == contents->bytes)
            return true;
    }
    return false;
}

// file itself when a symbolic link stands there, for a write that replaces the link.
std::optional<std::filesystem::path> LinkOrReplaceableTarget(const std::filesystem::path &file)
{
    struct stat info {};
    return ::lstat(file.c_str(), &info) == 0 && S_ISLNK(info.st_mode) ? std::optional(file) : ReplaceableTarget(file);
}

} // namespace

std::optional<FileStamp> StampOf(const std::filesystem::path &file)
{
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return StampFrom(info);
}

bool IsSettled(const FileStamp &stamp)
{
    // Ticks are at most 10 ms where times have nanoseconds; FAT keeps two seconds.
    const int64_t settleNanoseconds = stamp.modifiedNanoseconds != 0 ? 100'000'000 : 2'000'000'000;
    timespec now {};
    ::clock_gettime(CLOCK_REALTIME, &now);
    const int64_t age = (int64_t(now.tv_sec) - stamp.modifiedSeconds) * 1'000'000'000
                        + (int64_t(now.tv_nsec) - stamp.modifiedNanoseconds);
    return age >= settleNanoseconds;
}

FileContents ReadWholeFile(const std::filesystem::path &file)
{
    FileContents contents;
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0) {
        contents.status = FailedStatus(errno);
        return contents;
    }
    // A device is not even opened: opening some has effects of its own.
    if (!S_ISREG(info.st_mode)) {
        contents.status = FileContents::Status::NotAFile;
        return contents;
    }
    // Not blocking on open keeps a FIFO put in the file's place meanwhile from hanging the reader.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        contents.status = FailedStatus(errno);
        return contents;
    }
    struct stat after {};
    if (::fstat(fd, &info) != 0) {
        contents.status = FileContents::Status::Unreadable;
    } else if (!S_ISREG(info.st_mode)) {
        contents.status = FileContents::Status::NotAFile;
    } else if (!ReadAll(fd, contents.bytes)) {
        contents.status = FileContents::Status::Unreadable;
    } else {
        contents.status = FileContents::Status::Read;
        // Written to while being read: the bytes may be a mixture, so they name no version.
        if (::fstat(fd, &after) == 0 && StampFrom(after) == StampFrom(info))
            contents.stamp = StampFrom(info);
    }
    ::close(fd);
    if (contents.status != FileContents::Status::Read)
        contents.bytes.clear();
    return contents;
}

std::optional<std::filesystem::path> ReplaceableTarget(const std::filesystem::path &file)
{
    std::filesystem::path path = file;
    for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0) {
            struct stat folder {};
            const bool creatable =
                errno == ENOENT && ::stat(FolderOf(path).c_str(), &folder) == 0 && S_ISDIR(folder.st_mode);
            return creatable ? std::optional(path) : std::nullopt;
        }
        if (S_ISREG(info.st_mode))
            return path;
        if (!S_ISLNK(info.st_mode))
            return std::nullopt;
        std::error_code error;
        const std::filesystem::path target = std::filesystem::read_symlink(path, error);
        if (error)
            return std::nullopt;
        // A relative target is relative to the link's folder, as the kernel reads it.
        path = target.is_absolute() ? target : FolderOf(path) / target;
    }
    return std::nullopt;
}

bool ReplaceFile(const std::filesystem::path &file, std::string_view bytes, NewFileAccess access, AtALink link)
{
    const std::optional<std::filesystem::path> target =
        link == AtALink::Follow ? ReplaceableTarget(file) : LinkOrReplaceableTarget(file);
    if (!target)
        return false;
    // A file its owner made read-only stays as it is, although the folder would allow
    // replacing it.
    if (RegularFileInfo(*target) && ::faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0)
        return false;
    std::string temporary;
    const int fd = CreateTemporaryBeside(*target, access == NewFileAccess::Private ? 0600 : 0666, temporary);
    if (fd < 0)
        return false;
    const bool written = WriteSynced(fd, *target, bytes);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), target->c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(*target));
    return true;
}

bool AppendToFile(const std::filesystem::path &file, std::string_view bytes)
{
    const std::optional<std::filesystem::path> target = ReplaceableTarget(file);
    if (!target)
        return false;
    // Not following a link or blocking on a FIFO put in the target's place meanwhile.
    const int fd = ::open(target->c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0666);
    if (fd < 0)
        return false;
    struct stat info {};
    const bool written = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && WriteAll(fd, bytes) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && written;
}

void RemoveStaleTemporaries(const std::filesystem::path &file)
{
    const size_t prefixLength = file.filename().string().size() + kTemporaryTag.size();
    const auto isPatternCharacter = [](char c) {
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    };
    for (const std::filesystem::path &temporary : FilesBeside(file, kTemporaryTag)) {
        const std::string name = temporary.filename().string();
        const std::string_view filled = std::string_view(name).substr(prefixLength);
        if (filled.size() == kTemporaryPattern.size() && std::all_of(filled.begin(), filled.end(), isPatternCharacter)
            && RegularFileInfo(temporary))
            ::unlink(temporary.c_str());
    }
}

bool KeepCopyBeside(const std::filesystem::path &file, std::string_view tag)
{
    if (CopyExists(file, tag))
        return true;
    const std::string base = file.string() + "." + std::string(tag) + "-" + Timestamp();
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string copy = attempt == 0 ? base : base + "-" + std::to_string(attempt);
        if (::link(file.c_str(), copy.c_str()) == 0)
            return true;
        if (errno == EEXIST)
            continue;
        std::error_code error;
        return std::filesystem::copy_file(file, copy, error) && !error;
    }
    return false;
}

namespace {

std::string SystemReason(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

// Why ReplaceableTarget found nothing to replace: what is in the file's place (at the end
// of its links), or why that place cannot be reached.
std::string NoTargetReason(const std::filesystem::path &file)
{
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return SystemReason(errno);
    if (S_ISDIR(info.st_mode))
        return SystemReason(EISDIR);
    if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
        return "Is a device, not a regular file";
    if (S_ISFIFO(info.st_mode))
        return "Is a FIFO, not a regular file";
    if (S_ISSOCK(info.st_mode))
        return "Is a socket, not a regular file";
    return "Is not a regular file";
}

} // namespace

ReplaceCheck CheckReplaceable(const std::filesystem::path &file)
{
    ReplaceCheck check;
    const std::optional<std::filesystem::path> target = ReplaceableTarget(file);
    if (!target) {
        check.reason = NoTargetReason(file);
        return check;
    }
    // The same rule as ReplaceFile's: a file its owner made read-only stays as it is.
    if (::faccessat(AT_FDCWD, target->c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT) {
        check.reason = SystemReason(errno);
        return check;
    }
    if (::faccessat(AT_FDCWD, FolderOf(*target).c_str(), W_OK | X_OK, AT_EACCESS) != 0) {
        check.reason = SystemReason(errno);
        return check;
    }
    check.target = target;
    return check;
}

} // namespace orvex
