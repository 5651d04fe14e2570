// SPDX-License-Identifier: MIT
#pragma once
// The value-holding controls of the advanced settings dialog, declared once: the key in
// section Advanced each one edits, how its text is checked on leaving it, how the arrow
// keys and its spin button step it, and what Defaults puts into it. Load defaults come
// from the settings table; the hue wheel fields are taken from it whole.

#include "fieldrule.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace orvex {

enum class ControlKind : uint8_t {
    Number, // a text field checked by its rule when it is left
    Text,   // free text: a text field, or the font list
    Choice, // a check box or a list, holding an index; rule.low .. rule.high bound it
};

enum class DefaultsRule : uint8_t {
    LoadDefault, // Defaults shows what a missing key shows
    Keep,        // Defaults leaves the control as it is
    Value,       // Defaults shows defaultsValue
};

struct AdvancedControl {
    std::string_view name{}; // the widget's object name
    std::string_view key{};
    ControlKind kind = ControlKind::Number;
    FieldRule rule;
    int32_t storedOffset = 0;     // a Choice stores its index + storedOffset
    std::string_view ownDefault{}; // the load default of a key the settings table lacks
    DefaultsRule defaults = DefaultsRule::LoadDefault;
    std::string_view defaultsValue{}; // as stored, like a load default
    int8_t division = -1;         // hue wheel division 0-4, held between its neighbours
    int8_t hueWheelField = -1;    // txtHueWheel index

    // The spin button beside a number field: "spn" in place of the field's "txt".
    std::string SpinName() const { return "spn" + std::string(name.substr(3)); }
};

std::span<const AdvancedControl> AdvancedControls();

// The text a missing key shows.
std::string LoadDefaultText(const AdvancedControl &control);

// The text as the control shows it once left: a number field by its rule, a choice as its
// index within range, free text as it is.
std::string CheckedText(const AdvancedControl &control, std::string_view text);

// What the control shows for a stored text: a number field's text as stored when the
// field could hold it, else checked; a choice's index (the stored value less its offset).
std::string ShownText(const AdvancedControl &control, std::string_view stored);

// The stored text of what the control shows: a choice's index plus its offset.
std::string StoredText(const AdvancedControl &control, std::string_view shown);

} // namespace orvex
