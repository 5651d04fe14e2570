// SPDX-License-Identifier: MIT
#include "regfile.h"

#include <algorithm>

namespace orvex {

namespace {

constexpr std::string_view kHeading = "; Orvex Lumora settings of the current user. See docs/settings-file.md.\n";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Blanks around a line or a field are layout, never content: content blanks are escaped.
bool IsLayoutBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view TrimLayout(std::string_view text)
{
    while (!text.empty() && IsLayoutBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsLayoutBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Paths and names are looked up by this form, so that case does not matter.
std::string LookupKey(std::string_view text)
{
    std::string key(text);
    std::transform(key.begin(), key.end(), key.begin(), LowerAscii);
    return key;
}

// Length of the well-formed UTF-8 sequence starting text[at], or 0 when it is not one.
size_t Utf8SequenceLength(std::string_view text, size_t at)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // allowed range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80; // no overlong forms
        high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF; // nothing beyond U+10FFFF
    } else {
        return 0;
    }
    if (at + length > text.size() || byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (size_t i = at + 2; i < at + length; ++i)
        if (byte(i) < 0x80 || byte(i) > 0xBF)
            return 0;
    return length;
}

void AppendHexEscape(std::string &out, unsigned char c)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    out += "\\x";
    out += kDigits[c >> 4];
    out += kDigits[c & 0xF];
}

// The escaped form of a name (isName) or a value text. Content never ends up as a raw
// blank at either end, as a raw line break, or (in a name) as "=" or a leading
// "[", ";" or "#"; bytes that are not UTF-8 are written as \xHH so the file stays text.
std::string Escape(std::string_view text, bool isName)
{
    std::string out;
    out.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const auto u = static_cast<unsigned char>(c);
        const bool atEnd = i == 0 || i + 1 == text.size();
        if (c == '\\') {
            out += "\\\\";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == ' ' && atEnd) {
            out += "\\s";
        } else if (u < 0x20 || u == 0x7F) {
            AppendHexEscape(out, u);
        } else if (isName && (c == '=' || (i == 0 && (c == '[' || c == ';' || c == '#')))) {
            out += '\\';
            out += c;
        } else if (u >= 0x80) {
            const size_t length = Utf8SequenceLength(text, i);
            if (length == 0) {
                AppendHexEscape(out, u);
            } else {
                out.append(text.substr(i, length));
                i += length - 1;
            }
        } else {
            out += c;
        }
    }
    return out;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Decodes the escape at field[i] (a backslash), appends it and returns the index after it.
// Unknown escapes stand for the character itself, a lone final backslash for itself.
size_t DecodeEscape(std::string_view field, size_t i, std::string &out)
{
    if (i + 1 >= field.size()) {
        out += '\\';
        return i + 1;
    }
    const char c = field[i + 1];
    switch (c) {
    case 'n': out += '\n'; return i + 2;
    case 'r': out += '\r'; return i + 2;
    case 't': out += '\t'; return i + 2;
    case 's': out += ' '; return i + 2;
    case 'x':
        if (i + 3 < field.size() && HexValue(field[i + 2]) >= 0 && HexValue(field[i + 3]) >= 0) {
            out += static_cast<char>(HexValue(field[i + 2]) * 16 + HexValue(field[i + 3]));
            return i + 4;
        }
        out += c;
        return i + 2;
    default: out += c; return i + 2;
    }
}

// The text of an escaped field without the raw blanks around it.
std::string Unescape(std::string_view field)
{
    field = TrimLayout(field);
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size();) {
        if (field[i] == '\\')
            i = DecodeEscape(field, i, out);
        else
            out += field[i++];
    }
    return out;
}

// Index of the first "=" that is not escaped, or npos.
size_t FindSeparator(std::string_view line)
{
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\\')
            ++i;
        else if (line[i] == '=')
            return i;
    }
    return std::string_view::npos;
}

} // namespace

