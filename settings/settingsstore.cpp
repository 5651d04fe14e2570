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

// The longest text a value may hold and still be read; longer values read as the default.
constexpr size_t kMaxTextLength = 254;

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
// replaced, so nothing the parser left out is lost for good.
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

// 1. lock, 2. re-read, 3. keep a damaged file, 4. change the values, 5. replace atomically.
template <typename Change>
bool SettingsStore::Update(Change &&change)
{
    const std::filesystem::path file = FollowLinks(file_);
    std::error_code error;
    if (file.has_parent_path())
        std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        return false;
    const FileLock lock(file.string() + ".lock");
    if (!lock.Held())
        return false;
    const FileContents contents = ReadWholeFile(file);
    RegFile hive = ParsedContents(contents);
    if (!KeepIfDamaged(file, contents, hive))
        return false;
    change(hive);
    return ReplaceFile(file, hive.Serialise());
}

bool SettingsStore::WriteSetting(std::string_view section, std::string_view key, const SettingValue &value,
                                 int32_t rootSelector, std::string_view application)
{
    if (rootSelector != kCurrentUserRoot || !IsPrintable(section) || !IsPrintable(application))
        return false;
    const std::string path = KeyPath(application, section);
    std::string text(Trim(value.ToText()));
    if (pending_) {
        pending_->Set(path, key, std::move(text));
        return true;
    }
    return Update([&](RegFile &hive) { hive.Set(path, key, std::move(text)); });
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
    return Update([&](RegFile &hive) {
        for (const RegSection &section : batch->Sections())
            for (const RegValue &value : section.values)
                hive.Set(section.path, value.name, value.text);
    });
}

std::optional<std::string> SettingsStore::StoredText(std::string_view section, std::string_view key,
                                                     int32_t rootSelector, std::string_view application) const
{
    if (rootSelector != kCurrentUserRoot)
        return std::nullopt;
    const std::string path = KeyPath(application, section);
    const RegFile hive = ParsedContents(ReadWholeFile(file_));
    const std::string *text = pending_ ? pending_->Find(path, key) : nullptr;
    if (!text)
        text = hive.Find(path, key);
    if (!text || CharacterCount(*text) > kMaxTextLength)
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
    return ParsedContents(ReadWholeFile(file_)).Find(path, key) != nullptr;
}

// A failed write must count even when an earlier run left "1" behind.
bool SettingsStore::CheckSettingsWritable()
{
    // The probe goes to the file itself, even while a batch is open.
    const std::string path = KeyPath(kApplication, "General");
    const bool written = Update([&](RegFile &hive) { hive.Set(path, "TestRegWrite", "1"); });
    const RegFile hive = ParsedContents(ReadWholeFile(file_));
    const std::string *probe = hive.Find(path, "TestRegWrite");
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
