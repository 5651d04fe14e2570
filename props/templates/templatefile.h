// SPDX-License-Identifier: MIT
#pragma once
// Reading and writing template files (".lmr"): the current template path, the cached
// text of the template being read, and the template being written. A template being
// written is kept in memory and replaces the file only when complete, so a failed save
// never destroys the previous file.

#include "settingsstore.h"
#include "templatetext.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace orvex {

// The section only templates have: who wrote the file.
inline constexpr std::string_view kSectionAdmin = "Admin";

// Whether a file can be loaded as a template.
enum class TemplateCheck {
    Usable,
    Unreadable,        // missing, a folder, or not readable
    NoTemplateSections // readable, but holds none of the sections a template has
};

class TemplateFile {
public:
    const std::filesystem::path &CurrentPath() const { return currentPath_; }
    void SetCurrentPath(std::filesystem::path path) { currentPath_ = std::move(path); }

    // The value's text, or the default's text when the file, the section or the key is
    // missing. An empty path means the current template. The file is read once and kept
    // until ClearCache (or until another file is read).
    std::string ReadTemplateValue(std::string_view section, std::string_view key,
                                  const SettingValue &defaultValue, const std::filesystem::path &path = {});

    // Appends "Key=Value" to the template being written, preceded by a blank line and the
    // section header whenever the section changes. The first write starts a template for
    // path (empty: the current template). Line breaks inside a value become spaces: a
    // value is one line.
    void WriteTemplateValue(std::string_view section, std::string_view key, const SettingValue &value,
                            const std::filesystem::path &path = {});

    // Replaces the file with the template written since the first WriteTemplateValue;
    // false, with the old file untouched, when it cannot be written or nothing was written.
    bool FinishWriting();

    void ClearCache() { cache_.reset(); }

    // Reads path (keeping it as the cached template) and says whether it is a template.
    TemplateCheck CheckTemplate(const std::filesystem::path &path);

private:
    struct Cache {
        std::filesystem::path path;
        TemplateText text;
        bool readable;
    };

    const Cache &CacheOf(const std::filesystem::path &file);
    struct Output {
        std::filesystem::path path;
        std::string text;
        std::string lastSection;
    };

    const std::filesystem::path &Resolve(const std::filesystem::path &path) const;

    std::filesystem::path currentPath_;
    std::optional<Cache> cache_;
    std::optional<Output> output_;
};

} // namespace orvex
