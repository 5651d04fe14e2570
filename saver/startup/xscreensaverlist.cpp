// SPDX-License-Identifier: MIT
#include "xscreensaverlist.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <vector>

namespace orvex {

namespace {

constexpr std::string_view kSaverProgram = "orvex-lumora";
// xscreensaver-settings lays the list out anew when it next saves it.
constexpr std::string_view kEntryLine = "  \"Orvex Lumora\"  orvex-lumora --root  \\n\\\n";
constexpr std::string_view kSpace = " \t\n\v\f\r";

std::string_view SkipSpace(std::string_view text)
{
    const size_t first = text.find_first_not_of(kSpace);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

// Whether the physical line that ends just before offset end is continued by the next.
bool ContinuedAt(std::string_view file, size_t end)
{
    return end >= 2 && file.substr(end - 2, 2) == "\\\n";
}

// One resource line as XScreenSaver reads it: physical lines joined where a backslash
// stands before the line break. Each piece is one physical line without that backslash
// and break.
struct ResourceLine {
    size_t begin = 0;
    std::vector<size_t> lineEnds; // just past each physical line's '\n' (or the end of the file)

    std::string_view Piece(std::string_view file, size_t i) const
    {
        const size_t start = i == 0 ? begin : lineEnds[i - 1];
        const size_t stop = lineEnds[i] - (ContinuedAt(file, lineEnds[i]) ? 2 : 0);
        return file.substr(start, stop - start);
    }
};

std::vector<ResourceLine> ResourceLines(std::string_view file)
{
    std::vector<ResourceLine> lines;
    size_t end = 0;
    while (end < file.size()) {
        ResourceLine line{end, {}};
        do {
            const size_t newline = file.find('\n', end);
            end = newline == std::string_view::npos ? file.size() : newline + 1;
            line.lineEnds.push_back(end);
        } while (end < file.size() && ContinuedAt(file, end));
        lines.push_back(std::move(line));
    }
    return lines;
}

// A resource line's text with its escapes read ("\n" a line break, "\t" a tab, "\r" a
// carriage return, a backslash before any other character that character).
struct DecodedLine {
    std::string text;
    // Where each piece ends in text; nullopt when a backslash at its end escapes the
    // first character of the next piece.
    std::vector<std::optional<size_t>> pieceEnds;
};

char Unescaped(char c)
{
    switch (c) {
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    default: return c;
    }
}

DecodedLine Decode(std::string_view file, const ResourceLine &line)
{
    DecodedLine decoded;
    bool escaping = false;
    for (size_t i = 0; i < line.lineEnds.size(); ++i) {
        for (const char c : line.Piece(file, i)) {
            if (escaping)
                decoded.text += Unescaped(c);
            else if (c != '\\')
                decoded.text += c;
            escaping = !escaping && c == '\\';
        }
        decoded.pieceEnds.push_back(escaping ? std::nullopt : std::optional(decoded.text.size()));
    }
    return decoded;
}

// Where the value of a "programs:" resource begins in text; keys are matched without
// regard to case, and lines beginning with "#", "!" or ";" are notes.
std::optional<size_t> ProgramsValueStart(std::string_view text)
{
    const std::string_view line = SkipSpace(text);
    const size_t colon = line.find(':');
    if (line.empty() || line.find_first_of("#!;") == 0 || colon == std::string_view::npos)
        return std::nullopt;
    std::string key(line.substr(0, colon));
    std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (key != "programs")
        return std::nullopt;
    return text.size() - line.size() + colon + 1;
}

// An entry "[-] [visual:] ["Name"] command", taken apart as XScreenSaver does.
bool RunsTheSaver(std::string_view entry)
{
    entry = SkipSpace(entry);
    if (!entry.empty() && entry.front() == '-')
        entry = SkipSpace(entry.substr(1));
    const size_t visualEnd = entry.find_first_of(":\" \t\n\v\f\r");
    if (visualEnd != std::string_view::npos && entry[visualEnd] == ':')
        entry = SkipSpace(entry.substr(visualEnd + 1));
    if (!entry.empty() && entry.front() == '"') {
        const size_t close = entry.find('"', 1);
        // An open quote makes the rest of the entry its name: it runs nothing.
        if (close == std::string_view::npos)
            return false;
        entry = SkipSpace(entry.substr(close + 1));
    }
    const std::string_view program = entry.substr(0, entry.find_first_of(kSpace));
    return program.substr(program.rfind('/') + 1) == kSaverProgram;
}

bool ListsTheSaver(std::string_view value)
{
    for (size_t begin = 0; begin <= value.size();) {
        const size_t end = std::min(value.find('\n', begin), value.size());
        if (RunsTheSaver(value.substr(begin, end - begin)))
            return true;
        begin = end + 1;
    }
    return false;
}

struct ProgramsResource {
    ResourceLine line;
    DecodedLine decoded;
    size_t valueStart = 0;
};

// The file offset of the last line break of the list that falls between two entries.
// The list's end is where the entry goes, as the "selected" resource counts entries
// from its start; when the last entry closes the value on its own line, a new line can
// only go before it without changing that line.
std::optional<size_t> LastEntryBoundary(std::string_view file, const ProgramsResource &list)
{
    for (size_t i = list.line.lineEnds.size(); i-- > 0;) {
        const std::optional<size_t> end = list.decoded.pieceEnds[i];
        if (!ContinuedAt(file, list.line.lineEnds[i]) || !end || *end < list.valueStart)
            continue;
        std::string_view value = std::string_view(list.decoded.text).substr(list.valueStart, *end - list.valueStart);
        value = value.substr(0, value.find_last_not_of(" \t") + 1);
        if (value.empty() || value.back() == '\n')
            return list.line.lineEnds[i];
    }
    return std::nullopt;
}

} // namespace

ProgramsListEdit AddSaverToProgramsList(std::string_view file)
{
    // A later resource of the same name replaces an earlier one.
    std::optional<ProgramsResource> list;
    for (ResourceLine &line : ResourceLines(file)) {
        DecodedLine decoded = Decode(file, line);
        if (const std::optional<size_t> valueStart = ProgramsValueStart(decoded.text))
            list = ProgramsResource{std::move(line), std::move(decoded), *valueStart};
    }
    if (!list)
        return {ProgramsListEdit::Result::NoList, {}};
    if (ListsTheSaver(std::string_view(list->decoded.text).substr(list->valueStart)))
        return {ProgramsListEdit::Result::AlreadyListed, {}};
    const std::optional<size_t> at = LastEntryBoundary(file, *list);
    if (!at)
        return {ProgramsListEdit::Result::NoLineToAdd, {}};
    std::string text(file.substr(0, *at));
    text += kEntryLine;
    text += file.substr(*at);
    return {ProgramsListEdit::Result::Added, std::move(text)};
}

} // namespace orvex
