// SPDX-License-Identifier: MIT
#include "filelock.h"
#include "regfile.h"
#include "settingsstore.h"
#include "tempconfig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <fcntl.h>
#include <limits>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace orvex {
namespace {

using test::ReadBytes;
using test::TempConfig;
using test::WriteBytes;

class SettingsStoreTest : public ::testing::Test {
protected:
    TempConfig config;
    SettingsStore store;

    // Stores a raw text as if a person had typed it into the file.
    void WriteFileValue(const std::string &section, const std::string &line)
    {
        WriteBytes(store.File(), "[SOFTWARE\\Orvex\\Lumora\\" + section + "]\n" + line + "\n");
    }

    std::vector<std::filesystem::path> FilesBeside() const
    {
        std::vector<std::filesystem::path> files;
        for (const auto &entry : std::filesystem::directory_iterator(store.File().parent_path()))
            files.push_back(entry.path().filename());
        return files;
    }

    size_t DamagedCopies() const
    {
        size_t count = 0;
        for (const auto &name : FilesBeside())
            count += name.string().starts_with("Lumora.reg.damaged-");
        return count;
    }
};

// Runs body in a child process; its exit status is 0 when body returned true.
template <typename Body>
pid_t StartChild(Body body)
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(body() ? 0 : 1);
    return child;
}

bool ChildSucceeded(pid_t child)
{
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

template <typename Body>
bool InChild(Body body)
{
    return ChildSucceeded(StartChild(body));
}

TEST_F(SettingsStoreTest, DefaultPathFollowsXdgConfigHome)
{
    EXPECT_EQ(SettingsStore::DefaultPath(), config.Folder() / "Orvex" / "Lumora.reg");
    EXPECT_EQ(store.File(), config.SettingsFile());

    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    ::setenv("HOME", "/home/somebody", 1);
    ::setenv("XDG_CONFIG_HOME", "relative/folder", 1);
    EXPECT_EQ(SettingsStore::DefaultPath(), "/home/somebody/.config/Orvex/Lumora.reg");
    ::unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(SettingsStore::DefaultPath(), "/home/somebody/.config/Orvex/Lumora.reg");
    ::setenv("HOME", home.c_str(), 1);
}

TEST_F(SettingsStoreTest, AwkwardTextsAndKeysRoundTrip)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Plain", "12"},
        {"Equals", "a=b=c"},
        {"Bracket", "[SOFTWARE\\Orvex\\Lumora\\General]"},
        {"Backslashes", "C:\\path\\n\\x41\\\\"},
        {"LineBreaks", "one\ntwo\r\nthree\r"},
        {"InnerBlanks", "a  \t  b"},
        {"Control", std::string("nul\0inside\x01\x7f", 12)},
        {"Utf8", "Grüße ✓ 星"},
        {"NotUtf8", "\xff\xfe\xc3"},
        {"=Starts with equals", "x"},
        {"[bracket key", "x"},
        {";comment key", "x"},
        {"#hash key", "x"},
        {" blank key ", "x"},
        {"key\nwith\\line", "x"},
        {"", "nameless"},
        {"Empty", ""},
    };
    for (const auto &[key, text] : cases)
        ASSERT_TRUE(store.WriteSetting("Odd", key, text)) << key;
    const SettingsStore another(store.File());
    for (const auto &[key, text] : cases) {
        EXPECT_EQ(another.ReadSettingText("Odd", key, "default"), text) << key;
        EXPECT_TRUE(another.HasSetting("Odd", key)) << key;
    }
    EXPECT_EQ(RegFile::Parse(ReadBytes(store.File())).Status(), RegFile::Health::Clean);
}

