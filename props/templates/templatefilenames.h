// SPDX-License-Identifier: MIT
#pragma once
// The file-name rules of the template file dialog, apart from its widgets: the type
// filter, the messages, and the path a save goes to; and the settings keys that name the
// template files chosen for theme cycling.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

inline constexpr std::string_view kTemplateFilter = "Lumora Templates (*.lmr)|*.lmr|All Files (*.*)|*.*|";
inline constexpr std::string_view kTemplateDefaultExtension = "LMR";
inline constexpr std::string_view kOpenTemplateTitle = "Select Template to Open";
inline constexpr std::string_view kSaveTemplateTitle = "Enter or Select Template to Save";
inline constexpr std::string_view kSelectExistingFileMessage = "Please select an existing file.";
inline constexpr std::string_view kEnterFileNameMessage = "Please enter a file name.";
inline constexpr std::string_view kEnterValidPathMessage = "Please enter a valid path and file.";

// What the dialogs say when a template file cannot be opened or saved.
std::string TemplateUnreadableMessage(const std::filesystem::path &path);
std::string NotATemplateMessage(const std::filesystem::path &path);
std::string TemplateNotSavedMessage(const std::filesystem::path &path);

struct FileType {
    std::string description; // shown in the type list
    std::string pattern;     // applied to the file list
};

// "Description|pattern|Description|pattern|" as pairs; an unpaired last entry is dropped.
std::vector<FileType> SplitFilter(std::string_view filter);

// Whether fileName matches a file-list pattern of a type filter: '*' and '?' wildcards,
// several patterns separated by ';', letters compared without regard to case (templates
// are saved as "name.LMR" and Linux names are case-sensitive), "*.*" matching every name.
bool MatchesFilePattern(std::string_view fileName, std::string_view patterns);

// A template file's name: it ends in ".lmr" in any case.
bool IsTemplateFileName(std::string_view fileName);

// folder / name, with "." + defaultExtension appended when the file name has no "."
// (a dot in a folder name does not count); nothing when the name is blank.
std::optional<std::filesystem::path> TemplateSavePath(const std::filesystem::path &folder, std::string_view name,
                                                      std::string_view defaultExtension);

// Whether a save could put a file at path: nothing but a regular file (or a link to
// one) is in its place, and a scratch file of a unique name can be created beside it and
// removed again. No existing file is opened or removed.
bool CanCreateFileAt(const std::filesystem::path &path);

// What OK of the template file dialog makes of its folder and typed name: the file to
// open (mustExist) or save, or the message that sends the user back.
struct FileChoice {
    std::filesystem::path path;
    std::string_view message; // empty when path can be used
};

FileChoice ChooseTemplateFile(bool mustExist, const std::filesystem::path &folder, std::string_view name,
                              std::string_view defaultExtension);

// The settings key of the n-th template file chosen for theme cycling: "Adv_TempFile0000", ...
std::string TemplateFileKey(int32_t number);

} // namespace orvex
