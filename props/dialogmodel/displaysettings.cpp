// SPDX-License-Identifier: MIT
#include "displaysettings.h"

#include "numbertext.h"
#include "settingvalues.h"

#include <vector>

namespace orvex {

namespace {

std::vector<const SettingDescriptor *> DisplayDescriptors()
{
    std::vector<const SettingDescriptor *> display;
    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.section == kSectionDirectX && descriptor.dialog.field != DialogField::None)
            display.push_back(&descriptor);
    return display;
}

bool IsResolution(const SettingDescriptor &descriptor)
{
    return descriptor.dialog.field == DialogField::ResolutionWidth ||
           descriptor.dialog.field == DialogField::ResolutionHeight;
}

// The rendering size and the filter choice: what the defaults also put into the store.
bool IsStoredByDefaults(const SettingDescriptor &descriptor)
{
    return IsResolution(descriptor) || descriptor.dialog.field == DialogField::FilterEffect;
}

int32_t SourceValue(const SettingDescriptor &descriptor, DisplayTransfer operation, const PropsContext &context)
{
    const std::string fallback = DefaultText(descriptor, context.screen);
    switch (operation) {
    case DisplayTransfer::FromStore:
        return RoundHalfEven(ReadStoredNumber(context.store, descriptor, context.screen));
    case DisplayTransfer::FromTemplate:
        return RoundHalfEven(
            ParseNumberOrZero(context.templates.ReadTemplateValue(descriptor.section, descriptor.key, fallback)));
    default: // the defaults
        if (IsStoredByDefaults(descriptor))
            WriteStoredText(context.store, descriptor, fallback);
        return RoundHalfEven(ParseNumberOrZero(fallback));
    }
}

void FillDialog(DialogValues &dialog, DisplayTransfer operation, const PropsContext &context)
{
    Resolution wanted{};
    for (const SettingDescriptor *descriptor : DisplayDescriptors()) {
        const int32_t value = SourceValue(*descriptor, operation, context);
        if (descriptor->dialog.field == DialogField::ResolutionWidth)
            wanted.width = value;
        else if (descriptor->dialog.field == DialogField::ResolutionHeight)
            wanted.height = value;
        else
            SetDialogText(dialog, descriptor->dialog, std::to_string(value));
    }
    SelectResolution(dialog, wanted, context.screen);
}

bool WriteDialog(const DialogValues &dialog, DisplayTransfer operation, const PropsContext &context)
{
    bool written = true;
    for (const SettingDescriptor *descriptor : DisplayDescriptors()) {
        const std::string text = DialogText(dialog, descriptor->dialog);
        if (IsResolution(*descriptor) && text.empty())
            continue; // no resolution chosen: the stored one stays
        if (operation == DisplayTransfer::ToStore)
            written = WriteStoredText(context.store, *descriptor, text) && written;
        else
            context.templates.WriteTemplateValue(descriptor->section, descriptor->key, text);
    }
    return written;
}

} // namespace

void FillDisplayLists(DialogValues &dialog, const ResolutionList &resolutions)
{
    dialog.cboResolutionItems = resolutions;
    dialog.cboResolution = -1;
    dialog.cboVertOffset = kVertOffsetZeroIndex;
}

bool TransferDisplaySettings(DialogValues &dialog, DisplayTransfer operation, const PropsContext &context)
{
    if (operation == DisplayTransfer::ToStore || operation == DisplayTransfer::ToTemplate)
        return WriteDialog(dialog, operation, context);
    FillDialog(dialog, operation, context);
    return true;
}

} // namespace orvex