TEST_F(SettingsStoreTest, WriteTrimsAndFormatsScalars)
{
    store.WriteSetting("General", "Blanks", "  \t padded \t ");
    store.WriteSetting("General", "Int", -42);
    store.WriteSetting("General", "Flag", true);
    store.WriteSetting("General", "Tenth", 0.1f);
    store.WriteSetting("General", "Third", 1.0 / 3.0);
    store.WriteSetting("General", "Big", 1e10f);
    EXPECT_EQ(store.ReadSettingText("General", "Blanks"), "padded");
    EXPECT_EQ(store.ReadSettingText("General", "Int"), "-42");
    EXPECT_EQ(store.ReadSettingText("General", "Flag"), "1");
    EXPECT_EQ(store.ReadSettingText("General", "Tenth"), "0.1");
    EXPECT_EQ(store.ReadSettingText("General", "Third"), "0.33333334");
    EXPECT_EQ(store.ReadSettingText("General", "Big"), "10000000000");
    EXPECT_EQ(store.ReadSettingSingle("General", "Third", 0.0f), 1.0f / 3.0f);
}

TEST_F(SettingsStoreTest, AbsentValuesReadAsTheirDefault)
{
    store.WriteSetting("General", "Other", 5);
    EXPECT_EQ(store.ReadSettingText("General", "Missing", 7), "7");
    EXPECT_EQ(store.ReadSettingText("General", "Missing", 0.25f), "0.25");
    EXPECT_EQ(store.ReadSettingText("Nowhere", "Missing"), "");
    EXPECT_EQ(store.ReadSettingLong("General", "Missing", -3), -3);
    EXPECT_EQ(store.ReadSettingSingle("General", "Missing", 2.5f), 2.5f);
    EXPECT_EQ(store.ReadSettingSingle("General", "Missing", "abc"), 0.0f);
    EXPECT_FALSE(store.HasSetting("General", "Missing"));
}

TEST_F(SettingsStoreTest, LongReadsRoundHalvesToEvenAndRejectNonNumbers)
{
    struct Case {
        std::string text;
        int32_t expected;
    };
    const int32_t fallback = -77;
    const std::vector<Case> cases = {
        {"3.5", 4}, {"2.5", 2}, {"-2.5", -2}, {"-3.5", -4}, {"0.49999", 0},
        {"  12  ", 12}, {"+8", 8}, {"1e3", 1000}, {".5", 0}, {"1.5e0", 2},
        {"abc", fallback}, {"", fallback}, {"12abc", fallback}, {"1 2", fallback},
        {"0x10", fallback}, {"3,5", fallback}, {"nan", fallback}, {"inf", fallback},
        {"99999999999", std::numeric_limits<int32_t>::max()},
        {"-1e30", std::numeric_limits<int32_t>::min()},
        {"1e99999999999999999999", std::numeric_limits<int32_t>::max()},
    };
    for (const Case &c : cases) {
        WriteFileValue("Advanced", "Value=" + c.text);
        EXPECT_EQ(store.ReadSettingLong("Advanced", "Value", fallback), c.expected) << '"' << c.text << '"';
    }
}

TEST_F(SettingsStoreTest, SingleReadsTakeNumbersOnly)
{
    struct Case {
        std::string text;
        float expected;
    };
    const float fallback = 9.5f;
    const std::vector<Case> cases = {
        {"0.5", 0.5f}, {" -1.25 ", -1.25f}, {"16777217", 16777216.0f}, {"1e-50", 0.0f},
        {"1e39", std::numeric_limits<float>::max()}, {"-1e39", -std::numeric_limits<float>::max()},
        {"0.5x", fallback}, {"", fallback}, {"0,5", fallback}, {"nan", fallback},
    };
    for (const Case &c : cases) {
        WriteFileValue("Lumora", "Value=" + c.text);
        EXPECT_EQ(store.ReadSettingSingle("Lumora", "Value", fallback), c.expected) << '"' << c.text << '"';
    }
}

TEST_F(SettingsStoreTest, ValuesLongerThan254CharactersReadAsTheDefault)
{
    const std::string longest(254, 'x');
    store.WriteSetting("General", "Longest", longest);
    store.WriteSetting("General", "TooLong", std::string(255, '7'));
    store.WriteSetting("General", "Long300", std::string(300, '7'));
    std::string wide;
    for (int i = 0; i < 254; ++i)
        wide += "é";
    store.WriteSetting("General", "Wide", wide);

    EXPECT_EQ(store.ReadSettingText("General", "Longest", "d"), longest);
    EXPECT_EQ(store.ReadSettingText("General", "TooLong", "d"), "d");
    EXPECT_EQ(store.ReadSettingLong("General", "Long300", 3), 3);
    EXPECT_EQ(store.ReadSettingText("General", "Wide", "d"), wide) << "254 characters, 508 bytes";
    EXPECT_TRUE(store.HasSetting("General", "TooLong"));
}