RegFile RegFile::Parse(std::string_view bytes)
{
    RegFile file;
    if (bytes.find('\0') != std::string_view::npos) {
        file.health_ = Health::Unusable;
        return file;
    }
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    size_t current = kNoSection;
    // A line ends at LF or CR; CRLF ends a line and then an empty one, which is skipped
    // like any blank line. Each kind is searched for on its own (a memchr each) and its
    // next position kept, so a file with only one kind is not searched to its end per line.
    size_t lineFeed = bytes.find('\n');
    size_t carriageReturn = bytes.find('\r');
    for (size_t start = 0; start < bytes.size();) {
        if (lineFeed < start)
            lineFeed = bytes.find('\n', start);
        if (carriageReturn < start)
            carriageReturn = bytes.find('\r', start);
        const size_t end = std::min({lineFeed, carriageReturn, bytes.size()});
        file.ParseLine(TrimLayout(bytes.substr(start, end - start)), current);
        start = end + 1;
    }
    return file;
}

// A line that starts with "[" always ends the section before it, even when it is not a
// well-formed section line; the values below a broken one belong to no section.
void RegFile::ParseLine(std::string_view line, size_t &current)
{
    if (line.empty() || line.front() == ';' || line.front() == '#')
        return;
    const bool fits = line.size() <= kMaxLineLength;
    if (line.front() == '[') {
        // The key path runs to the last "]", so a note may follow it on the same line.
        const size_t close = line.rfind(']');
        const bool wellFormed = fits && close != std::string_view::npos && close > 0;
        current = wellFormed ? SectionIndex(line.substr(1, close - 1), line.substr(close + 1)) : kNoSection;
        if (!wellFormed)
            MarkDamaged();
        return;
    }
    const size_t separator = fits ? FindSeparator(line) : std::string_view::npos;
    if (separator == std::string_view::npos || current == kNoSection) {
        MarkDamaged();
        return;
    }
    const std::string name = Unescape(line.substr(0, separator));
    std::string text = Unescape(line.substr(separator + 1));
    // Raw bytes that are not UTF-8 grow fourfold when escaped: a value whose line would
    // outgrow the bound once written is dropped now rather than at the next read.
    if (!FitsOnALine(name, text))
        MarkDamaged();
    else if (!Assign(current, name, std::move(text)))
        MarkDamaged(); // a repeated name: the later line wins, the earlier one is dropped
}

bool RegFile::FitsOnALine(std::string_view name, std::string_view text)
{
    // No escape is longer than "\xHH": shorter values fit without being escaped to count.
    constexpr size_t kLongestEscape = 4;
    if ((name.size() + text.size()) * kLongestEscape + 1 <= kMaxLineLength)
        return true;
    return Escape(name, true).size() + 1 + Escape(text, false).size() <= kMaxLineLength;
}

std::string RegFile::Serialise() const
{
    std::string out(kHeading);
    for (const RegSection &section : sections_) {
        out += '\n';
        out += '[';
        out += section.path;
        out += ']';
        out += section.trailer;
        out += '\n';
        for (const RegValue &value : section.values) {
            out += Escape(value.name, true);
            out += '=';
            out += Escape(value.text, false);
            out += '\n';
        }
    }
    return out;
}

const std::string *RegFile::Find(std::string_view path, std::string_view name) const
{
    const auto section = sectionIndex_.find(LookupKey(path));
    if (section == sectionIndex_.end())
        return nullptr;
    const auto value = valueIndex_[section->second].find(LookupKey(name));
    if (value == valueIndex_[section->second].end())
        return nullptr;
    return &sections_[section->second].values[value->second].text;
}

void RegFile::Set(std::string_view path, std::string_view name, std::string text)
{
    Assign(SectionIndex(path), name, std::move(text));
}

size_t RegFile::SectionIndex(std::string_view path, std::string_view trailer)
{
    const auto [entry, added] = sectionIndex_.try_emplace(LookupKey(path), sections_.size());
    if (added) {
        sections_.push_back(RegSection{std::string(path), std::string(trailer), {}});
        valueIndex_.emplace_back();
    }
    return entry->second;
}

bool RegFile::Assign(size_t section, std::string_view name, std::string text)
{
    std::vector<RegValue> &values = sections_[section].values;
    const auto [entry, added] = valueIndex_[section].try_emplace(LookupKey(name), values.size());
    if (!added) {
        values[entry->second].text = std::move(text);
        return false;
    }
    values.push_back(RegValue{std::string(name), std::move(text)});
    return true;
}

void RegFile::MarkDamaged()
{
    if (health_ == Health::Clean)
        health_ = Health::Damaged;
}

} // namespace orvex
