// SPDX-License-Identifier: MIT
#pragma once
// The colour filters: a table of named entries, each combining every output pixel with a
// 24-bit mask by AND (keeping some colour bits) or XOR (inverting some), and the choice
// of the run-time filter from the dialog or the store.

#include "dialogvalues.h"
#include "displayeffects.h"
#include "settingsstore.h"

#include <cstdint>
#include <string_view>

namespace orvex {

struct FilterEntry {
    std::string_view name;
    int32_t type;  // 0 none, 1 AND, 2 XOR
    uint32_t mask; // red in bits 16-23, green 8-15, blue 0-7
};

inline constexpr int32_t kFilterCount = 16;

// Any index outside the table acts as entry 0, "Normal (Default)".
const FilterEntry &FilterAt(int32_t index);

// What the frame presentation combines every pixel with.
struct RunFilter {
    int32_t type = 0;
    uint32_t mask = 0;
    bool operator==(const RunFilter &) const = default;
};

// The entry's type with the effects' own red, green and blue (clamped to 0 .. 255).
RunFilter FilterFromEffects(const DisplayEffects &effects);

enum class FilterSource {
    PickedInDialog, // the entry's default mask, shown in the dialog's three mask fields
    DialogApplied,  // the mask from the dialog's fields
    ThemeStart,     // the mask from the store
};

struct FilterSelection {
    std::string_view name;
    RunFilter filter;
};

// The filter of entry index with its mask from source (dialog is written only when the
// user picked the entry, store only read at a theme start).
FilterSelection SelectFilter(int32_t index, FilterSource source, DialogValues &dialog, const SettingsStore &store);

} // namespace orvex
