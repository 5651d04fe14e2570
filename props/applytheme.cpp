#include "applytheme.h"

#include "cycletransfer.h"
#include "factorythemes.h"
#include "numbertext.h"
#include "settingvalues.h"

namespace orvex {

namespace {

using SP = StarProperty;

double StoredPerfMult(const SettingsStore &store)
{
    return ReadStoredNumber(store, *FindDescriptor(kSectionAdvanced, kKeyPerfMult));
}

void LoadPropertiesFromStore(StarPropertySet &set, const SettingsStore &store)
{
    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.property)
            set.Set(*descriptor.property, ReadStoredNumber(store, descriptor));
}

} // namespace

void LoadPropertiesFromRow(StarPropertySet &set, std::string_view row)
{
    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.property)
            set.Set(*descriptor.property, ParseNumberOrZero(GetRowField(row, descriptor.rowField)));
}

void ApplyTheme(StarPropertySet &set, const SettingsStore &store, int themeIndex, float starMultiplier)
{
    set.effects = ReadDisplayEffects(store);
    if (themeIndex >= 1) {
        const std::string_view row = GetFactoryThemeRow(themeIndex);
        LoadPropertiesFromRow(set, row);
        set.Set(SP::Stars, set.Value(SP::Stars) * StoredPerfMult(store));
        LoadCycleTriples(set.cycles, row, kThemeCycleField);
        return;
    }
    LoadPropertiesFromStore(set, store);
    set.Set(SP::Stars, set.Value(SP::Stars) * starMultiplier);
    ReadCycleRangesFromStore(set.cycles, store);
}

} // namespace orvex
