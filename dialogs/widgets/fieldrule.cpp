// SPDX-License-Identifier: MIT
#include "fieldrule.h"

#include "cycleranges.h"
#include "numbertext.h"
#include "settingsstore.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace orvex {

namespace {

// The Stars field counts in tens on its spin button, so the spin reaches 99,999 stars.
constexpr DialogSlot kStarsSlot{DialogField::Stars, 0};
constexpr int kStarsSpinScale = 10;
// Low and high of a cycled property are whole numbers up to this text length.
constexpr int kWholeCycleTextLength = 5;

bool operator==(DialogSlot a, DialogSlot b)
{
    return a.field == b.field && a.index == b.index;
}

const SettingDescriptor *DescriptorAt(DialogSlot slot)
{
    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.dialog == slot)
            return &descriptor;
    return nullptr;
}

int DigitCount(double value)
{
    int digits = 1;
    for (auto n = std::llround(std::fabs(value)); n >= 10; n /= 10)
        ++digits;
    return digits;
}

int MaxLength(const FieldRule &rule)
{
    if (rule.decimal)
        return 0;
    return DigitCount(std::max(std::fabs(rule.low), std::fabs(rule.high))) + (rule.negative ? 1 : 0);
}

// Star fields step by a share of their reach (100 for Stars, 10 for four digits, 1 for
// two); every other whole-number field by 1; decimal fields do not step.
int KeyStep(const FieldRule &rule, DialogSlot slot)
{
    if (rule.decimal)
        return 0;
    if (slot.field != DialogField::Stars)
        return 1;
    if (rule.high >= 99999)
        return 100;
    return rule.high >= 9999 ? 10 : 1;
}

int PageStep(const FieldRule &rule)
{
    if (rule.negative)
        return 5; // the twist angle turns both ways: a finer page over its wider range
    if (rule.spinHigh < 101)
        return 1;
    if (rule.spinHigh >= 9998)
        return 50;
    return rule.spinHigh >= 999 ? 10 : 5;
}

void SetSpin(FieldRule &rule, DialogSlot slot)
{
    rule.hasSpin = !rule.decimal && (slot.field == DialogField::Stars || slot.field == DialogField::ColorProps);
    if (!rule.hasSpin)
        return;
    rule.spinScale = slot == kStarsSlot ? kStarsSpinScale : 1;
    rule.spinLow = static_cast<int>(std::ceil(rule.low / rule.spinScale));
    rule.spinHigh = static_cast<int>(std::floor(rule.high / rule.spinScale));
    rule.pageStep = PageStep(rule);
}

bool FitsCharacters(const FieldRule &rule, std::string_view text)
{
    if (rule.negative && !text.empty() && text.front() == '-')
        text.remove_prefix(1);
    int points = 0;
    for (const char c : text) {
        if (c == '.' && rule.decimal)
            ++points;
        else if (c < '0' || c > '9')
            return false;
    }
    return points <= 1;
}

bool FitsRange(const FieldRule &rule, std::string_view text)
{
    const std::optional<double> value = WholeNumber(text);
    return value && *value >= rule.low && *value <= rule.high;
}

} // namespace

FieldRule FieldRuleOf(DialogSlot slot)
{
    FieldRule rule;
    const SettingDescriptor *descriptor = DescriptorAt(slot);
    if (descriptor == nullptr)
        return rule;
    rule.low = descriptor->range.low;
    rule.high = descriptor->range.high;
    rule.decimal = descriptor->type == ValueType::Float;
    rule.negative = rule.low < 0;
    rule.maxLength = MaxLength(rule);
    rule.keyStep = KeyStep(rule, slot);
    SetSpin(rule, slot);
    return rule;
}

FieldRule CycleFieldRule(const DialogValues &dialog, int field)
{
    FieldRule rule;
    if (field == 2) {
        rule.maxLength = DigitCount(kMaxCycleFrames);
        return rule;
    }
    rule.maxLength = dialog.cycleTextMaxLength;
    rule.decimal = rule.maxLength > kWholeCycleTextLength;
    return rule;
}

std::string StepFieldText(const FieldRule &rule, std::string_view text, int direction)
{
    const double stepped = RoundHalfEven(ParseNumberOrZero(text)) + double(direction) * rule.keyStep;
    return std::to_string(ClampLong(RoundHalfEven(stepped), RoundHalfEven(rule.low), RoundHalfEven(rule.high)));
}

std::string LeaveFieldText(const FieldRule &rule, std::string_view text)
{
    const double value = ParseNumberOrZero(text);
    if (rule.decimal)
        return FormatDecimal(ClampSingle(ToFloat32(value), float(rule.low), float(rule.high)));
    return std::to_string(ClampLong(RoundHalfEven(value), RoundHalfEven(rule.low), RoundHalfEven(rule.high)));
}

std::string ShownFieldText(const FieldRule &rule, std::string_view text)
{
    const bool fitsLength = rule.maxLength == 0 || text.size() <= size_t(rule.maxLength);
    if (fitsLength && FitsCharacters(rule, text) && FitsRange(rule, text))
        return std::string(text);
    return LeaveFieldText(rule, text);
}

bool AcceptsTyping(const FieldRule &rule, std::string_view text)
{
    return FitsCharacters(rule, text);
}

int SpinValueOf(const FieldRule &rule, std::string_view text)
{
    return RoundHalfEven(ParseNumberOrZero(text) / rule.spinScale);
}

std::string FieldTextOfSpin(const FieldRule &rule, int spinValue)
{
    return std::to_string(int64_t(spinValue) * rule.spinScale);
}

} // namespace orvex
