// SPDX-License-Identifier: MIT
#pragma once
// The field texts and list selections of the properties dialog, standing in for its
// widgets: the operations that fill and read the dialog work on this plain struct.

#include "cycleranges.h"
#include "resolutionlist.h"
#include "settingdescriptors.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvex {

inline constexpr int kEmitPatternCount = 14;
inline constexpr int kVertOffsetItemCount = 19; // "-9" .. "9"
inline constexpr int kVertOffsetZeroIndex = 9;
inline constexpr int kFilterEffectCount = 16;

extern const std::array<std::string_view, kEmitPatternCount> kEmitPatternNames;

struct DialogValues {
    // frame "Lumora Properties"; txtStars[6] belongs to no property
    std::array<std::string, 15> txtStars;
    std::string txtBlendMult;
    int32_t cboEmitPattern = 0;

    // cycle pane: the dialog edits its own copy of the cycle ranges
    int32_t chkCycleProps = 1;
    int32_t cboCycleProp = -1; // -1: nothing chosen
    std::array<std::string, 3> txtCycleProps; // low, high, frames
    std::array<std::string, 3> lblCycleProps{"Cyclic Low Point (0 - 100):", "Cycling High Point (0 - 100):",
                                             "Frames per Cycle (1 - 99999):"};
    int32_t cycleTextMaxLength = 0; // of the low and high fields
    CycleRanges cycleRanges;

    // colour frame; indexes 0-3 and 10-14 are used
    std::array<std::string, 15> txtColorProps;

    // frame fraDirectX "Saver Resolution"
    ResolutionList cboResolutionItems;
    int32_t cboResolution = -1;
    int32_t cboVertOffset = kVertOffsetZeroIndex;
    int32_t cboFilterEffect = 0;
    std::array<std::string, 3> txtFilterRGB;
    std::array<std::string, 2> txtDesktopBlend;

    int32_t cboTheme = 0;
    int32_t chkCycleThemes = 1;

    bool operator==(const DialogValues &) const = default;
};

// The text a setting has in the dialog: a field's text, a list index or check-box value
// as integer text, the selected resolution's width or height (empty when none is selected).
std::string DialogText(const DialogValues &dialog, DialogSlot slot);

// Puts a setting's text into its field; list indexes and check boxes take the text's
// number, lists kept to their entries. A resolution is chosen as a pair (SelectResolution).
void SetDialogText(DialogValues &dialog, DialogSlot slot, std::string_view text);

// Selects the entry (width, height), else the entry of the screen size, else nothing.
void SelectResolution(DialogValues &dialog, Resolution wanted, Resolution screen);

} // namespace orvex