TEST_F(SettingsStoreTest, OnlyTheCurrentUserHiveHoldsValues)
{
    for (const int32_t root : {0, 2, 3, -1}) {
        EXPECT_FALSE(store.WriteSetting("General", "Key", 1, root)) << root;
        EXPECT_EQ(store.ReadSettingText("General", "Key", "d", root), "d") << root;
    }
    EXPECT_FALSE(std::filesystem::exists(store.File()));
    store.WriteSetting("General", "Key", 1);
    EXPECT_EQ(store.ReadSettingLong("General", "Key", 0, 0), 0);
    EXPECT_FALSE(store.HasSetting("General", "Key", 2));
    EXPECT_EQ(ReadSystemValue("HKEY_CURRENT_USER", "Control Panel\\Desktop", "ScreenSaveUsePassword"), "");
}

TEST_F(SettingsStoreTest, KeysAndSectionsMatchWithoutRegardToCase)
{
    store.WriteSetting("Advanced", "Adv_Value", "first");
    store.WriteSetting("ADVANCED", "adv_value", "second");
    EXPECT_EQ(store.ReadSettingText("advanced", "ADV_VALUE"), "second");
    const RegFile hive = RegFile::Parse(ReadBytes(store.File()));
    ASSERT_EQ(hive.Sections().size(), 1u);
    EXPECT_EQ(hive.Sections()[0].path, "SOFTWARE\\Orvex\\Lumora\\Advanced");
    EXPECT_EQ(hive.Sections()[0].values.at(0).name, "Adv_Value");
}

TEST_F(SettingsStoreTest, SectionNamesWithLineBreaksAreRefused)
{
    EXPECT_FALSE(store.WriteSetting("General\nInjected", "Key", 1));
    EXPECT_FALSE(store.WriteSetting("General", "Key", 1, kCurrentUserRoot, "Lumora\r"));
    EXPECT_TRUE(store.WriteSetting("General\\Main", "Key", 1));
    EXPECT_EQ(store.ReadSettingLong("General\\Main", "Key", 0), 1);
}

TEST_F(SettingsStoreTest, WritesTheGoldenFile)
{
    store.WriteSetting("General", "UseCountSaver", 12);
    store.WriteSetting("Lumora", "StarCount", 2500);
    store.WriteSetting("Lumora", "Gravity", -0.125f);
    store.WriteSetting("General\\Main", "WindowState", "0");
    store.WriteSetting("General\\Main", "WindowSize", "01200009000720005400");
    store.WriteSetting("Template", "Path_Dir", "/home/me/My Themes/[new]");
    store.WriteSetting("Video", "Note", "two\nlines, a \\ and a = sign");
    store.WriteSetting("Video", " =odd[key ", "\tx\t");
    store.WriteSetting("General", "UseCountSaver", 13);
    EXPECT_EQ(ReadBytes(store.File()), ReadBytes(ORVEX_SETTINGS_TEST_DATA "/golden.reg"));
}

TEST_F(SettingsStoreTest, ReadsAHandEditedFile)
{
    WriteBytes(store.File(), ReadBytes(ORVEX_SETTINGS_TEST_DATA "/handedited.reg"));
    EXPECT_EQ(store.ReadSettingLong("Lumora", "StarCount", 0), 3000);
    EXPECT_EQ(store.ReadSettingSingle("Lumora", "Gravity", 0), 0.75f);
    EXPECT_EQ(store.ReadSettingText("Lumora", "Title"), "Night [sky] = blue");
    EXPECT_EQ(store.ReadSettingText("Lumora", "Padded"), " both ends ");
    EXPECT_EQ(store.ReadSettingText("Advanced", "Adv_Path"), "C:\\Themes");
    EXPECT_FALSE(store.HasSetting("Lumora", "Inline")) << "a key is found only at the start of a line";
    EXPECT_FALSE(store.HasSetting("Lumora", "Orphan")) << "the section ended at the broken section line";
    EXPECT_FALSE(store.HasSetting("Advanced", "StarCount"));
}

