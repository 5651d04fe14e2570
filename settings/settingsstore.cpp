// SPDX-License-Identifier: MIT
#include "settingsstore.h"

#include "filelock.h"
#include "numbertext.h"
#include "regfile.h"
#include "safefile.h"

#include <cmath>
#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <unistd.h>

namespace orvex {

const std::string_view kSettingsReadOnlyTitle = "Orvex Lumora";
const std::string_view kSettingsReadOnlyMessage =
    "The Registry is read-only.\r\n\r\n"
    "The Property settings cannot be saved.\r\n"
    "You must change your Windows User Privileges so that programs \r\n"
    "can write to the Registry.  See your System Administrator for assistance.";

namespace {

std::string KeyPath(std::string_view application, std::string_view section)
{
    return "SOFTWARE\\Orvex\\" + std::string(application) + "\\" + std::string(section);
}

// Key names, like registry key names, hold printable characters only: a line break
// would split the section line.
bool IsPrintable(std::string_view name)
{
    for (const char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return true;
}

// Characters, not bytes: a UTF-8 continuation byte does not start a character.
size_t CharacterCount(std::string_view text)
{
    size_t count = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    return count;
}

std::filesystem::path HomeFolder()
{
    if (const char *home = std::getenv("HOME"); home && *home)
        return home;
    const passwd *entry = ::getpwuid(::getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "/";
}

std::filesystem::path ConfigFolder()
{
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG base directory rules say.
    const char *config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config && std::filesystem::path(config).is_absolute())
        return config;
    return HomeFolder() / ".config";
}

RegFile ParsedContents(const FileContents &contents)
{
    return RegFile::Parse(contents.status == FileContents::Status::Read ? contents.bytes : std::string());
}

// A file that exists but did not parse cleanly is kept under another name before it is
// replaced, so nothing the parser left out is lost for good. One copy per damaged
// content: failing writes over the same damaged file do not pile up copies.
bool KeepIfDamaged(const std::filesystem::path &file, const FileContents &contents, const RegFile &hive)
{
    const bool damaged = contents.status == FileContents::Status::Unreadable || hive.Status() != RegFile::Health::Clean;
    return !damaged || KeepCopyBeside(file, "damaged");
}

std::optional<float> StoredSingle(std::string_view text)
{
    return WholeNumberSingle(WithDecimalPoint(text));
}

} // namespace

struct SettingsStore::Snapshot {
    std::optional<FileStamp> stamp; // none: missing, not a file, or changing while read
    RegFile hive;
};

bool ReadsBackAsStored(std::string_view text)
{
    return CharacterCount(Trim(text)) <= kMaxSettingTextLength;
}

std::string SettingValue::ToText() const
{
    struct Formatter {
        std::string operator()(int32_t v) const { return std::to_string(v); }
        std::string operator()(float v) const { return FormatDecimal(v); }
        std::string operator()(const std::string &v) const { return v; }
    };
    return std::visit(Formatter{}, value_);
}

std::filesystem::path SettingsStore::DefaultPath()
{
    return ConfigFolder() / "Orvex" / "Lumora.reg";
}

SettingsStore::SettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

SettingsStore::~SettingsStore() = default;

// 1. lock, 2. clear away killed writers' temporaries, 3. re-read, 4. keep a damaged file,
// 5. change the values, 6. replace atomically. A symbolic link is followed to a regular
// file (or to a missing one in an existing folder); anything else (a device, FIFO,
// socket or folder) is neither replaced nor given a lock file beside it.
template <typename Change>
bool SettingsStore::Update(Change &&change, std::chrono::milliseconds patience)
{
    std::error_code error;
    if (file_.has_parent_path())
        std::filesystem::create_directories(file_.parent_path(), error);
    const std::optional<std::filesystem::path> file = ReplaceableTarget(file_);
    if (error || !file)
        return false;
    const FileLock lock(file->string() + ".lock", patience);
    if (!lock.Held())
        return false;
    RemoveStaleTemporaries(*file);
    const FileContents contents = ReadWholeFile(*file);
    if (contents.status == FileContents::Status::NotAFile)
        return false;
    RegFile hive = ParsedContents(contents);
    if (!KeepIfDamaged(*file, contents, hive))
        return false;
    change(hive);
    if (!ReplaceFile(*file, hive.Serialise(), NewFileAccess::Private))
        return false;
    // Still under the lock: the stamp is the one of the version just written.
    Remember(StampOf(*file), std::move(hive));
    return true;
}

bool SettingsStore::Write(std::string_view section, std::string_view key, const SettingValue &value,
                          int32_t rootSelector, std::string_view application, std::chrono::milliseconds patience)
{
    if (rootSelector != kCurrentUserRoot || !IsPrintable(section) || !IsPrintable(application))
        return false;
    const std::string path = KeyPath(application, section);
    std::string text(Trim(value.ToText()));
    // A line the parser would drop as damage would lose the value at the next write.
    if (!RegFile::FitsOnALine(key, text))
        return false;
    if (pending_) {
        pending_->Set(path, key, std::move(text));
        return true;
    }
    return Update([&](RegFile &hive) { hive.Set(path, key, std::move(text)); }, patience);
}

bool SettingsStore::WriteSetting(std::string_view section, std::string_view key, const SettingValue &value,
                                 int32_t rootSelector, std::string_view application)
{
    return Write(section, key, value, rootSelector, application, kLockPatience);
}

bool SettingsStore::WriteSettingIfUnlocked(std::string_view section, std::string_view key, const SettingValue &value)
{
    return Write(section, key, value, kCurrentUserRoot, kApplication, std::chrono::milliseconds(0));
}

void SettingsStore::BeginBatch()
{
    if (!pending_)
        pending_ = std::make_unique<RegFile>();
}

bool SettingsStore::CommitBatch()
{
    if (!pending_)
        return true;
    const std::unique_ptr<RegFile> batch = std::move(pending_);
    return Update(
        [&](RegFile &hive) {
            for (const RegSection &section : batch->Sections())
                for (const RegValue &value : section.values)
                    hive.Set(section.path, value.name, value.text);
        },
        kLockPatience);
}

const RegFile &SettingsStore::Hive() const
{
    // A stat per read instead of a parse: other writers replace the file (a new inode)
    // or edit it in place (a new size or modification time), and either is seen.
    const std::optional<FileStamp> stamp = StampOf(file_);
    if (!snapshot_ || !stamp || snapshot_->stamp != stamp) {
        const FileContents contents = ReadWholeFile(file_);
        Remember(contents.stamp, ParsedContents(contents));
    }
    return snapshot_->hive;
}

// A version too young to be told from an edit in the same clock tick is read again
// next time; a stamp that is not kept matches no file.
void SettingsStore::Remember(const std::optional<FileStamp> &stamp, RegFile hive) const
{
    const bool settled = stamp && IsSettled(*stamp);
    snapshot_ = std::make_unique<Snapshot>(Snapshot{settled ? stamp : std::nullopt, std::move(hive)});
}

std::optional<std::string> SettingsStore::StoredText(std::string_view section, std::string_view key,
                                                     int32_t rootSelector, std::string_view application) const
{
    if (rootSelector != kCurrentUserRoot)
        return std::nullopt;
    const std::string path = KeyPath(application, section);
    const std::string *text = pending_ ? pending_->Find(path, key) : nullptr;
    if (!text)
        text = Hive().Find(path, key);
    if (!text || CharacterCount(*text) > kMaxSettingTextLength)
        return std::nullopt;
    return *text;
}

std::string SettingsStore::ReadSettingText(std::string_view section, std::string_view key,
                                           const SettingValue &defaultValue, int32_t rootSelector,
                                           std::string_view application) const
{
    std::optional<std::string> text = StoredText(section, key, rootSelector, application);
    return text ? std::move(*text) : defaultValue.ToText();
}

int32_t SettingsStore::ReadSettingLong(std::string_view section, std::string_view key, int32_t defaultValue,
                                       int32_t rootSelector, std::string_view application) const
{
    const std::optional<std::string> text = StoredText(section, key, rootSelector, application);
    const std::optional<double> number = text ? WholeNumber(WithDecimalPoint(*text)) : std::nullopt;
    return number ? RoundHalfEven(*number) : defaultValue;
}

float SettingsStore::ReadSettingSingle(std::string_view section, std::string_view key,
                                       const SettingValue &defaultValue, int32_t rootSelector,
                                       std::string_view application) const
{
    const std::optional<std::string> text = StoredText(section, key, rootSelector, application);
    const std::optional<float> number = text ? StoredSingle(*text) : std::nullopt;
    return number ? *number : StoredSingle(defaultValue.ToText()).value_or(0.0f);
}

bool SettingsStore::HasSetting(std::string_view section, std::string_view key, int32_t rootSelector,
                               std::string_view application) const
{
    if (rootSelector != kCurrentUserRoot)
        return false;
    const std::string path = KeyPath(application, section);
    if (pending_ && pending_->Find(path, key))
        return true;
    return Hive().Find(path, key) != nullptr;
}

// A failed write must count even when an earlier run left "1" behind.
bool SettingsStore::CheckSettingsWritable()
{
    // The probe goes to the file itself, even while a batch is open.
    const std::string path = KeyPath(kApplication, "General");
    const bool written = Update([&](RegFile &hive) { hive.Set(path, "TestRegWrite", "1"); }, kLockPatience);
    const std::string *probe = Hive().Find(path, "TestRegWrite");
    return written && probe != nullptr && *probe == "1";
}

std::string ReadSystemValue(std::string_view, std::string_view, std::string_view)
{
    return std::string();
}

int32_t ClampLong(int32_t value, int32_t low, int32_t high)
{
    if (value < low)
        return low;
    return value > high ? high : value;
}

// NaN compares false with both bounds; it becomes the lower bound so that no caller
// passes it on to the engine.
float ClampSingle(float value, float low, float high)
{
    if (value < low || std::isnan(value))
        return low;
    return value > high ? high : value;
}

} // namespace orvex
