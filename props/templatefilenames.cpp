#include "templatefilenames.h"

#include "numbertext.h"

#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace orvex {

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
    const std::string scratch = path.string() + "0";
    const int fd = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno == EEXIST; // someone's file of that name: the folder is fine, the file is left alone
    ::close(fd);
    return ::unlink(scratch.c_str()) == 0;
}

} // namespace orvex
