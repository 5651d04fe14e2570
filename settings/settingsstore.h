#pragma once
// The per-user settings store: one text file holding the current-user hive, a section
// per key path below the hive root ("[SOFTWARE\Orvex\Lumora\Advanced]") and one
// "Name=Text" line per value. Every read sees the latest write of any process; every
// write is locked, re-reads the file and replaces it atomically.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace orvex {

inline constexpr int32_t kCurrentUserRoot = 1;
inline constexpr std::string_view kApplication = "Lumora";

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

class SettingsStore {
public:
    // $XDG_CONFIG_HOME/Orvex/Lumora.reg, or ~/.config/Orvex/Lumora.reg when unset.
    static std::filesystem::path DefaultPath();

    explicit SettingsStore(std::filesystem::path file = DefaultPath());

    const std::filesystem::path &File() const { return file_; }

    // Stores the value's text, trimmed; false when the file cannot be written
    // (the old file is then left as it was) or rootSelector is not the current user.
    bool WriteSetting(std::string_view section, std::string_view key, const SettingValue &value,
                      int32_t rootSelector = kCurrentUserRoot, std::string_view application = kApplication);

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

private:
    // The stored text when it exists and is at most 254 characters long.
    std::optional<std::string> StoredText(std::string_view section, std::string_view key, int32_t rootSelector,
                                          std::string_view application) const;

    std::filesystem::path file_;
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
