// SPDX-License-Identifier: MIT
#include "colourfilter.h"

#include "settingsstore.h"

#include <array>
#include <string>

namespace orvex {

namespace {

constexpr std::array<FilterEntry, kFilterCount> kFilters = {{
    {"Normal (Default)", 0, 0x000000},
    {"Fire Red", 1, 0xFF0000},
    {"Alien Green", 1, 0x00FF00},
    {"Pure Blue", 1, 0x0000FF},
    {"Red & Green", 1, 0xFFFF00},
    {"Green & Blue", 1, 0x00FFFF},
    {"Contours / Few Shades", 1, 0xE0E0E0},
    {"Contours / Many Shades", 1, 0xF0F0F0},
    {"Film Negative", 2, 0xFFFFFF},
    {"Reverse All Red", 2, 0xFF0000},
    {"Reverse All Blue", 2, 0x0000FF},
    {"Reverse Dark Blue", 2, 0x00001F},
    {"Reverse Light Blue", 2, 0x0F0F0F},
    {"Reverse Bright Colors", 2, 0xF0F0F0},
    {"High Contrast Shells", 2, 0x1F0F07},
    {"Green Sea Paint", 2, 0x0F3F03},
}};

uint32_t MaskByte(int32_t value)
{
    return uint32_t(ClampLong(value, 0, 255));
}

} // namespace

const FilterEntry &FilterAt(int32_t index)
{
    return index >= 0 && index < kFilterCount ? kFilters[size_t(index)] : kFilters[0];
}

RunFilter FilterFromEffects(const DisplayEffects &effects)
{
    const uint32_t mask = MaskByte(effects.maskRed) << 16 | MaskByte(effects.maskGreen) << 8 | MaskByte(effects.maskBlue);
    return {FilterAt(effects.filterIndex).type, mask};
}

FilterSelection SelectFilter(int32_t index, FilterSource source, DialogValues &dialog, const SettingsStore &store)
{
    const FilterEntry &entry = FilterAt(index);
    DisplayEffects effects;
    switch (source) {
    case FilterSource::PickedInDialog:
        dialog.txtFilterRGB = {std::to_string(entry.mask >> 16 & 0xFF), std::to_string(entry.mask >> 8 & 0xFF),
                               std::to_string(entry.mask & 0xFF)};
        return {entry.name, {entry.type, entry.mask}};
    case FilterSource::DialogApplied:
        effects = DisplayEffectsFromDialog(dialog);
        break;
    case FilterSource::ThemeStart:
        effects = ReadDisplayEffects(store);
        break;
    }
    effects.filterIndex = index;
    return {entry.name, FilterFromEffects(effects)};
}

} // namespace orvex
