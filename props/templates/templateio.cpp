// SPDX-License-Identifier: MIT
#include "templateio.h"

#include "cyclepane.h"
#include "cycletransfer.h"
#include "displaysettings.h"
#include "settingvalues.h"

#include <utility>

namespace orvex {

namespace {

void WriteAdmin(TemplateFile &templates)
{
    templates.WriteTemplateValue(kSectionAdmin, "Product", kTemplateProduct);
    templates.WriteTemplateValue(kSectionAdmin, "Version", TemplateVersion());
    templates.WriteTemplateValue(kSectionAdmin, "Copyright", kTemplateCopyright);
}

// General, Advanced, DirectX, GenColor and Lumora in table order.
void WriteSettings(DialogValues &dialog, const PropsContext &context)
{
    bool displayWritten = false;
    ForEachSetting(kInTemplate, [&](const SettingDescriptor &descriptor) {
        if (descriptor.section == kSectionDirectX) {
            if (!std::exchange(displayWritten, true))
                TransferDisplaySettings(dialog, DisplayTransfer::ToTemplate, context);
        } else if (descriptor.Has(kTemplateFromStore)) {
            CopySettingToTemplate(context, descriptor.section, descriptor.key, DefaultText(descriptor));
        } else if (descriptor.dialog.field != DialogField::None) {
            context.templates.WriteTemplateValue(descriptor.section, descriptor.key,
                                                 DialogText(dialog, descriptor.dialog));
        } else {
            context.templates.WriteTemplateValue(descriptor.section, descriptor.key, DefaultText(descriptor));
        }
    });
}

} // namespace

std::string TemplateVersion()
{
    return ORVEX_VERSION_MAJOR_MINOR "." ORVEX_VERSION_REVISION;
}

void CopySettingToTemplate(const PropsContext &context, std::string_view section, std::string_view key,
                           const SettingValue &defaultValue)
{
    context.templates.WriteTemplateValue(section, key, context.store.ReadSettingText(section, key, defaultValue));
}

bool CopyTemplateToSetting(const PropsContext &context, std::string_view section, std::string_view key,
                           const SettingValue &defaultValue, const std::filesystem::path &path)
{
    // A value the store could not read back is not copied: the key keeps its value, and
    // one runaway template line cannot make every later start slow.
    const std::string text = context.templates.ReadTemplateValue(section, key, defaultValue, path);
    return ReadsBackAsStored(text) && context.store.WriteSetting(section, key, text);
}

bool SaveTemplate(DialogValues &dialog, const PropsContext &context)
{
    if (context.templates.CurrentPath().empty())
        return false;
    WriteAdmin(context.templates);
    WriteSettings(dialog, context);
    TransferCycleRanges(kCyclePropsArraysToTemp, dialog.cycleRanges, context);
    return context.templates.FinishWriting();
}

TemplateCheck LoadTemplateIntoSettings(const std::filesystem::path &templatePath, bool full,
                                       const PropsContext &context)
{
    // Loading a file that is no template would set every value to its default.
    const TemplateCheck check = context.templates.CheckTemplate(templatePath);
    if (check != TemplateCheck::Usable) {
        context.templates.ClearCache();
        return check;
    }
    const SettingsBatch batch(context.store);
    context.templates.SetCurrentPath(templatePath);
    const uint16_t uses = full ? kTemplateLoadTheme | kTemplateLoadFull : kTemplateLoadTheme;
    ForEachSetting(uses, [&](const SettingDescriptor &descriptor) {
        CopyTemplateToSetting(context, descriptor.section, descriptor.key, DefaultText(descriptor, context.screen));
    });
    CycleRanges unused;
    TransferCycleRanges(kCyclePropsTempToRegArrays, unused, context);
    context.templates.ClearCache();
    return TemplateCheck::Usable;
}

void OpenTemplateIntoDialog(DialogValues &dialog, const PropsContext &context)
{
    TransferDisplaySettings(dialog, DisplayTransfer::FromTemplate, context);
    ForEachSetting(kTemplateLoadTheme, [&](const SettingDescriptor &descriptor) {
        SetDialogText(dialog, descriptor.dialog,
                      context.templates.ReadTemplateValue(descriptor.section, descriptor.key, DefaultText(descriptor)));
    });
    ForEachSetting(kTemplateLoadFull, [&](const SettingDescriptor &descriptor) {
        if (descriptor.section == kSectionAdvanced)
            CopyTemplateToSetting(context, descriptor.section, descriptor.key, DefaultText(descriptor));
    });
    TransferCycleRanges(kCyclePropsTempToArrays, dialog.cycleRanges, context);
    RefreshCyclePane(dialog);
    context.templates.ClearCache();
}

} // namespace orvex
