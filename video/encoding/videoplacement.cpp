// SPDX-License-Identifier: MIT
#include "videoplacement.h"

#include "safefile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <random>
#include <system_error>

namespace orvex {

namespace {

constexpr std::string_view kTempStem = "Orvex_VideoTemp-";
constexpr std::string_view kNameCharacters = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
constexpr int kNameLength = 6;
// Names are drawn again only when one is taken; this many clashes mean something is wrong.
constexpr int kMostAttempts = 100;

std::string SystemReason(int error)
{
    return std::error_code(error, std::generic_category()).message();
}

std::string RandomName(std::mt19937 &random)
{
    std::uniform_int_distribution<size_t> pick(0, kNameCharacters.size() - 1);
    std::string name(kTempStem);
    for (int i = 0; i < kNameLength; ++i)
        name += kNameCharacters[pick(random)];
    return name;
}

bool IsTheFileMade(const VideoTemp &temp)
{
    struct stat info {};
    return ::lstat(temp.path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && uint64_t(info.st_dev) == temp.device
           && uint64_t(info.st_ino) == temp.inode;
}

int SyncFile(const std::filesystem::path &file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int synced = ::fsync(fd) == 0 ? 0 : errno;
    const int closed = ::close(fd) == 0 ? 0 : errno;
    return synced != 0 ? synced : closed;
}

} // namespace

std::optional<VideoTemp> CreateVideoTemp(const std::filesystem::path &target, std::string &reason)
{
    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::mt19937 random{std::random_device{}()};
    for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
        VideoTemp temp;
        temp.path = folder / (RandomName(random) + target.extension().string());
        // Made as FFmpeg makes a new file, so the video gets the permissions it always had.
        const int fd = ::open(temp.path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0) {
            reason = SystemReason(errno);
            return std::nullopt;
        }
        struct stat info {};
        const bool known = ::fstat(fd, &info) == 0;
        const int error = errno;
        ::close(fd);
        if (!known) {
            ::unlink(temp.path.c_str());
            reason = SystemReason(error);
            return std::nullopt;
        }
        temp.device = uint64_t(info.st_dev);
        temp.inode = uint64_t(info.st_ino);
        return temp;
    }
    reason = SystemReason(EEXIST);
    return std::nullopt;
}

bool PlaceVideoFile(const VideoTemp &temp, const std::filesystem::path &finalName, std::string &reason)
{
    // Deleting the old file first would lose it, and its name, whenever the rename failed.
    const ReplaceCheck check = CheckReplaceable(finalName);
    if (!check.target) {
        reason = check.reason;
        return false;
    }
    if (!IsTheFileMade(temp)) {
        reason = "the temporary file " + temp.path.string() + " is no longer the one this recording made";
        return false;
    }
    if (const int error = SyncFile(temp.path); error != 0) {
        reason = SystemReason(error);
        return false;
    }
    if (std::rename(temp.path.c_str(), check.target->c_str()) != 0) {
        reason = SystemReason(errno);
        return false;
    }
    return true;
}

void RemoveVideoTemp(const VideoTemp &temp)
{
    if (IsTheFileMade(temp))
        ::unlink(temp.path.c_str());
}

} // namespace orvex