TEST_F(SettingsStoreTest, CheckSettingsWritableProbesTheFile)
{
    EXPECT_TRUE(store.CheckSettingsWritable());
    EXPECT_EQ(store.ReadSettingText("General", "TestRegWrite"), "1");
    EXPECT_EQ(kSettingsReadOnlyTitle, "Orvex Lumora");
    EXPECT_TRUE(kSettingsReadOnlyMessage.starts_with("The Registry is read-only.\r\n\r\nThe Property"));
}

TEST_F(SettingsStoreTest, ReadOnlyFolderOrFileFailsWithoutTouchingTheFile)
{
    using std::filesystem::perms;
    struct Case {
        perms folder, file;
    };
    store.WriteSetting("General", "TestRegWrite", 1);
    store.WriteSetting("Lumora", "StarCount", 100);
    const std::string before = ReadBytes(store.File());
    const std::filesystem::path folder = store.File().parent_path();
    std::filesystem::permissions(config.Folder(), perms(0755));
    std::filesystem::permissions(store.File().string() + ".lock", perms(0666));

    for (const Case &c : {Case{perms(0555), perms(0644)}, Case{perms(0777), perms(0444)}}) {
        std::filesystem::permissions(folder, c.folder);
        std::filesystem::permissions(store.File(), c.file);
        const bool succeeded = InChild([&] {
            // root ignores permissions: drop to an ordinary user first
            if (::geteuid() == 0) {
                const passwd *nobody = ::getpwnam("nobody");
                if (!nobody || ::setgid(nobody->pw_gid) != 0 || ::setuid(nobody->pw_uid) != 0)
                    return false;
            }
            SettingsStore readOnly(store.File());
            return !readOnly.WriteSetting("Lumora", "StarCount", 200) && !readOnly.CheckSettingsWritable()
                   && readOnly.ReadSettingLong("Lumora", "StarCount", 0) == 100;
        });
        std::filesystem::permissions(folder, perms::owner_all);
        EXPECT_TRUE(succeeded) << std::oct << int(c.folder) << ' ' << int(c.file);
        EXPECT_EQ(ReadBytes(store.File()), before);
    }
}

TEST_F(SettingsStoreTest, FailedWriteLeavesTheOldFileAndNoTemporary)
{
    store.WriteSetting("Lumora", "StarCount", 100);
    const std::string before = ReadBytes(store.File());

    const bool succeeded = InChild([&] {
        // the new file cannot grow past the old one's size: the write fails half-way
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit {before.size(), before.size()};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return false;
        return !store.WriteSetting("Lumora", "Title", std::string(4000, 't'));
    });
    EXPECT_TRUE(succeeded);
    EXPECT_EQ(ReadBytes(store.File()), before);
    for (const auto &name : FilesBeside())
        EXPECT_TRUE(name == "Lumora.reg" || name == "Lumora.reg.lock") << name;
}

TEST_F(SettingsStoreTest, TwoProcessesWritingAtOnceLoseNothing)
{
    constexpr int kWrites = 120;
    const auto writer = [&](std::string prefix) {
        return StartChild([&store = store, prefix] {
            SettingsStore own(store.File());
            bool ok = true;
            for (int i = 0; i < kWrites; ++i)
                ok = own.WriteSetting("CycleProps", prefix + std::to_string(i), i) && ok;
            return ok;
        });
    };
    const pid_t first = writer("A_");
    const pid_t second = writer("B_");

    // Meanwhile every read must see a whole file, never a half-written one.
    int torn = 0;
    for (int i = 0; i < 300; ++i)
        torn += RegFile::Parse(ReadBytes(store.File())).Status() != RegFile::Health::Clean;
    EXPECT_TRUE(ChildSucceeded(first));
    EXPECT_TRUE(ChildSucceeded(second));
    EXPECT_EQ(torn, 0);
    for (int i = 0; i < kWrites; ++i) {
        EXPECT_EQ(store.ReadSettingLong("CycleProps", "A_" + std::to_string(i), -1), i);
        EXPECT_EQ(store.ReadSettingLong("CycleProps", "B_" + std::to_string(i), -1), i);
    }
}

