// SPDX-License-Identifier: MIT
#include "advancedcontrols.h"

#include "huewheel.h"
#include "numbertext.h"
#include "settingdescriptors.h"
#include "settingsstore.h"

#include <array>
#include <stdexcept>
#include <vector>

namespace orvex {

namespace {

using enum ControlKind;

// Free text is kept to what the store can read back.
constexpr FieldRule kFreeText{.maxLength = static_cast<int>(kMaxSettingTextLength)};

constexpr FieldRule Choices(int count)
{
    return {.low = 0, .high = static_cast<double>(count - 1)};
}

// A whole-number field of at most as many characters as its upper bound has digits,
// stepped by the arrow keys and a spin button within spinLow .. high.
constexpr FieldRule Stepped(int low, int high, int step, int spinLow, int maxLength)
{
    return {.low = static_cast<double>(low), .high = static_cast<double>(high), .maxLength = maxLength,
            .keyStep = step, .hasSpin = true, .spinLow = spinLow, .spinHigh = high, .pageStep = step * 10};
}

constexpr FieldRule Real(double low, double high)
{
    return {.low = low, .high = high, .decimal = true};
}

constexpr std::array kFixedControls{
    AdvancedControl{.name = "txtAdv_0", .key = "Adv_TimeDelay", .rule = Stepped(0, 999, 10, 0, 3)},
    AdvancedControl{.name = "txtAdv_1", .key = "FocalLength", .rule = Real(0.01, 10.0)},
    // The spin button runs from 0; leaving the field raises the value to 100.
    AdvancedControl{.name = "txtAdv_4", .key = "Adv_EffectFPC", .rule = Stepped(100, 30000, 100, 0, 5)},
    AdvancedControl{.name = "txtAdv_5", .key = "Adv_PerfMult", .rule = Real(0.1, 9.9)},
    AdvancedControl{.name = "chkMouseM", .key = "Adv_MouseMove", .kind = Choice, .rule = Choices(2)},
    AdvancedControl{.name = "cboMultimonitor", .key = "Adv_MultiMonitor", .kind = Choice, .rule = Choices(3)},
    AdvancedControl{.name = "cboFont", .key = "Adv_FontName", .kind = Text, .rule = kFreeText},
    AdvancedControl{.name = "txtMessage_0", .key = "Adv_FontSize", .rule = Stepped(8, 80, 1, 8, 2)},
    AdvancedControl{.name = "txtMessage_1", .key = "Adv_FontTOff", .rule = Stepped(0, 99, 1, 0, 2)},
    AdvancedControl{.name = "txtMessage_2", .key = "Adv_FontHueV", .rule = Stepped(0, 359, 1, 0, 3)},
    AdvancedControl{.name = "txtMessage_3", .key = "Adv_FontHInc", .rule = Stepped(0, 99, 1, 0, 2)},
    AdvancedControl{.name = "txtMessage_4", .key = "LockMessage", .kind = Text, .rule = kFreeText},
    AdvancedControl{.name = "txtMessage_5", .key = "Adv_CMinutes", .rule = Stepped(0, 60, 1, 0, 2)},
    AdvancedControl{.name = "txtMessage_6", .key = "Adv_TimeText", .kind = Text, .rule = kFreeText},
    AdvancedControl{.name = "txtMessage_7", .key = "Adv_ZeroText", .kind = Text, .rule = kFreeText},
    AdvancedControl{.name = "cboCycleStyle", .key = "Adv_CycleStyle", .kind = Choice, .rule = Choices(3)},
    AdvancedControl{.name = "chkDispThemeName", .key = "Adv_DispTempName", .kind = Choice, .rule = Choices(2)},
    AdvancedControl{.name = "chkScreenCapture", .key = "Adv_ScreenCapt", .kind = Choice, .rule = Choices(2),
                    .defaults = DefaultsRule::Keep},
    // Items "1" to "100": the number of capture files kept in rotation.
    AdvancedControl{.name = "cboCaptureImageBuffer", .key = "Adv_ImageBufferMax", .kind = Choice,
                    .rule = Choices(100), .storedOffset = 1, .ownDefault = "100",
                    .defaults = DefaultsRule::Value, .defaultsValue = "10"},
};

constexpr std::array<std::string_view, kHueWheelFieldCount> kHueWheelNames{
    "txtHueWheel_0", "txtHueWheel_1", "txtHueWheel_2", "txtHueWheel_3", "txtHueWheel_4",
    "txtHueWheel_5", "txtHueWheel_6", "txtHueWheel_7", "txtHueWheel_8",
};

int DigitsOf(double value)
{
    return static_cast<int>(std::to_string(RoundHalfEven(value)).size());
}

// The hue wheel fields as the settings table declares them, in field order.
std::vector<AdvancedControl> HueWheelControls()
{
    std::vector<AdvancedControl> controls(kHueWheelFieldCount);
    for (const SettingDescriptor &descriptor : SettingDescriptors()) {
        const int8_t field = descriptor.hueWheelField;
        if (field < 0)
            continue;
        AdvancedControl &control = controls[field];
        control.name = kHueWheelNames[field];
        control.key = descriptor.key;
        control.rule = {.low = descriptor.range.low, .high = descriptor.range.high,
                        .maxLength = DigitsOf(descriptor.range.high)};
        control.division = field < kDivisionCount ? field : -1;
        control.hueWheelField = field;
    }
    return controls;
}

std::vector<AdvancedControl> AllControls()
{
    std::vector<AdvancedControl> controls(kFixedControls.begin(), kFixedControls.end());
    const std::vector<AdvancedControl> hueWheel = HueWheelControls();
    controls.insert(controls.end(), hueWheel.begin(), hueWheel.end());
    return controls;
}

} // namespace

std::span<const AdvancedControl> AdvancedControls()
{
    static const std::vector<AdvancedControl> controls = AllControls();
    return controls;
}

std::string LoadDefaultText(const AdvancedControl &control)
{
    if (const SettingDescriptor *descriptor = FindDescriptor(kSectionAdvanced, control.key))
        return DefaultText(*descriptor);
    if (control.ownDefault.empty())
        throw std::logic_error("no default for " + std::string(control.key));
    return std::string(control.ownDefault);
}

std::string CheckedText(const AdvancedControl &control, std::string_view text)
{
    switch (control.kind) {
    case Number:
        return LeaveFieldText(control.rule, text);
    case Choice:
        return std::to_string(ClampLong(RoundHalfEven(ParseNumberOrZero(text)), RoundHalfEven(control.rule.low),
                                        RoundHalfEven(control.rule.high)));
    case Text:
        break;
    }
    return std::string(text);
}

std::string ShownText(const AdvancedControl &control, std::string_view stored)
{
    switch (control.kind) {
    case Number:
        return ShownFieldText(control.rule, stored);
    case Choice: {
        const int64_t index = int64_t{RoundHalfEven(ParseNumberOrZero(stored))} - control.storedOffset;
        return CheckedText(control, std::to_string(index));
    }
    case Text:
        break;
    }
    return std::string(stored);
}

std::string StoredText(const AdvancedControl &control, std::string_view shown)
{
    if (control.kind != Choice)
        return std::string(shown);
    return std::to_string(int64_t{RoundHalfEven(ParseNumberOrZero(shown))} + control.storedOffset);
}

} // namespace orvex
