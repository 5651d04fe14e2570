// SPDX-License-Identifier: MIT
#include "propertysources.h"

#include "factorythemes.h"
#include "numbertext.h"
#include "settingvalues.h"

#include <algorithm>

namespace orvex {

namespace {

template <typename ValueOf>
void LoadSection(StarPropertySet &set, std::string_view section, ValueOf &&valueOf)
{
    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.property && descriptor.section == section)
            set.Set(*descriptor.property, valueOf(descriptor));
}

int FirstRowField(std::string_view section)
{
    int first = kThemeRowFieldCount;
    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.section == section && descriptor.rowField >= 0)
            first = std::min<int>(first, descriptor.rowField);
    return first;
}

double DialogNumber(const SettingDescriptor &descriptor, std::string_view text)
{
    const double value = ParseNumberOrZero(text);
    const SettingRange range = descriptor.range;
    switch (descriptor.type) {
    case ValueType::Float:
        return ClampSingle(ToFloat32(value), static_cast<float>(range.low), static_cast<float>(range.high));
    case ValueType::Flag:
        return RoundHalfEven(value) == 1 ? 1 : 0;
    case ValueType::Int:
    case ValueType::WholeFloat:
    case ValueType::Text:
        break;
    }
    return ClampLong(RoundHalfEven(value), RoundHalfEven(range.low), RoundHalfEven(range.high));
}

} // namespace

void LoadSectionFromRow(StarPropertySet &set, std::string_view section, std::string_view row, int firstField)
{
    const int shift = firstField - FirstRowField(section);
    LoadSection(set, section, [&](const SettingDescriptor &descriptor) {
        return ParseNumberOrZero(GetRowField(row, descriptor.rowField + shift));
    });
}

void LoadSectionFromStore(StarPropertySet &set, std::string_view section, const SettingsStore &store)
{
    LoadSection(set, section, [&](const SettingDescriptor &descriptor) { return ReadStoredNumber(store, descriptor); });
}

void LoadSectionFromDialog(StarPropertySet &set, std::string_view section, const DialogValues &dialog)
{
    LoadSection(set, section, [&](const SettingDescriptor &descriptor) {
        return DialogNumber(descriptor, DialogText(dialog, descriptor.dialog));
    });
}

ColourRuntime LoadColorSettings(StarPropertySet &set, const SettingsStore &store)
{
    LoadSectionFromStore(set, kSectionGenColor, store);
    return ToColourRuntime(set);
}

ColourRuntime LoadColorSettings(StarPropertySet &set, std::string_view row, int startField)
{
    LoadSectionFromRow(set, kSectionGenColor, row, startField);
    return ToColourRuntime(set);
}

ColourRuntime LoadColorSettings(StarPropertySet &set, const DialogValues &dialog)
{
    LoadSectionFromDialog(set, kSectionGenColor, dialog);
    return ToColourRuntime(set);
}

} // namespace orvex
