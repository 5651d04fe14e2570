// SPDX-License-Identifier: MIT
#include "dialogvalues.h"

#include "numbertext.h"
#include "settingsstore.h"

#include <algorithm>

namespace orvex {

const std::array<std::string_view, kEmitPatternCount> kEmitPatternNames{
    "Spherical Shell",  "Globe Points - 8",  "Globe Points - 12", "Globe Points - 16", "Globe Points - 24",
    "Globe Points - 32", "Globe Lines - 4",  "Globe Lines - 6",   "Globe Lines - 10",  "Globe Lines - 16",
    "Globe Lines - 24", "Disk in X-Z Plane", "Disk in Y-Z Plane", "Disks in All Planes",
};

namespace {

int32_t ListIndex(std::string_view text, int32_t offset, int32_t count)
{
    return ClampLong(RoundHalfEven(ParseNumberOrZero(text)) + offset, 0, count - 1);
}

std::string SelectedResolution(const DialogValues &dialog, int32_t Resolution::*part)
{
    const auto index = static_cast<size_t>(dialog.cboResolution);
    if (dialog.cboResolution < 0 || index >= dialog.cboResolutionItems.size())
        return {};
    return std::to_string(dialog.cboResolutionItems[index].*part);
}

} // namespace

std::string DialogText(const DialogValues &dialog, DialogSlot slot)
{
    const auto i = static_cast<size_t>(slot.index);
    switch (slot.field) {
    case DialogField::Stars:
        return dialog.txtStars[i];
    case DialogField::BlendMult:
        return dialog.txtBlendMult;
    case DialogField::EmitPattern:
        return std::to_string(dialog.cboEmitPattern);
    case DialogField::CycleProps:
        return std::to_string(dialog.chkCycleProps);
    case DialogField::ColorProps:
        return dialog.txtColorProps[i];
    case DialogField::CycleThemes:
        return std::to_string(dialog.chkCycleThemes);
    case DialogField::ResolutionWidth:
        return SelectedResolution(dialog, &Resolution::width);
    case DialogField::ResolutionHeight:
        return SelectedResolution(dialog, &Resolution::height);
    case DialogField::VertOffset:
        return std::to_string(dialog.cboVertOffset - kVertOffsetZeroIndex);
    case DialogField::FilterEffect:
        return std::to_string(dialog.cboFilterEffect);
    case DialogField::FilterRGB:
        return dialog.txtFilterRGB[i];
    case DialogField::DesktopBlend:
        return dialog.txtDesktopBlend[i];
    case DialogField::None:
        break;
    }
    return {};
}

void SetDialogText(DialogValues &dialog, DialogSlot slot, std::string_view text)
{
    const auto i = static_cast<size_t>(slot.index);
    switch (slot.field) {
    case DialogField::Stars:
        dialog.txtStars[i] = text;
        break;
    case DialogField::BlendMult:
        dialog.txtBlendMult = text;
        break;
    case DialogField::EmitPattern:
        dialog.cboEmitPattern = ListIndex(text, 0, kEmitPatternCount);
        break;
    case DialogField::CycleProps:
        dialog.chkCycleProps = RoundHalfEven(ParseNumberOrZero(text));
        break;
    case DialogField::ColorProps:
        dialog.txtColorProps[i] = text;
        break;
    case DialogField::CycleThemes:
        dialog.chkCycleThemes = RoundHalfEven(ParseNumberOrZero(text));
        break;
    case DialogField::VertOffset:
        dialog.cboVertOffset = ListIndex(text, kVertOffsetZeroIndex, kVertOffsetItemCount);
        break;
    case DialogField::FilterEffect:
        dialog.cboFilterEffect = ListIndex(text, 0, kFilterEffectCount);
        break;
    case DialogField::FilterRGB:
        dialog.txtFilterRGB[i] = text;
        break;
    case DialogField::DesktopBlend:
        dialog.txtDesktopBlend[i] = text;
        break;
    case DialogField::ResolutionWidth:
    case DialogField::ResolutionHeight:
    case DialogField::None:
        break;
    }
}

void SelectResolution(DialogValues &dialog, Resolution wanted, Resolution screen)
{
    const auto &items = dialog.cboResolutionItems;
    auto found = std::find(items.begin(), items.end(), wanted);
    if (found == items.end())
        found = std::find(items.begin(), items.end(), screen);
    dialog.cboResolution = found == items.end() ? -1 : static_cast<int32_t>(found - items.begin());
}

} // namespace orvex
