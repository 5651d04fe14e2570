#include "safefile.h"

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvex {

namespace {

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

bool WriteSynced(int fd, const std::filesystem::path &file, std::string_view bytes)
{
    struct stat old {};
    if (::stat(file.c_str(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0)
        return false;
    return WriteAll(fd, bytes) && ::fsync(fd) == 0;
}

std::string Timestamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local {};
    char text[32];
    ::localtime_r(&now, &local);
    return std::string(text, std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local));
}

} // namespace

FileContents ReadWholeFile(const std::filesystem::path &file)
{
    FileContents contents;
    // Not blocking on open keeps a FIFO in the file's place from hanging the reader.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        contents.status = errno == ENOENT ? FileContents::Status::Missing : FileContents::Status::Unreadable;
        return contents;
    }
    struct stat info {};
    const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    contents.status = regular && ReadAll(fd, contents.bytes) ? FileContents::Status::Read
                                                              : FileContents::Status::Unreadable;
    ::close(fd);
    if (contents.status == FileContents::Status::Unreadable)
        contents.bytes.clear();
    return contents;
}

bool ReplaceFile(const std::filesystem::path &file, std::string_view bytes)
{
    // A file its owner made read-only stays as it is, although the folder would allow
    // replacing it.
    if (::faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        return false;
    std::string temporary = file.string() + ".tmp-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = WriteSynced(fd, file, bytes);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    SyncFolder(FolderOf(file));
    return true;
}

bool KeepCopyBeside(const std::filesystem::path &file, std::string_view tag)
{
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

std::filesystem::path FollowLinks(const std::filesystem::path &file)
{
    std::error_code error;
    if (!std::filesystem::is_symlink(file, error))
        return file;
    std::filesystem::path target = std::filesystem::canonical(file, error);
    return error ? file : target;
}

} // namespace orvex
