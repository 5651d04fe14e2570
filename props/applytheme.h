#pragma once
// Filling the property set for the next theme: from a factory theme row or from the
// settings store.

#include "starpropertyset.h"
#include "settingsstore.h"

namespace orvex {

// themeIndex >= 1: factory theme themeIndex (a number without a theme reads as all
// zeros), its Stars times the stored Adv_PerfMult (read from the store on each call;
// starMultiplier is not used); otherwise the settings store, Stars times starMultiplier. In both cases the display effects come
// from the store. Values stay in stored form; they are clamped at run-time conversion.
void ApplyTheme(StarPropertySet &set, const SettingsStore &store, int themeIndex, float starMultiplier);

} // namespace orvex
