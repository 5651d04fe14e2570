// SPDX-License-Identifier: MIT
#include "templatetext.h"

namespace orvex {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

struct Line {
    std::string_view text; // without its line end
    bool terminated;
};

// Walks the lines of a text one by one.
class LineReader {
public:
    explicit LineReader(std::string_view text) : rest_(text) {}

    std::optional<Line> Next()
    {
        if (rest_.empty())
            return std::nullopt;
        const size_t end = rest_.find('\n');
        if (end == std::string_view::npos) {
            const Line last{rest_, false};
            rest_ = {};
            return last;
        }
        std::string_view text = rest_.substr(0, end);
        if (!text.empty() && text.back() == '\r')
            text.remove_suffix(1);
        rest_.remove_prefix(end + 1);
        return Line{text, true};
    }

private:
    std::string_view rest_;
};

bool IsHeaderOf(std::string_view line, std::string_view section)
{
    return line.size() >= section.size() + 2 && line.front() == '[' && line.substr(1, section.size()) == section &&
           line[section.size() + 1] == ']';
}

bool IsKeyLine(std::string_view line, std::string_view key)
{
    return line.size() > key.size() && line.substr(0, key.size()) == key && line[key.size()] == '=';
}

} // namespace

TemplateText::TemplateText(std::string content) : content_(std::move(content))
{
    if (std::string_view(content_).substr(0, kByteOrderMark.size()) == kByteOrderMark)
        content_.erase(0, kByteOrderMark.size());
}

std::optional<std::string_view> TemplateText::Value(std::string_view section, std::string_view key) const
{
    LineReader lines(content_);
    bool inSection = false;
    while (const auto line = lines.Next()) {
        if (!line->text.empty() && line->text.front() == '[') {
            if (inSection)
                return std::nullopt;
            inSection = IsHeaderOf(line->text, section);
        } else if (inSection && line->terminated && IsKeyLine(line->text, key)) {
            return line->text.substr(key.size() + 1);
        }
    }
    return std::nullopt;
}

bool TemplateText::HasSection(std::string_view section) const
{
    LineReader lines(content_);
    while (const auto line = lines.Next())
        if (IsHeaderOf(line->text, section))
            return true;
    return false;
}

} // namespace orvex