TEST_F(SettingsStoreTest, FileWithNulBytesReadsAsDefaultsAndIsKeptBeforeTheFirstWrite)
{
    const std::string garbage("[SOFTWARE\\Orvex\\Lumora\\Lumora]\nStarCount=5\n\0\0\0\0", 40);
    WriteBytes(store.File(), garbage);
    EXPECT_EQ(store.ReadSettingLong("Lumora", "StarCount", 42), 42);

    ASSERT_TRUE(store.WriteSetting("Lumora", "Gravity", 1));
    ASSERT_EQ(DamagedCopies(), 1u);
    for (const auto &name : FilesBeside()) {
        if (name.string().starts_with("Lumora.reg.damaged-")) {
            EXPECT_EQ(ReadBytes(store.File().parent_path() / name), garbage);
        }
    }
    EXPECT_FALSE(store.HasSetting("Lumora", "StarCount"));
    EXPECT_EQ(store.ReadSettingLong("Lumora", "Gravity", 0), 1);

    store.WriteSetting("Lumora", "Gravity", 2);
    EXPECT_EQ(DamagedCopies(), 1u) << "the rewritten file is clean";
}

TEST_F(SettingsStoreTest, StrayLinesAreSkippedAndKeptBeforeTheFirstWrite)
{
    WriteBytes(store.File(), "[SOFTWARE\\Orvex\\Lumora\\Lumora]\nStarCount=5\nthis line has no sign\n");
    EXPECT_EQ(store.ReadSettingLong("Lumora", "StarCount", 0), 5);
    ASSERT_TRUE(store.WriteSetting("Lumora", "Gravity", 1));
    EXPECT_EQ(DamagedCopies(), 1u);
    EXPECT_EQ(store.ReadSettingLong("Lumora", "StarCount", 0), 5);
}

// A FIFO stands in for a device such as /dev/null: in the file's place, or at the end of
// a link to it. Nothing is written over it, and no lock or copy is put beside it.
TEST_F(SettingsStoreTest, SomethingOtherThanAFileReadsAsDefaultsWithoutBlocking)
{
    const std::filesystem::path devices = config.Folder() / "devices";
    std::filesystem::create_directories(devices);
    std::filesystem::create_directories(store.File().parent_path());
    for (const bool throughALink : {false, true}) {
        const std::filesystem::path fifo = throughALink ? devices / "fifo" : store.File();
        ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
        if (throughALink)
            std::filesystem::create_symlink(fifo, store.File());

        EXPECT_EQ(store.ReadSettingLong("General", "Key", 8), 8) << throughALink;
        EXPECT_FALSE(store.WriteSetting("General", "Key", 3)) << throughALink;
        EXPECT_FALSE(store.CheckSettingsWritable()) << throughALink;
        EXPECT_EQ(store.ReadSettingLong("General", "Key", 8), 8) << throughALink;
        EXPECT_EQ(std::filesystem::symlink_status(fifo).type(), std::filesystem::file_type::fifo) << throughALink;
        EXPECT_EQ(FilesBeside(), std::vector<std::filesystem::path>{"Lumora.reg"}) << throughALink;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(devices), {}), throughALink ? 1 : 0);
        std::filesystem::remove(store.File());
        std::filesystem::remove(fifo);
    }
}

TEST_F(SettingsStoreTest, WritingThroughASymbolicLinkKeepsTheLink)
{
    const std::filesystem::path target = config.Folder() / "dotfiles" / "Lumora.reg";
    WriteBytes(target, "");
    std::filesystem::create_directories(store.File().parent_path());
    std::filesystem::create_symlink(target, store.File());
    ASSERT_TRUE(store.WriteSetting("General", "Key", 3));
    EXPECT_TRUE(std::filesystem::is_symlink(store.File()));
    EXPECT_EQ(SettingsStore(target).ReadSettingLong("General", "Key", 0), 3);
}

