// SPDX-License-Identifier: MIT
#pragma once
// Filling the property set for the next theme: from a factory theme row or from the
// settings store.

#include "starpropertyset.h"
#include "settingsstore.h"

namespace orvex {

// themeIndex >= 1: factory theme themeIndex (a number without a theme reads as all
// zeros); otherwise the settings store. Stars is multiplied by starMultiplier, the run's
// performance multiplier (1 unless themes cycle). In both cases the display effects come
// from the store. Values stay in stored form; they are clamped at run-time conversion.
void ApplyTheme(StarPropertySet &set, const SettingsStore &store, int themeIndex, float starMultiplier);

} // namespace orvex
