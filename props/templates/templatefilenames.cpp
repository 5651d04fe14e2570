// SPDX-License-Identifier: MIT
#include "templatefilenames.h"

#include "numbertext.h"
#include "safefile.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace orvex {

std::string TemplateUnreadableMessage(const std::filesystem::path &path)
{
    return "The file\n" + path.string() + "\ncould not be read. Please check that you may read it.";
}

std::string NotATemplateMessage(const std::filesystem::path &path)
{
    return "The file\n" + path.string() + "\nis not an Orvex Lumora template. Please select a template file.";
}

std::string TemplateNotSavedMessage(const std::filesystem::path &path)
{
    return "The template could not be saved as\n" + path.string() +
           "\nPlease check that you may write to that folder and that the disk is not full. "
           "A file of that name saved earlier is unchanged.";
}

std::vector<FileType> SplitFilter(std::string_view filter)
{
    std::vector<std::string> parts;
    for (size_t bar = filter.find('|'); bar != std::string_view::npos; bar = filter.find('|')) {
        parts.emplace_back(filter.substr(0, bar));
        filter.remove_prefix(bar + 1);
    }
    if (!filter.empty())
        parts.emplace_back(filter);
    std::vector<FileType> types;
    for (size_t i = 0; i + 1 < parts.size(); i += 2)
        types.push_back({parts[i], parts[i + 1]});
    return types;
}

namespace {

bool SameLetter(char a, char b)
{
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool MatchesOnePattern(std::string_view name, std::string_view pattern)
{
    if (pattern == "*.*")
        return true;
    // Greedy wildcard match that backtracks only to the last '*'.
    size_t n = 0, p = 0, starP = std::string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == '?' || SameLetter(pattern[p], name[n]))) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == '*') {
            starP = p++;
            starN = n;
        } else if (starP != std::string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*')
        ++p;
    return p == pattern.size();
}

} // namespace

bool MatchesFilePattern(std::string_view fileName, std::string_view patterns)
{
    for (;;) {
        const size_t end = patterns.find(';');
        const std::string_view pattern = Trim(patterns.substr(0, end));
        if (!pattern.empty() && MatchesOnePattern(fileName, pattern))
            return true;
        if (end == std::string_view::npos)
            return false;
        patterns.remove_prefix(end + 1);
    }
}

bool IsTemplateFileName(std::string_view fileName)
{
    return MatchesFilePattern(fileName, "*.lmr");
}

std::optional<std::filesystem::path> TemplateSavePath(const std::filesystem::path &folder, std::string_view name,
                                                      std::string_view defaultExtension)
{
    if (Trim(name).empty())
        return std::nullopt;
    std::filesystem::path path = folder / std::string(name);
    if (path.filename().string().find('.') == std::string::npos)
        path += "." + std::string(defaultExtension);
    return path;
}

bool CanCreateFileAt(const std::filesystem::path &path)
{
    // A folder or device in the file's place could never be replaced by a save.
    const std::optional<std::filesystem::path> target = ReplaceableTarget(path);
    if (!target)
        return false;
    // A name of our own making, as a save's temporary has, so no file of the user's is
    // ever opened or removed.
    std::string scratch = target->string() + ".tmp-XXXXXX";
    const int fd = ::mkostemp(scratch.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    ::close(fd);
    return ::unlink(scratch.c_str()) == 0;
}

FileChoice ChooseTemplateFile(bool mustExist, const std::filesystem::path &folder, std::string_view name,
                              std::string_view defaultExtension)
{
    if (mustExist) {
        const std::filesystem::path path = folder / std::string(name);
        std::error_code error;
        const bool found = !Trim(name).empty() && std::filesystem::is_regular_file(path, error);
        return {path, found ? std::string_view() : kSelectExistingFileMessage};
    }
    const std::optional<std::filesystem::path> path = TemplateSavePath(folder, name, defaultExtension);
    if (!path)
        return {{}, kEnterFileNameMessage};
    return {*path, CanCreateFileAt(*path) ? std::string_view() : kEnterValidPathMessage};
}

std::string TemplateFileKey(int32_t number)
{
    char key[32];
    std::snprintf(key, sizeof key, "Adv_TempFile%04d", number);
    return key;
}

} // namespace orvex
