// SPDX-License-Identifier: MIT
#include "dialogtransfer.h"

#include "cyclepane.h"
#include "cycletransfer.h"
#include "displayeffects.h"
#include "displaysettings.h"
#include "factoryreset.h"
#include "factorythemes.h"
#include "numbertext.h"
#include "propertysources.h"
#include "settingvalues.h"

namespace orvex {

namespace {

// Settings shown in the dialog outside the display frame (which has its own transfer).
template <typename Action>
void ForEachDialogSetting(Action &&action)
{
    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.dialog.field != DialogField::None && descriptor.section != kSectionDirectX)
            action(descriptor);
}

bool IsTextField(DialogField field)
{
    return field == DialogField::Stars || field == DialogField::BlendMult || field == DialogField::ColorProps;
}

} // namespace

StarPropertySet PropertiesFromDialog(const DialogValues &dialog)
{
    StarPropertySet set;
    LoadSectionFromDialog(set, kSectionLumora, dialog);
    LoadColorSettings(set, dialog);
    set.cycles = dialog.cycleRanges;
    set.effects = DisplayEffectsFromDialog(dialog);
    return set;
}

void LoadDialogFromSettings(DialogValues &dialog, const PropsContext &context)
{
    TransferDisplaySettings(dialog, DisplayTransfer::FromStore, context);
    ForEachDialogSetting([&](const SettingDescriptor &descriptor) {
        const std::string text = IsTextField(descriptor.dialog.field)
                                     ? ReadStoredText(context.store, descriptor)
                                     : std::to_string(RoundHalfEven(ReadStoredNumber(context.store, descriptor)));
        SetDialogText(dialog, descriptor.dialog, text);
    });
    TransferCycleRanges(kCyclePropsRegToArrays, dialog.cycleRanges, context);
    RefreshCyclePane(dialog);
}

bool StoreDialogToSettings(DialogValues &dialog, const PropsContext &context)
{
    if (!context.store.CheckSettingsWritable())
        return false;
    bool written = context.store.WriteSetting(kSectionGeneral, kKeyAnimationType, 0);
    ForEachDialogSetting([&](const SettingDescriptor &descriptor) {
        written = WriteStoredText(context.store, descriptor, DialogText(dialog, descriptor.dialog)) && written;
    });
    written = TransferDisplaySettings(dialog, DisplayTransfer::ToStore, context) && written;
    TransferCycleRanges(kCyclePropsArraysToReg, dialog.cycleRanges, context);
    return written;
}

void ApplyThemeToDialog(DialogValues &dialog, int32_t themeNumber)
{
    const std::string_view row = GetFactoryThemeRow(themeNumber);
    if (row.empty())
        return;
    dialog.cboTheme = themeNumber;
    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.property)
            SetDialogText(dialog, descriptor.dialog, GetRowField(row, descriptor.rowField));
    LoadCycleTriples(dialog.cycleRanges, row, kThemeCycleField);
    RefreshCyclePane(dialog);
}

bool LoadDialogOnOpen(DialogValues &dialog, const PropsContext &context)
{
    SettingsStore &store = context.store;
    const bool firstOpening = !store.HasSetting(kSectionGeneral, kKeyResetSettings);
    if (firstOpening)
        store.WriteSetting(kSectionGeneral, kKeyResetSettings, 1);
    const bool saved = store.HasSetting(kSectionGeneral, kKeyAnimationType);
    if (!saved) {
        FactoryReset(dialog, context);
        if (firstOpening)
            return true;
        StoreDialogToSettings(dialog, context);
    }
    LoadDialogFromSettings(dialog, context);
    return firstOpening;
}

} // namespace orvex
