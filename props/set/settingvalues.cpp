// SPDX-License-Identifier: MIT
#include "settingvalues.h"

#include "numbertext.h"

namespace orvex {

double ReadStoredNumber(const SettingsStore &store, const SettingDescriptor &descriptor, Resolution screen)
{
    const double fallback = ParseNumberOrZero(DefaultText(descriptor, screen));
    switch (descriptor.type) {
    case ValueType::Float:
    case ValueType::WholeFloat:
        return store.ReadSettingSingle(descriptor.section, descriptor.key, ToFloat32(fallback));
    case ValueType::Int:
    case ValueType::Flag:
    case ValueType::Text:
        break;
    }
    return store.ReadSettingLong(descriptor.section, descriptor.key, RoundHalfEven(fallback));
}

std::string ReadStoredText(const SettingsStore &store, const SettingDescriptor &descriptor, Resolution screen)
{
    return store.ReadSettingText(descriptor.section, descriptor.key, DefaultText(descriptor, screen));
}

bool WriteStoredText(SettingsStore &store, const SettingDescriptor &descriptor, std::string_view text)
{
    return store.WriteSetting(descriptor.section, descriptor.key, text);
}

} // namespace orvex
