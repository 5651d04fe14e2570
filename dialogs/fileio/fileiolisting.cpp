// SPDX-License-Identifier: MIT
#include "fileiolisting.h"

#include "templatefilenames.h"

#include <algorithm>
#include <cctype>

namespace orvex {

namespace {

bool Hidden(const std::string &name)
{
    return name.starts_with('.');
}

bool CaseBlindLess(const std::string &a, const std::string &b)
{
    const auto lower = [](unsigned char c) { return std::tolower(c); };
    return std::ranges::lexicographical_compare(a, b, {}, lower, lower) ||
           (std::ranges::equal(a, b, {}, lower, lower) && a < b);
}

// The visible entries of folder that are (or are not) folders, sorted; none when it
// cannot be read.
std::vector<std::string> EntriesOf(const std::filesystem::path &folder, bool folders)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code typeError;
        const bool isFolder = it->is_directory(typeError);
        const std::string name = it->path().filename().string();
        if (!typeError && isFolder == folders && !Hidden(name))
            names.push_back(name);
    }
    std::ranges::sort(names, CaseBlindLess);
    return names;
}

} // namespace

std::vector<FolderEntry> FolderListEntries(const std::filesystem::path &folder)
{
    std::vector<FolderEntry> entries;
    std::filesystem::path way;
    for (const std::filesystem::path &part : folder.lexically_normal()) {
        if (part.empty())
            continue; // the empty name after a trailing separator
        way /= part;
        entries.push_back({way, part.string(), static_cast<int>(entries.size()), true});
    }
    const int depth = static_cast<int>(entries.size());
    for (const std::string &name : EntriesOf(folder, true))
        entries.push_back({folder / name, name, depth, false});
    return entries;
}

std::vector<std::string> FileListEntries(const std::filesystem::path &folder, std::string_view patterns)
{
    std::vector<std::string> names = EntriesOf(folder, false);
    std::erase_if(names, [&](const std::string &name) { return !MatchesFilePattern(name, patterns); });
    return names;
}

std::filesystem::path DriveOf(const std::filesystem::path &folder, const std::vector<std::filesystem::path> &drives)
{
    const std::filesystem::path normal = folder.lexically_normal();
    std::filesystem::path best;
    size_t bestDepth = 0;
    for (const std::filesystem::path &drive : drives) {
        const std::filesystem::path root = drive.lexically_normal();
        const auto relative = normal.lexically_relative(root);
        if (relative.empty() || *relative.begin() == "..")
            continue;
        const auto depth = static_cast<size_t>(std::distance(root.begin(), root.end()));
        if (best.empty() || depth > bestDepth) {
            best = drive;
            bestDepth = depth;
        }
    }
    return best;
}

} // namespace orvex
