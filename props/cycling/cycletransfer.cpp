// SPDX-License-Identifier: MIT
#include "cycletransfer.h"

#include "numbertext.h"
#include "settingdescriptors.h"
#include "templateio.h"

namespace orvex {

namespace {

constexpr CyclePart kParts[] = {CyclePart::Min, CyclePart::Max, CyclePart::Fra};

std::string PartText(const CycleRanges &ranges, int i, CyclePart part)
{
    switch (part) {
    case CyclePart::Min:
        return FormatDecimal(ranges.low[i]);
    case CyclePart::Max:
        return FormatDecimal(ranges.high[i]);
    case CyclePart::Fra:
        break;
    }
    return std::to_string(ranges.frames[i]);
}

void SetPart(CycleRanges &ranges, int i, CyclePart part, double value)
{
    switch (part) {
    case CyclePart::Min:
        ranges.low[i] = ToFloat32(value);
        break;
    case CyclePart::Max:
        ranges.high[i] = ToFloat32(value);
        break;
    case CyclePart::Fra:
        ranges.frames[i] = RoundHalfEven(value);
        break;
    }
}

template <typename Action>
void ForEachCycleKey(Action &&action)
{
    for (int i = 0; i < kCycleCount; ++i)
        for (CyclePart part : kParts)
            action(i, part, CycleKey(i, part));
}

} // namespace

void ReadCycleRangesFromStore(CycleRanges &ranges, const SettingsStore &store)
{
    const CycleRanges factory = FactoryCycleRanges();
    for (int i = 0; i < kCycleCount; ++i) {
        ranges.low[i] = store.ReadSettingSingle(kSectionCycleProps, CycleKey(i, CyclePart::Min), factory.low[i]);
        ranges.high[i] = store.ReadSettingSingle(kSectionCycleProps, CycleKey(i, CyclePart::Max), factory.high[i]);
        ranges.frames[i] = store.ReadSettingLong(kSectionCycleProps, CycleKey(i, CyclePart::Fra), factory.frames[i]);
    }
}

void TransferCycleRanges(std::string_view operationName, CycleRanges &ranges, const PropsContext &context)
{
    SettingsStore &store = context.store;
    TemplateFile &templates = context.templates;
    const CycleRanges factory = FactoryCycleRanges();
    const std::string_view section = kSectionCycleProps;
    if (operationName == kCyclePropsArraysToReg) {
        ForEachCycleKey([&](int i, CyclePart part, const std::string &key) {
            store.WriteSetting(section, key, PartText(ranges, i, part));
        });
    } else if (operationName == kCyclePropsRegToArrays) {
        ReadCycleRangesFromStore(ranges, store);
    } else if (operationName == kCyclePropsArraysToTemp) {
        ForEachCycleKey([&](int i, CyclePart part, const std::string &key) {
            templates.WriteTemplateValue(section, key, PartText(ranges, i, part));
        });
    } else if (operationName == kCyclePropsTempToArrays) {
        ForEachCycleKey([&](int i, CyclePart part, const std::string &key) {
            const std::string text = templates.ReadTemplateValue(section, key, PartText(factory, i, part));
            SetPart(ranges, i, part, ParseNumberOrZero(text));
        });
    } else if (operationName == kCyclePropsTempToRegArrays) {
        ForEachCycleKey([&](int i, CyclePart part, const std::string &key) {
            CopyTemplateToSetting(context, section, key, PartText(factory, i, part));
        });
    } else if (operationName == kCyclePropsResetToFactory) {
        ForEachCycleKey([&](int i, CyclePart part, const std::string &key) {
            store.WriteSetting(section, key, PartText(factory, i, part));
        });
    } else if (operationName == kCyclePropsSetMinMaxRange) {
        ClampCycleRanges(ranges);
    }
}

} // namespace orvex
