#include "videoplacement.h"

#include "safefile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace orvex {

namespace {

bool SyncFile(const std::filesystem::path &file)
{
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0;
    return ::close(fd) == 0 && synced;
}

} // namespace

std::filesystem::path VideoTempFile(const std::filesystem::path &folder)
{
    return folder / "Orvex_VideoTemp.avi";
}

bool PlaceVideoFile(const std::filesystem::path &temp, const std::filesystem::path &finalName)
{
    // Deleting the old file first would lose it, and its name, whenever the rename failed.
    const std::optional<std::filesystem::path> target = ReplaceableTarget(finalName);
    return target && SyncFile(temp) && std::rename(temp.c_str(), target->c_str()) == 0;
}

} // namespace orvex
