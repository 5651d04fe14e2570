// SPDX-License-Identifier: MIT
#include "helptopics.h"

#include <array>
#include <utility>

namespace orvex {

namespace {

constexpr std::array<std::pair<int, std::string_view>, 6> kAnchors{{
    {kHelpContents, "contents"},
    {kHelpProperties, "properties"},
    {kHelpTemplateFiles, "templates"},
    {kHelpVideo, "video"},
    {kHelpCredits, "credits"},
    {kHelpAdvanced, "advanced"},
}};

} // namespace

std::string_view HelpAnchor(int topic)
{
    for (const auto &[number, anchor] : kAnchors)
        if (number == topic)
            return anchor;
    return kAnchors.front().second;
}

std::filesystem::path FindHelpFile(const std::filesystem::path &programDir)
{
    for (const std::filesystem::path &dir : {programDir, programDir / ".." / "share" / "orvex-lumora"}) {
        std::error_code error;
        const std::filesystem::path file = (dir / kHelpFileName).lexically_normal();
        if (std::filesystem::is_regular_file(file, error))
            return file;
    }
    return {};
}

} // namespace orvex