// A link whose file does not exist yet (a dotfiles folder checked out without it) stays a
// link and the file is created at its end, relative links read from the link's folder.
// Without the target's folder there is nowhere to write: nothing is created.
TEST_F(SettingsStoreTest, ADanglingLinkStaysALinkAndItsFileIsCreated)
{
    const std::filesystem::path target = config.Folder() / "dotfiles" / "Lumora.reg";
    std::filesystem::create_directories(target.parent_path());
    std::filesystem::create_directories(store.File().parent_path());
    std::filesystem::create_symlink("../dotfiles/Lumora.reg", store.File());
    ASSERT_TRUE(store.WriteSetting("General", "Key", 3));
    EXPECT_TRUE(std::filesystem::is_symlink(store.File()));
    EXPECT_EQ(SettingsStore(target).ReadSettingLong("General", "Key", 0), 3);
    EXPECT_EQ(store.ReadSettingLong("General", "Key", 0), 3);

    std::filesystem::remove(store.File());
    std::filesystem::create_symlink(config.Folder() / "missing" / "Lumora.reg", store.File());
    EXPECT_FALSE(store.WriteSetting("General", "Key", 4));
    EXPECT_TRUE(std::filesystem::is_symlink(store.File()));
    EXPECT_FALSE(std::filesystem::exists(config.Folder() / "missing"));
}

// Line ends as an old Mac editor or a careless converter leaves them.
TEST_F(SettingsStoreTest, CarriageReturnLineEndsKeepTheirValues)
{
    store.WriteSetting("Lumora", "StarCount", 2500);
    store.WriteSetting("General", "UseCountSaver", 12);
    std::string bytes = ReadBytes(store.File());
    std::replace(bytes.begin(), bytes.end(), '\n', '\r');
    WriteBytes(store.File(), bytes);

    EXPECT_EQ(store.ReadSettingLong("Lumora", "StarCount", 0), 2500);
    ASSERT_TRUE(store.WriteSetting("General", "UseCountSaver", 13));
    EXPECT_EQ(store.ReadSettingLong("Lumora", "StarCount", 0), 2500) << "the first write keeps the values";
    EXPECT_EQ(store.ReadSettingLong("General", "UseCountSaver", 0), 13);
    EXPECT_EQ(DamagedCopies(), 0u) << "the file was read completely";
}

// A damaged file that cannot be replaced (here: no room for the new file) is copied once,
// however often writes fail; a different damaged content gets a copy of its own.
TEST_F(SettingsStoreTest, FailingWritesOverADamagedFileKeepOneCopyPerContent)
{
    const std::string damaged = "[SOFTWARE\\Orvex\\Lumora\\Lumora]\nStarCount=5\nno sign here\n";
    const auto replaceWith = [&](const std::string &bytes) {
        // a new inode, as an editor saving through a temporary leaves it
        WriteBytes(store.File().string() + ".new", bytes);
        std::filesystem::rename(store.File().string() + ".new", store.File());
    };
    const auto writesFail = [&] {
        return InChild([&] {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit {rlim_t(damaged.size() + 16), rlim_t(damaged.size() + 16)};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                return false;
            bool anyWritten = false;
            for (int i = 0; i < 20; ++i)
                anyWritten = store.WriteSetting("Lumora", "Title", std::string(100, 't')) || anyWritten;
            return !anyWritten;
        });
    };
    replaceWith(damaged);
    ASSERT_TRUE(writesFail());
    EXPECT_EQ(DamagedCopies(), 1u);
    replaceWith(damaged);
    ASSERT_TRUE(writesFail());
    EXPECT_EQ(DamagedCopies(), 1u) << "the same bytes are already kept";
    replaceWith(damaged + "another stray\n");
    ASSERT_TRUE(writesFail());
    EXPECT_EQ(DamagedCopies(), 2u);
    EXPECT_EQ(store.ReadSettingLong("Lumora", "StarCount", 0), 5);
}

