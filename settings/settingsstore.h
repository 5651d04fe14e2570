// SPDX-License-Identifier: MIT
#pragma once
// The per-user settings store: one text file holding the current-user hive, a section
// per key path below the hive root ("[SOFTWARE\Orvex\Lumora\Advanced]") and one
// "Name=Text" line per value. Every read sees the latest write of any process; every
// write is locked, re-reads the file and replaces it atomically.
//
// A store keeps the file it last parsed and parses again only when the file's stamp
// (inode, size, modification time) changed, so reading many values costs one parse. It
// is used from one thread at a time.

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace orvex {

inline constexpr int32_t kCurrentUserRoot = 1;
inline constexpr std::string_view kApplication = "Lumora";

// The longest text, in characters, a stored value may hold and still be read; longer
// values read as the default.
inline constexpr size_t kMaxSettingTextLength = 254;

// Any scalar a caller stores or passes as a default: integers in plain decimal,
// reals as their shortest round-trip text with a point, text as it is.
class SettingValue {
public:
    SettingValue() : value_(std::string()) {}
    SettingValue(int32_t v) : value_(v) {}
    SettingValue(bool v) : value_(int32_t(v ? 1 : 0)) {}
    SettingValue(float v) : value_(v) {}
    SettingValue(double v) : value_(static_cast<float>(v)) {}
    SettingValue(const char *v) : value_(std::string(v)) {}
    SettingValue(std::string_view v) : value_(std::string(v)) {}
    SettingValue(std::string v) : value_(std::move(v)) {}

    std::string ToText() const;

private:
    std::variant<int32_t, float, std::string> value_;
};

class RegFile;
struct FileStamp;

class SettingsStore {
public:
    // $XDG_CONFIG_HOME/Orvex/Lumora.reg, or ~/.config/Orvex/Lumora.reg when unset.
    static std::filesystem::path DefaultPath();

    explicit SettingsStore(std::filesystem::path file = DefaultPath());
    ~SettingsStore();
    SettingsStore(const SettingsStore &) = delete;
    SettingsStore &operator=(const SettingsStore &) = delete;

    const std::filesystem::path &File() const { return file_; }

    // Stores the value's text, trimmed; false when the file cannot be written
    // (the old file is then left as it was), rootSelector is not the current user, or
    // the text is too long for its line to be read back (over 64 KiB).
    bool WriteSetting(std::string_view section, std::string_view key, const SettingValue &value,
                      int32_t rootSelector = kCurrentUserRoot, std::string_view application = kApplication);

    // WriteSetting without waiting: false, with nothing written, while another writer
    // holds the lock. For the bookkeeping the saver writes for itself (at start-up, for
    // the capture rotation), which must not hold up a frame when a stopped process holds
    // the lock.
    bool WriteSettingIfUnlocked(std::string_view section, std::string_view key, const SettingValue &value);

    // The stored text, or the default's text when absent, unreadable or over 254 characters.
    std::string ReadSettingText(std::string_view section, std::string_view key,
                                const SettingValue &defaultValue = SettingValue(),
                                int32_t rootSelector = kCurrentUserRoot,
                                std::string_view application = kApplication) const;

    // Numeric text rounded halves to even; non-numeric or empty text gives the default.
    int32_t ReadSettingLong(std::string_view section, std::string_view key, int32_t defaultValue,
                            int32_t rootSelector = kCurrentUserRoot,
                            std::string_view application = kApplication) const;

    // Numeric text (point or the locale's comma) as float32; otherwise the default.
    float ReadSettingSingle(std::string_view section, std::string_view key, const SettingValue &defaultValue,
                            int32_t rootSelector = kCurrentUserRoot,
                            std::string_view application = kApplication) const;

    // Whether the value exists at all (markers such as ResetSettings test presence).
    bool HasSetting(std::string_view section, std::string_view key,
                    int32_t rootSelector = kCurrentUserRoot, std::string_view application = kApplication) const;

    // Writes and reads back General\TestRegWrite; false when the store cannot be written.
    bool CheckSettingsWritable();

    // While a batch is open, writes are collected (and seen by the reads through this
    // store) and then stored together under one lock with one atomic replace, so a
    // template load costs one file write instead of one per value.
    void BeginBatch();
    // Stores the collected writes; false (with the file as it was) when that fails.
    bool CommitBatch();

private:
    friend class SettingsBatch;
    struct Snapshot;

    bool Write(std::string_view section, std::string_view key, const SettingValue &value, int32_t rootSelector,
               std::string_view application, std::chrono::milliseconds patience);

    // The stored text when it exists and is at most kMaxSettingTextLength characters long.
    std::optional<std::string> StoredText(std::string_view section, std::string_view key, int32_t rootSelector,
                                          std::string_view application) const;

    // The file as it is now, parsed again only when it changed since the last parse.
    const RegFile &Hive() const;
    // Keeps hive as the file's content while the file keeps the stamp, once the stamp is
    // settled (see IsSettled); until then every read parses the file again.
    void Remember(const std::optional<FileStamp> &stamp, RegFile hive) const;

    // Applies change to the hive under the lock (waiting at most patience for it) and
    // replaces the file atomically.
    template <typename Change>
    bool Update(Change &&change, std::chrono::milliseconds patience);

    std::filesystem::path file_;
    std::unique_ptr<RegFile> pending_; // the open batch's writes
    mutable std::unique_ptr<Snapshot> snapshot_; // the last version of the file parsed or written
};

// Whether the text, stored as a value, reads back as itself rather than as the default:
// at most kMaxSettingTextLength characters once trimmed.
bool ReadsBackAsStored(std::string_view text);

// Opens a batch on the store for its lifetime; the writes are stored when it ends.
class SettingsBatch {
public:
    explicit SettingsBatch(SettingsStore &store) : store_(store) { store_.BeginBatch(); }
    ~SettingsBatch() { store_.CommitBatch(); }
    SettingsBatch(const SettingsBatch &) = delete;
    SettingsBatch &operator=(const SettingsBatch &) = delete;

private:
    SettingsStore &store_;
};

// Other hives and system values have nothing on Linux: always empty text.
std::string ReadSystemValue(std::string_view root, std::string_view keyPath, std::string_view valueName);

// The upper bound is applied first and the lower bound last: a value below low gives low
// even when low > high.
int32_t ClampLong(int32_t value, int32_t low, int32_t high);
float ClampSingle(float value, float low, float high);

// Shown by the dialogs when CheckSettingsWritable fails.
extern const std::string_view kSettingsReadOnlyTitle;
extern const std::string_view kSettingsReadOnlyMessage;

} // namespace orvex
