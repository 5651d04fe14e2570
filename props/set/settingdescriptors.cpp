// SPDX-License-Identifier: MIT
#include "settingdescriptors.h"

#include <array>

namespace orvex {

namespace {

using enum ValueType;
using enum DialogField;
using SP = StarProperty;

constexpr uint16_t kAdvancedInTemplate = kInTemplate | kTemplateFromStore | kTemplateLoadFull;
constexpr uint16_t kAdvancedStandard = kAdvancedInTemplate | kFactoryReset;
constexpr uint16_t kThemeSetting = kInTemplate | kTemplateLoadTheme;

constexpr SettingDescriptor Setting(std::string_view section, std::string_view key, ValueType type,
                                    std::string_view value, uint16_t uses)
{
    SettingDescriptor descriptor;
    descriptor.section = section;
    descriptor.key = key;
    descriptor.type = type;
    descriptor.factoryDefault = value;
    descriptor.uses = uses;
    return descriptor;
}

constexpr SettingDescriptor Advanced(std::string_view key, ValueType type, std::string_view value,
                                     uint16_t uses = kAdvancedStandard)
{
    return Setting(kSectionAdvanced, key, type, value, uses);
}

constexpr SettingDescriptor CycleThemesSwitch()
{
    SettingDescriptor descriptor = Setting(kSectionAdvanced, "Adv_ZeviCycle", Flag, "1", kAdvancedInTemplate);
    descriptor.dialog = {CycleThemes, 0};
    return descriptor;
}

constexpr SettingDescriptor HueWheel(std::string_view key, std::string_view value, int8_t field, double high,
                                     uint16_t uses)
{
    SettingDescriptor descriptor = Setting(kSectionAdvanced, key, Int, value, uses);
    descriptor.range = {0, high};
    descriptor.hueWheelField = field;
    return descriptor;
}

constexpr SettingDescriptor DirectX(std::string_view key, DialogSlot slot, SettingRange range = {},
                                    uint16_t uses = kInTemplate, DefaultSource source = DefaultSource::Fixed)
{
    SettingDescriptor descriptor = Setting(kSectionDirectX, key, Int, "0", uses);
    descriptor.range = range;
    descriptor.defaultSource = source;
    descriptor.dialog = slot;
    return descriptor;
}

constexpr SettingDescriptor ThemeSetting(std::string_view section, std::string_view key, ValueType type,
                                         std::string_view value, SettingRange range, DialogSlot slot,
                                         int8_t rowField, SP property)
{
    SettingDescriptor descriptor = Setting(section, key, type, value, kThemeSetting);
    descriptor.range = range;
    descriptor.dialog = slot;
    descriptor.rowField = rowField;
    descriptor.property = property;
    return descriptor;
}

constexpr SettingDescriptor Colour(std::string_view key, ValueType type, std::string_view value,
                                   SettingRange range, int8_t dialogIndex, int8_t rowField, SP property)
{
    return ThemeSetting(kSectionGenColor, key, type, value, range, {ColorProps, dialogIndex}, rowField, property);
}

constexpr SettingDescriptor Star(std::string_view key, ValueType type, std::string_view value,
                                 SettingRange range, DialogSlot slot, int8_t rowField, SP property)
{
    return ThemeSetting(kSectionLumora, key, type, value, range, slot, rowField, property);
}

// Template order: General, Advanced, DirectX, GenColor, Lumora (the cycle ranges follow
// them, written by the cycle transfer). Keys outside templates sit beside their section.
constexpr std::array kDescriptors{
    Setting(kSectionGeneral, kKeyAnimationType, Int, "0", kInTemplate | kTemplateLoadFull),

    Advanced("FocalLength", Float, "1"),
    Advanced("Adv_TimeDelay", Int, "10"),
    Advanced("Adv_EffectFPC", Int, "6000"),
    Advanced(kKeyPerfMult, Float, "1"),
    CycleThemesSwitch(),
    Advanced("Adv_ThemeFlags", Int, "15726335"),
    Advanced("Adv_CycleStyle", Int, "1", kFactoryReset),
    Advanced("LockMessage", Text, ""),
    Advanced("Adv_FontName", Text, "Arial"),
    Advanced("Adv_FontSize", Int, "12"),
    Advanced("Adv_FontHueV", Int, "180"),
    Advanced("Adv_FontTOff", Int, "2"),
    Advanced("Adv_FontHInc", Int, "10"),
    Advanced("Adv_CMinutes", Int, "0"),
    Advanced("Adv_TimeText", Text, ""),
    Advanced("Adv_ZeroText", Text, ""),
    Advanced("Adv_MouseMove", Int, "0"),
    Advanced("Adv_ScreenCapt", Int, "0"),
    Advanced("Adv_DispTempName", Int, "0", kTemplateLoadFull | kFactoryReset),
    Advanced("Adv_MultiMonitor", Int, "0", kTemplateLoadFull | kFactoryReset),
    HueWheel("Adv_HueWheel0", "100", 0, 360, 0),
    HueWheel("Adv_HueWheel1", "150", 1, 360, 0),
    HueWheel("Adv_HueWheel2", "180", 2, 360, 0),
    HueWheel("Adv_HueWheel3", "255", 3, 360, 0),
    HueWheel("Adv_HueWheel4", "315", 4, 360, 0),
    HueWheel("Adv_HWB_Start", "0", 5, 360, kAdvancedInTemplate),
    HueWheel("Adv_HWB_Level", "0", 6, 100, kAdvancedInTemplate),
    HueWheel("Adv_HWB_BSpan", "0", 7, 9999, kAdvancedInTemplate),
    HueWheel("Adv_HWB_Speed", "0", 8, 9999, kAdvancedInTemplate),

    DirectX("DX_WinWidth", {ResolutionWidth, 0}, {}, kInTemplate | kTemplateLoadFull, DefaultSource::ScreenWidth),
    DirectX("DX_WinHeight", {ResolutionHeight, 0}, {}, kInTemplate | kTemplateLoadFull, DefaultSource::ScreenHeight),
    // an index outside the filter table means no filter, so it is kept as it is
    DirectX("DX_FilterIndex", {FilterEffect, 0}, {}, kInTemplate | kTemplateLoadFull),
    DirectX("DX_FilterMaskR", {FilterRGB, 0}, {0, 255}),
    DirectX("DX_FilterMaskG", {FilterRGB, 1}, {0, 255}),
    DirectX("DX_FilterMaskB", {FilterRGB, 2}, {0, 255}),
    DirectX("DX_DesktopPercent", {DesktopBlend, 0}, {0, 99}),
    DirectX("DX_DesktopFrames", {DesktopBlend, 1}, {0, 999}),
    DirectX("DX_VertOffset", {VertOffset, 0}, {-9, 9}, kInTemplate | kTemplateLoadFull),

    Colour("HWC_ConeBright", Int, "100", {0, 100}, 0, 20, SP::ConeBright),
    Colour("HWC_ConeBlack", Int, "25", {0, 100}, 1, 21, SP::ConeBlack),
    Colour("HWC_ConeBBias", Int, "150", {0, 999}, 2, 22, SP::ConeBBias),
    Colour("HWC_ConeTwist", Int, "30", {-999, 999}, 3, 23, SP::ConeTwist),
    Colour("HWC_WedgeMin", Int, "30", {0, 9999}, 10, 25, SP::WedgeMin),
    Colour("HWC_WedgeMax", Int, "90", {0, 9999}, 11, 26, SP::WedgeMax),
    Colour("HWC_WedgeFra", Int, "600", {1, 99999}, 12, 27, SP::WedgeFra),
    Colour("HWC_StartFra", Float, "2400", {1, 99999}, 13, 28, SP::StartFra),
    Colour("HWC_StartAng", Int, "210", {0, 360}, 14, 29, SP::StartAng),

    Star("Stars", Int, "50000", {10, 99999}, {Stars, 0}, 0, SP::Stars),
    Star("Speed", WholeFloat, "5000", {0, 9999}, {Stars, 1}, 1, SP::Speed),
    Star("Persist", Float, "0.98", {0, 1}, {Stars, 2}, 2, SP::Persist),
    Star("Gravity", Float, "0", {0, 9.99}, {Stars, 3}, 3, SP::Gravity),
    Star("LocVOff", Int, "0", {0, 9999}, {Stars, 4}, 4, SP::LocVOff),
    Star("BrightAgeInc", Int, "50", {0, 99}, {Stars, 5}, 5, SP::BrightAgeInc),
    Star("CometControl", Int, "6", {4, 99}, {Stars, 7}, 8, SP::CometControl),
    Star("CometCtrStep", Int, "400", {0, 9999}, {Stars, 8}, 9, SP::CometCtrStep),
    Star("CometBiasPnt", Int, "4", {1, 99}, {Stars, 9}, 10, SP::CometBiasPnt),
    Star("CometBiasExp", WholeFloat, "3000", {0, 9999}, {Stars, 10}, 11, SP::CometBiasExp),
    Star("CometBiasSpd", WholeFloat, "250", {0, 9999}, {Stars, 11}, 12, SP::CometBiasSpd),
    Star("CometSplnExp", WholeFloat, "25", {0, 9999}, {Stars, 12}, 13, SP::CometSplnExp),
    Star("CometSolWind", WholeFloat, "5000", {0, 9999}, {Stars, 13}, 14, SP::CometSolWind),
    Star("CometScalMul", WholeFloat, "10", {1, 99}, {Stars, 14}, 15, SP::CometScalMul),
    Star("BlendMul", Int, "97", {0, 100}, {BlendMult, 0}, 6, SP::BlendMul),
    Star("Star_EmitPattern", Int, "0", {0, 13}, {EmitPattern, 0}, 7, SP::EmitPattern),
    Star("StarCycleProps", Flag, "1", {0, 1}, {CycleProps, 0}, 30, SP::CycleProps),
};

constexpr std::array<const SettingDescriptor *, kStarPropertyCount> IndexByProperty()
{
    std::array<const SettingDescriptor *, kStarPropertyCount> index{};
    for (const auto &descriptor : kDescriptors)
        if (descriptor.property)
            index[static_cast<size_t>(*descriptor.property)] = &descriptor;
    return index;
}

constexpr auto kByProperty = IndexByProperty();

constexpr bool EveryPropertyDeclaredOnce()
{
    int declared = 0;
    for (const auto &descriptor : kDescriptors)
        declared += descriptor.property ? 1 : 0;
    for (const auto *entry : kByProperty)
        if (entry == nullptr)
            return false;
    return declared == kStarPropertyCount;
}
static_assert(EveryPropertyDeclaredOnce());

} // namespace

std::span<const SettingDescriptor> SettingDescriptors()
{
    return kDescriptors;
}

const SettingDescriptor &DescriptorOf(StarProperty property)
{
    return *kByProperty[static_cast<size_t>(property)];
}

const SettingDescriptor *FindDescriptor(std::string_view section, std::string_view key)
{
    for (const auto &descriptor : kDescriptors)
        if (descriptor.section == section && descriptor.key == key)
            return &descriptor;
    return nullptr;
}

std::string DefaultText(const SettingDescriptor &descriptor, Resolution screen)
{
    switch (descriptor.defaultSource) {
    case DefaultSource::ScreenWidth:
        return std::to_string(screen.width);
    case DefaultSource::ScreenHeight:
        return std::to_string(screen.height);
    case DefaultSource::Fixed:
        break;
    }
    return std::string(descriptor.factoryDefault);
}

} // namespace orvex