// The saver's own start-up writes give way to a lock held by a stopped process at once,
// instead of waiting five seconds for it.
TEST_F(SettingsStoreTest, AWriteThatMustNotWaitIsSkippedWhileTheLockIsHeld)
{
    ASSERT_TRUE(store.WriteSetting("General", "UseCountSaver", 1));
    {
        const FileLock held(store.File().string() + ".lock");
        ASSERT_TRUE(held.Held());
        const auto start = std::chrono::steady_clock::now();
        EXPECT_FALSE(store.WriteSettingIfUnlocked("General", "UseCountSaver", 2));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
        EXPECT_EQ(store.ReadSettingLong("General", "UseCountSaver", 0), 1);
    }
    EXPECT_TRUE(store.WriteSettingIfUnlocked("General", "UseCountSaver", 3));
    EXPECT_EQ(store.ReadSettingLong("General", "UseCountSaver", 0), 3);
}

// A runaway line (a 10 MB value from a bad template) is not read, not kept in memory and
// not written back: the first write drops it, keeping a copy, and nothing writes one again.
TEST_F(SettingsStoreTest, LinesTooLongToReadAreDroppedAndNeverWritten)
{
    const std::string huge(10 * 1024 * 1024, '7');
    WriteBytes(store.File(), "[SOFTWARE\\Orvex\\Lumora\\Lumora]\nStars=" + huge + "\nSpeed=12\n");
    EXPECT_FALSE(store.HasSetting("Lumora", "Stars"));
    EXPECT_EQ(store.ReadSettingLong("Lumora", "Speed", 0), 12);

    EXPECT_FALSE(store.WriteSetting("Lumora", "Title", std::string(RegFile::kMaxLineLength, 't')));
    ASSERT_TRUE(store.WriteSetting("Lumora", "Title", std::string(300, 't')));
    EXPECT_LT(std::filesystem::file_size(store.File()), 1024u);
    EXPECT_EQ(DamagedCopies(), 1u);
    EXPECT_EQ(store.ReadSettingLong("Lumora", "Speed", 0), 12);
}

// Reads parse the file once and then only stat it. The file is edited in place here with
// its size and (old) modification time kept, which only a re-read could notice; moving
// the time by one nanosecond must be noticed.
TEST_F(SettingsStoreTest, ReadsParseAnUnchangedFileOnce)
{
    std::string bytes = "[SOFTWARE\\Orvex\\Lumora\\Lumora]\nStars=1111\n";
    for (int i = 0; bytes.size() < 1024 * 1024; ++i)
        bytes += "Filler" + std::to_string(i) + "=" + std::string(100, 'f') + "\n";
    const auto writeInPlace = [&](const std::string &stars, long nanoseconds) {
        bytes.replace(bytes.find("Stars=") + 6, 4, stars);
        WriteBytes(store.File(), bytes);
        const timespec times[2] = {{0, UTIME_OMIT}, {1'600'000'000, nanoseconds}};
        ASSERT_EQ(::utimensat(AT_FDCWD, store.File().c_str(), times, 0), 0);
    };
    writeInPlace("1111", 123);
    EXPECT_EQ(store.ReadSettingLong("Lumora", "Stars", 0), 1111);
    writeInPlace("2222", 123);
    int stale = 0;
    for (int i = 0; i < 100; ++i)
        stale += store.ReadSettingLong("Lumora", "Stars", 0) == 1111;
    EXPECT_EQ(stale, 100);
    writeInPlace("2222", 124);
    EXPECT_EQ(store.ReadSettingLong("Lumora", "Stars", 0), 2222);
    EXPECT_EQ(SettingsStore(store.File()).ReadSettingLong("Lumora", "Stars", 0), 2222);
}

// Temporaries of writes killed half-way would otherwise stay beside the file for good;
// look-alikes of other files or names stay.
TEST_F(SettingsStoreTest, AWriteRemovesTemporariesOfKilledWrites)
{
    store.WriteSetting("Lumora", "Stars", 1);
    const std::filesystem::path folder = store.File().parent_path();
    for (const char *name : {"Lumora.reg.tmp-a1B2c3", "Lumora.reg.tmp-Zz9yY8", "Lumora.reg.tmp-keep-me",
                             "Lumora.reg.tmp-x", "Other.reg.tmp-a1B2c3"})
        WriteBytes(folder / name, ReadBytes(store.File()));
    ASSERT_TRUE(store.WriteSetting("Lumora", "Stars", 2));
    std::vector<std::filesystem::path> files = FilesBeside();
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::filesystem::path>{"Lumora.reg", "Lumora.reg.lock", "Lumora.reg.tmp-keep-me",
                                                         "Lumora.reg.tmp-x", "Other.reg.tmp-a1B2c3"}));
}

