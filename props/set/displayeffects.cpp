// SPDX-License-Identifier: MIT
#include "displayeffects.h"

#include "numbertext.h"
#include "settingvalues.h"

namespace orvex {

namespace {

int32_t *EffectField(DisplayEffects &effects, DialogSlot slot)
{
    switch (slot.field) {
    case DialogField::FilterEffect:
        return &effects.filterIndex;
    case DialogField::FilterRGB:
        return slot.index == 0 ? &effects.maskRed : slot.index == 1 ? &effects.maskGreen : &effects.maskBlue;
    case DialogField::DesktopBlend:
        return slot.index == 0 ? &effects.desktopPercent : &effects.desktopFrames;
    default:
        return nullptr;
    }
}

template <typename ValueOf>
DisplayEffects CollectEffects(ValueOf &&valueOf)
{
    DisplayEffects effects;
    for (const SettingDescriptor &descriptor : SettingDescriptors()) {
        int32_t *field = EffectField(effects, descriptor.dialog);
        if (field == nullptr)
            continue;
        const int32_t value = RoundHalfEven(valueOf(descriptor));
        const bool ranged = descriptor.range.high > descriptor.range.low;
        *field = ranged ? ClampLong(value, RoundHalfEven(descriptor.range.low), RoundHalfEven(descriptor.range.high))
                        : value;
    }
    return effects;
}

} // namespace

DisplayEffects ReadDisplayEffects(const SettingsStore &store)
{
    return CollectEffects([&](const SettingDescriptor &descriptor) { return ReadStoredNumber(store, descriptor); });
}

DisplayEffects DisplayEffectsFromDialog(const DialogValues &dialog)
{
    return CollectEffects([&](const SettingDescriptor &descriptor) {
        return ParseNumberOrZero(DialogText(dialog, descriptor.dialog));
    });
}

} // namespace orvex
