// SPDX-License-Identifier: MIT
#pragma once
// The candidate themes of theme cycling (factory themes and template files), built once
// per process, and the rule that picks the next one.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvex {

class ProgramRandomTable;

struct ThemeListSettings {
    int32_t themeFlags = 15726335;
    std::string templateDirectory;
    int32_t templateFileCount = 0;
    int32_t cycleStyle = 1;
    int32_t cycleStyleIndex = 0;
};

class ThemeList {
public:
    static constexpr int32_t kFactoryThemes = 24;

    bool Ready() const { return ready_; }

    // Builds the list and sets the first position. For the incremental style it returns
    // the start index the next run should store.
    std::optional<int32_t> Build(const ThemeListSettings &settings, ProgramRandomTable &random);
    // Moves to the next entry by the list's style.
    void Advance(ProgramRandomTable &random);

    // 0..23: factory theme (entry + 1); 24 and above: template file entry - 24.
    int32_t CurrentEntry() const { return entries_[position_]; }
    int32_t Position() const { return position_; }
    const std::vector<int32_t> &Entries() const { return entries_; }
    // The template folder with a separator at its end ("/", or a stored "\").
    const std::string &Folder() const { return folder_; }

private:
    int32_t RandomPosition(ProgramRandomTable &random) const;

    bool ready_ = false;
    int32_t style_ = 0;
    int32_t position_ = 0;
    std::vector<int32_t> entries_;
    std::string folder_;
};

} // namespace orvex
