// SPDX-License-Identifier: MIT
#include "cyclepane.h"

#include "numbertext.h"
#include "settingsstore.h"

namespace orvex {

const std::array<std::string_view, kCycleCount> kCyclePropertyNames{
    "Forward Speed",        "Star Persistence",     "Vertical Gravity",       "Percent Comets [UNUSED]",
    "Bias Point Span",      "Bias Point Speed",     "Comet Spline Expansion", "Solar Wind Magnitude",
    "Star Location Offset",
};

namespace {

constexpr int kWholeNumberMaxLength = 5;

bool IsChosen(const DialogValues &dialog)
{
    return dialog.cboCycleProp >= 0 && dialog.cboCycleProp < kCycleCount;
}

std::string RangeText(int i)
{
    return FormatDecimal(FactoryCycleValue(i, CycleColumn::AllowedMin)) + " - " +
           FormatDecimal(FactoryCycleValue(i, CycleColumn::AllowedMax));
}

float ClampedLimit(const DialogValues &dialog, std::string_view text)
{
    const int i = dialog.cboCycleProp;
    const float low = FactoryCycleValue(i, CycleColumn::AllowedMin);
    const float high = FactoryCycleValue(i, CycleColumn::AllowedMax);
    const double value = ParseNumberOrZero(text);
    if (dialog.cycleTextMaxLength <= kWholeNumberMaxLength)
        return static_cast<float>(ClampLong(RoundHalfEven(value), RoundHalfEven(low), RoundHalfEven(high)));
    return ClampSingle(ToFloat32(value), low, high);
}

std::string LimitText(const DialogValues &dialog, float value)
{
    return dialog.cycleTextMaxLength <= kWholeNumberMaxLength ? std::to_string(RoundHalfEven(value))
                                                              : FormatDecimal(value);
}

} // namespace

void SelectCycleProperty(DialogValues &dialog, int32_t i)
{
    dialog.cboCycleProp = i;
    if (!IsChosen(dialog))
        return;
    dialog.lblCycleProps[0] = "Cycle Low Value (" + RangeText(i) + "):";
    dialog.lblCycleProps[1] = "Cycle High Value (" + RangeText(i) + "):";
    dialog.cycleTextMaxLength = RoundHalfEven(FactoryCycleValue(i, CycleColumn::MaxTextLength));
    dialog.txtCycleProps[0] = FormatDecimal(dialog.cycleRanges.low[i]);
    dialog.txtCycleProps[1] = FormatDecimal(dialog.cycleRanges.high[i]);
    dialog.txtCycleProps[2] = std::to_string(dialog.cycleRanges.frames[i]);
}

void RefreshCyclePane(DialogValues &dialog)
{
    SelectCycleProperty(dialog, dialog.cboCycleProp);
}

void LeaveCycleField(DialogValues &dialog, int field)
{
    if (!IsChosen(dialog) || field < 0 || field > 2)
        return;
    const int i = dialog.cboCycleProp;
    std::string &text = dialog.txtCycleProps[static_cast<size_t>(field)];
    if (field == 2) {
        dialog.cycleRanges.frames[i] = ClampLong(RoundHalfEven(ParseNumberOrZero(text)), 1, kMaxCycleFrames);
        text = std::to_string(dialog.cycleRanges.frames[i]);
        return;
    }
    const float value = ClampedLimit(dialog, text);
    (field == 0 ? dialog.cycleRanges.low : dialog.cycleRanges.high)[i] = value;
    text = LimitText(dialog, value);
}

} // namespace orvex
