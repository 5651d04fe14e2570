// SPDX-License-Identifier: MIT
#include "applytheme.h"

#include "cycletransfer.h"
#include "factorythemes.h"
#include "displayeffects.h"
#include "propertysources.h"

namespace orvex {

using SP = StarProperty;

void ApplyTheme(StarPropertySet &set, const SettingsStore &store, int themeIndex, float starMultiplier)
{
    set.effects = ReadDisplayEffects(store);
    if (themeIndex >= 1) {
        const std::string_view row = GetFactoryThemeRow(themeIndex);
        LoadSectionFromRow(set, kSectionLumora, row, 0);
        LoadColorSettings(set, row, kThemeColourField);
        set.Set(SP::Stars, set.Value(SP::Stars) * starMultiplier);
        LoadCycleTriples(set.cycles, row, kThemeCycleField);
        return;
    }
    LoadSectionFromStore(set, kSectionLumora, store);
    LoadColorSettings(set, store);
    set.Set(SP::Stars, set.Value(SP::Stars) * starMultiplier);
    ReadCycleRangesFromStore(set.cycles, store);
}

} // namespace orvex
