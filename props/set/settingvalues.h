// SPDX-License-Identifier: MIT
#pragma once
// A declared setting read from or written to the settings store in its declared type,
// with its factory default.

#include "settingdescriptors.h"
#include "settingsstore.h"

#include <string>

namespace orvex {

// Integers and flags through ReadSettingLong, floats through ReadSettingSingle.
double ReadStoredNumber(const SettingsStore &store, const SettingDescriptor &descriptor, Resolution screen = {});

std::string ReadStoredText(const SettingsStore &store, const SettingDescriptor &descriptor, Resolution screen = {});

bool WriteStoredText(SettingsStore &store, const SettingDescriptor &descriptor, std::string_view text);

// Every setting of the table with the given use.
template <typename Action>
void ForEachSetting(uint16_t use, Action &&action)
{
    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.Has(use))
            action(descriptor);
}

} // namespace orvex
