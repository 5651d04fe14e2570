// SPDX-License-Identifier: MIT
#pragma once
// The text form of the settings hive: "[Key\Path]" section lines, "Name=Text" value
// lines, ";" or "#" comment lines. Names and texts are escaped so that any text reads
// back exactly (see docs/settings-file.md); key paths and names match without regard to
// ASCII case, as registry paths and value names do.

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvex {

struct RegValue {
    std::string name;
    std::string text;
};

struct RegSection {
    std::string path;
    // What followed the closing "]" of the section line (a note such as " ; mine"),
    // written back after it so that a hand-written note survives a rewrite.
    std::string trailer;
    std::vector<RegValue> values;
};

class RegFile {
public:
    // How much of the parsed text the hive holds.
    enum class Health {
        Clean,    // every line understood
        Damaged,  // some lines were not understood and are left out
        Unusable, // not text at all (NUL bytes): the hive is empty
    };

    // The longest line read as a section or a value: a longer one (a runaway value) is
    // damage, so it is neither kept in memory nor written back.
    static constexpr size_t kMaxLineLength = 64 * 1024;

    // Never fails: what cannot be understood is left out and reported by Status().
    // Lines end at LF, CRLF or a lone CR.
    static RegFile Parse(std::string_view bytes);

    // Whether the value's line stays within kMaxLineLength once escaped, so it reads back.
    static bool FitsOnALine(std::string_view name, std::string_view text);

    std::string Serialise() const;

    Health Status() const { return health_; }
    const std::vector<RegSection> &Sections() const { return sections_; }

    // The text of the value, or nullptr when the section or the value is absent.
    const std::string *Find(std::string_view path, std::string_view name) const;

    // Creates the section and the value as needed; an existing name keeps its spelling.
    void Set(std::string_view path, std::string_view name, std::string text);

private:
    static constexpr size_t kNoSection = static_cast<size_t>(-1);

    void ParseLine(std::string_view line, size_t &current);
    // Creates the section when absent, with the trailer of its first section line.
    size_t SectionIndex(std::string_view path, std::string_view trailer = {});
    // Sets the value; false when the name was already there.
    bool Assign(size_t section, std::string_view name, std::string text);
    void MarkDamaged();

    std::vector<RegSection> sections_; // in file order
    // Lower-case path -> index in sections_; per section, lower-case name -> index in values.
    std::unordered_map<std::string, size_t> sectionIndex_;
    std::vector<std::unordered_map<std::string, size_t>> valueIndex_;
    Health health_ = Health::Clean;
};

} // namespace orvex
