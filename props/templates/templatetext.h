// SPDX-License-Identifier: MIT
#pragma once
// The content of a template file and the lookup of one value. A section starts at a
// line "[Name]" and ends at the next line that starts with "["; a key is found only at
// the start of a line ("Key=Value"), so no value's text can hide or fake another key.
// Only the first section of a name counts, and within it the first line of a key. A
// value whose line has no line end (a cut-off last line) is not taken. Lines may end in
// CR LF or LF alone.

#include <optional>
#include <string>
#include <string_view>

namespace orvex {

class TemplateText {
public:
    TemplateText() = default;
    explicit TemplateText(std::string content);

    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;
    bool HasSection(std::string_view section) const;

private:
    std::string content_;
};

} // namespace orvex
