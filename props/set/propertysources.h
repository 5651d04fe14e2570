// SPDX-License-Identifier: MIT
#pragma once
// Filling a property set's star properties, cycling switch and colour settings from
// each of their sources: a factory theme row, the settings store, the dialog's fields.
// Row and store values stay unclamped; dialog values are clamped to their dialog ranges.

#include "dialogvalues.h"
#include "runtimeproperties.h"
#include "settingsstore.h"
#include "starpropertyset.h"

#include <string_view>

namespace orvex {

// Every property of the given section (Lumora or GenColor); the row's fields are shifted
// so that the section's first declared field reads from firstField.
void LoadSectionFromRow(StarPropertySet &set, std::string_view section, std::string_view row, int firstField);
void LoadSectionFromStore(StarPropertySet &set, std::string_view section, const SettingsStore &store);
void LoadSectionFromDialog(StarPropertySet &set, std::string_view section, const DialogValues &dialog);

// The nine colour settings from one source, returned in run-time form.
ColourRuntime LoadColorSettings(StarPropertySet &set, const SettingsStore &store);
ColourRuntime LoadColorSettings(StarPropertySet &set, std::string_view row, int startField);
ColourRuntime LoadColorSettings(StarPropertySet &set, const DialogValues &dialog);

} // namespace orvex
