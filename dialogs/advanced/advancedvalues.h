// SPDX-License-Identifier: MIT
#pragma once
// What the advanced settings dialog shows, standing in for its widgets: loaded from
// section Advanced, reset by Defaults, checked field by field, and stored on OK.

#include "huewheel.h"
#include "settingsstore.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace orvex {

// The folder whose templates take part in theme cycling, and the chosen files in it.
struct TemplateSelection {
    std::string drive;     // the mounted file system holding the folder
    std::string directory;
    std::vector<std::string> files;

    bool operator==(const TemplateSelection &) const = default;
};

struct AdvancedValues {
    std::vector<std::string> controls; // the text of each AdvancedControls() entry
    int32_t themeFlags = 0;            // bit i: factory theme i + 1 takes part in cycling
    bool cycleThemes = true;           // the properties dialog's switch; stored by that dialog
    TemplateSelection templates;

    bool operator==(const AdvancedValues &) const = default;
};

// Missing keys show their load defaults; every value is shown in range.
AdvancedValues LoadAdvancedValues(const SettingsStore &store, bool cycleThemes);

// The Defaults button: the controls' defaults, all but three themes, cycling on; the
// template selection and the capture switch stay.
void ApplyAdvancedDefaults(AdvancedValues &values);

// Leaving control i: its check, and a hue wheel division is then held between its
// neighbours so that the five never cross.
void LeaveAdvancedControl(AdvancedValues &values, size_t i);

// Every key of the dialog to section Advanced as one replacement of the settings file;
// false, with the file as it was, when it cannot be written. The cycling switch is not
// among them.
bool StoreAdvancedValues(const AdvancedValues &values, SettingsStore &store);

// The hue wheel fields, as the hue wheel is built from them.
AdvancedDialogValues HueWheelFields(const AdvancedValues &values);

inline bool ThemeSelected(int32_t flags, int entry)
{
    return (flags >> entry & 1) != 0;
}

inline int32_t WithTheme(int32_t flags, int entry)
{
    return flags | int32_t{1} << entry;
}

} // namespace orvex
