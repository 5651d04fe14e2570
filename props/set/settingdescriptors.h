// SPDX-License-Identifier: MIT
#pragma once
// Every stored setting the property model touches, declared once: where it lives, its
// type, factory default, dialog range, and where it appears (dialog field, theme row
// field, template file, factory reset). Store reads, template reading and writing, the
// factory reset and the dialog transfers all walk this table; its order is the order
// of keys in a template file.

#include "resolutionlist.h"
#include "starproperty.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace orvex {

inline constexpr std::string_view kSectionGeneral = "General";
inline constexpr std::string_view kSectionAdvanced = "Advanced";
inline constexpr std::string_view kSectionDirectX = "DirectX";
inline constexpr std::string_view kSectionGenColor = "GenColor";
inline constexpr std::string_view kSectionLumora = "Lumora";
inline constexpr std::string_view kSectionCycleProps = "CycleProps";

// Keys the code names on its own besides the table.
inline constexpr std::string_view kKeyAnimationType = "AnimationType"; // General: settings saved once
inline constexpr std::string_view kKeyResetSettings = "ResetSettings"; // General: dialog opened before
inline constexpr std::string_view kKeyPerfMult = "Adv_PerfMult";

enum class ValueType : uint8_t {
    Int,
    Float,
    WholeFloat, // kept as float32 but entered and clamped as a whole number
    Flag,       // check-box value, on when non-zero
    Text,
};

enum class DefaultSource : uint8_t { Fixed, ScreenWidth, ScreenHeight };

// Where a setting appears besides the store.
enum SettingUse : uint16_t {
    kInTemplate = 1 << 0,          // written to template files
    kTemplateFromStore = 1 << 1,   // its template value is copied from the store
    kTemplateLoadFull = 1 << 2,    // copied template -> store only by a full template load
    kTemplateLoadTheme = 1 << 3,   // copied template -> store by every template load
    kFactoryReset = 1 << 4,        // written back to its default by the dialog's reset
};

// The field of the properties dialog that shows a setting.
enum class DialogField : uint8_t {
    None,
    Stars,            // txtStars[index]
    BlendMult,        // txtBlendMult
    EmitPattern,      // cboEmitPattern list index
    CycleProps,       // chkCycleProps
    ColorProps,       // txtColorProps[index]
    CycleThemes,      // chkCycleThemes
    ResolutionWidth,  // width of the selected cboResolution entry
    ResolutionHeight, // height of the selected cboResolution entry
    VertOffset,       // cboVertOffset, list index - 9
    FilterEffect,     // cboFilterEffect list index
    FilterRGB,        // txtFilterRGB[index]
    DesktopBlend,     // txtDesktopBlend[index]
};

struct DialogSlot {
    DialogField field = DialogField::None;
    int8_t index = 0;
};

struct SettingRange {
    double low = 0;
    double high = 0;
};

struct SettingDescriptor {
    std::string_view section;
    std::string_view key;
    ValueType type = ValueType::Int;
    std::string_view factoryDefault;
    DefaultSource defaultSource = DefaultSource::Fixed;
    SettingRange range;         // the dialog's clamp (hue wheel: the load clamp)
    uint16_t uses = 0;
    DialogSlot dialog;
    int8_t rowField = -1;       // field of a factory theme row
    int8_t hueWheelField = -1;  // txtHueWheel index of the advanced dialog
    std::optional<StarProperty> property;

    bool Has(uint16_t use) const { return (uses & use) != 0; }
};

std::span<const SettingDescriptor> SettingDescriptors();

const SettingDescriptor &DescriptorOf(StarProperty property);

// Nullptr when the table has no such setting.
const SettingDescriptor *FindDescriptor(std::string_view section, std::string_view key);

// The factory default as text; the display size defaults to the primary screen.
std::string DefaultText(const SettingDescriptor &descriptor, Resolution screen = {});

} // namespace orvex
