#pragma once
// The file-name rules of the template file dialog, apart from its widgets: the type
// filter, the messages, and the path a save goes to.

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

// Whether a file can be created beside path (tried with a scratch file, path + "0",
// which is removed again).
bool CanCreateFileAt(const std::filesystem::path &path);

} // namespace orvex
