// SPDX-License-Identifier: MIT
#include "safefile.h"

#include "tempconfig.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace orvex {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

mode_t PermissionsOf(const fs::path &file)
{
    struct stat info {};
    return ::lstat(file.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

ino_t InodeOf(const fs::path &file)
{
    struct stat info {};
    return ::stat(file.c_str(), &info) == 0 ? info.st_ino : 0;
}

// Sets the umask for one test and gives the old one back.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous_); }
    ScopedUmask(const ScopedUmask &) = delete;
    ScopedUmask &operator=(const ScopedUmask &) = delete;

private:
    mode_t previous_;
};

class SafeFileTest : public ::testing::Test {
protected:
    test::TempConfig config;
    fs::path dir = config.Folder();
};

TEST_F(SafeFileTest, NewSharedFilesFollowTheUmaskPrivateOnesStayPrivateReplacedOnesKeepTheirs)
{
    for (const mode_t mask : {mode_t(022), mode_t(027), mode_t(077)}) {
        const ScopedUmask scoped(mask);
        const fs::path shared = dir / ("shared" + std::to_string(mask));
        ASSERT_TRUE(ReplaceFile(shared, "picture", NewFileAccess::Shared));
        EXPECT_EQ(PermissionsOf(shared), 0666 & ~mask) << std::oct << mask;
        ASSERT_TRUE(AppendToFile(dir / ("log" + std::to_string(mask)), "report"));
        EXPECT_EQ(PermissionsOf(dir / ("log" + std::to_string(mask))), 0666 & ~mask) << std::oct << mask;
    }
    const ScopedUmask scoped(022);
    ASSERT_TRUE(ReplaceFile(dir / "settings", "x=1", NewFileAccess::Private));
    EXPECT_EQ(PermissionsOf(dir / "settings"), 0600);
    fs::permissions(dir / "settings", fs::perms(0604));
    ASSERT_TRUE(ReplaceFile(dir / "settings", "x=2", NewFileAccess::Shared));
    EXPECT_EQ(PermissionsOf(dir / "settings"), 0604);
}

TEST_F(SafeFileTest, AppendingAddsToTheSameFileAndNeverToWhatIsNoRegularFile)
{
    const fs::path log = dir / "OrvexPerf.log";
    WriteBytes(log, "first report\n");
    const ino_t inode = InodeOf(log);
    ASSERT_TRUE(AppendToFile(log, "second report\n"));
    EXPECT_EQ(ReadBytes(log), "first report\nsecond report\n");
    EXPECT_EQ(InodeOf(log), inode) << "the log is appended to, not rewritten beside itself";

    fs::create_symlink(log, dir / "linked.log");
    ASSERT_TRUE(AppendToFile(dir / "linked.log", "third\n"));
    EXPECT_EQ(ReadBytes(log), "first report\nsecond report\nthird\n");

    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    EXPECT_FALSE(AppendToFile(dir / "fifo", "x")) << "nor does it wait for a reader";
    fs::create_directory(dir / "folder");
    EXPECT_FALSE(AppendToFile(dir / "folder", "x"));
}

TEST_F(SafeFileTest, ALinkIsFollowedOrReplacedAsAsked)
{
    const fs::path precious = dir / "precious";
    WriteBytes(precious, "keep");
    fs::create_symlink(precious, dir / "followed");
    fs::create_symlink(precious, dir / "replaced");

    ASSERT_TRUE(ReplaceFile(dir / "replaced", "capture", NewFileAccess::Shared, AtALink::Replace));
    EXPECT_FALSE(fs::is_symlink(dir / "replaced"));
    EXPECT_EQ(ReadBytes(dir / "replaced"), "capture");
    EXPECT_EQ(ReadBytes(precious), "keep");

    ASSERT_TRUE(ReplaceFile(dir / "followed", "settings", NewFileAccess::Private));
    EXPECT_TRUE(fs::is_symlink(dir / "followed"));
    EXPECT_EQ(ReadBytes(precious), "settings");
}

} // namespace
} // namespace orvex