TEST(FileLockTest, ASecondHolderGivesUpAfterItsPatienceAndKnowsWhy)
{
    TempConfig config;
    const std::filesystem::path lockFile = config.Folder() / "x.lock";
    const FileLock first(lockFile);
    ASSERT_TRUE(first.Held());
    EXPECT_FALSE(first.HeldElsewhere());
    const FileLock second(lockFile, std::chrono::milliseconds(20));
    EXPECT_FALSE(second.Held());
    EXPECT_TRUE(second.HeldElsewhere());
    // A lock file out of reach is held by nobody.
    const FileLock unreachable(config.Folder() / "missing" / "x.lock", std::chrono::milliseconds(0));
    EXPECT_FALSE(unreachable.Held());
    EXPECT_FALSE(unreachable.HeldElsewhere());
}

TEST(ClampTest, UpperBoundFirstLowerBoundLast)
{
    struct Case {
        int32_t value, low, high, expected;
    };
    for (const Case &c : std::vector<Case>{{5, 10, 1, 10}, {0, 10, 1, 10}, {20, 10, 1, 1},
                                           {5, 1, 10, 5}, {-5, 1, 10, 1}, {50, 1, 10, 10}}) {
        EXPECT_EQ(ClampLong(c.value, c.low, c.high), c.expected) << c.value << ' ' << c.low << ' ' << c.high;
        EXPECT_EQ(ClampSingle(float(c.value), float(c.low), float(c.high)), float(c.expected));
    }
    EXPECT_EQ(ClampSingle(std::nanf(""), -2.0f, 3.0f), -2.0f);
}

TEST_F(SettingsStoreTest, BatchedWritesAreSeenAtOnceAndStoredTogetherWithoutLosingOthers)
{
    store.WriteSetting("Lumora", "Stars", 100);
    SettingsStore other(store.File());
    {
        const SettingsBatch batch(store);
        store.WriteSetting("Lumora", "Stars", 200);
        store.WriteSetting("GenColor", "HWC_ConeTwist", -30);
        EXPECT_EQ(store.ReadSettingLong("Lumora", "Stars", 0), 200) << "the batch's own reads see its writes";
        EXPECT_TRUE(store.HasSetting("GenColor", "HWC_ConeTwist"));
        EXPECT_EQ(other.ReadSettingLong("Lumora", "Stars", 0), 100) << "nothing reaches the file before the end";
        other.WriteSetting("Advanced", "Adv_TimeDelay", 25); // another process meanwhile
        EXPECT_TRUE(store.CheckSettingsWritable()) << "the probe tests the file, not the batch";
    }
    EXPECT_EQ(other.ReadSettingLong("Lumora", "Stars", 0), 200);
    EXPECT_EQ(other.ReadSettingLong("GenColor", "HWC_ConeTwist", 0), -30);
    EXPECT_EQ(other.ReadSettingLong("Advanced", "Adv_TimeDelay", 0), 25) << "the commit re-reads the file";
    store.WriteSetting("Lumora", "Stars", 300);
    EXPECT_EQ(other.ReadSettingLong("Lumora", "Stars", 0), 300) << "after the batch, writes go straight through";
}

} // namespace
} // namespace orvex
