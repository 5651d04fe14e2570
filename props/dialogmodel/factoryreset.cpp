// SPDX-License-Identifier: MIT
#include "factoryreset.h"

#include "cyclepane.h"
#include "cycletransfer.h"
#include "displaysettings.h"
#include "numbertext.h"
#include "settingvalues.h"

namespace orvex {

void FactoryReset(DialogValues &dialog, const PropsContext &context)
{
    TransferDisplaySettings(dialog, DisplayTransfer::Defaults, context);
    ForEachSetting(kFactoryReset, [&](const SettingDescriptor &descriptor) {
        WriteStoredText(context.store, descriptor, DefaultText(descriptor));
    });

    const SettingDescriptor &cycling = DescriptorOf(StarProperty::CycleProps);
    WriteStoredText(context.store, cycling, DefaultText(cycling));
    TransferCycleRanges(kCyclePropsResetToFactory, dialog.cycleRanges, context);
    dialog.chkCycleProps = RoundHalfEven(ReadStoredNumber(context.store, cycling));
    TransferCycleRanges(kCyclePropsRegToArrays, dialog.cycleRanges, context);
    SelectCycleProperty(dialog, -1);
    SelectCycleProperty(dialog, 0);

    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.property && descriptor.property != StarProperty::CycleProps)
            SetDialogText(dialog, descriptor.dialog, DefaultText(descriptor));
    dialog.chkCycleThemes = 1;
}

} // namespace orvex
