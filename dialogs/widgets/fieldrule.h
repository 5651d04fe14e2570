// SPDX-License-Identifier: MIT
#pragma once
// How a number field of the properties dialog takes its input: the characters it
// accepts, its length, the Up and Down key step, its spin button's range and page step,
// and the clamp applied when the field is left. Rules come from the setting table, so
// the dialog states no range of its own.

#include "dialogvalues.h"

#include <string>
#include <string_view>

namespace orvex {

struct FieldRule {
    double low = 0;         // the clamp when the field is left
    double high = 0;
    bool decimal = false;   // accepts one decimal point
    bool negative = false;  // accepts a leading minus
    int maxLength = 0;      // 0: any length
    int keyStep = 0;        // Up / Down; 0: the keys are not handled
    bool hasSpin = false;
    int spinScale = 1;      // field value = spin value x spinScale
    int spinLow = 0;
    int spinHigh = 0;
    int pageStep = 1;
};

// The rule of a text field the setting table places in the dialog.
FieldRule FieldRuleOf(DialogSlot slot);

// What cycle pane field 0 (low), 1 (high) or 2 (frames) accepts for the chosen property:
// its characters and length. Leaving these fields is the cycle pane's own operation
// (LeaveCycleField).
FieldRule CycleFieldRule(const DialogValues &dialog, int field);

// Whether typing may leave this text in the field: digits only, one point in decimal
// fields, a leading minus where the range reaches below zero.
bool AcceptsTyping(const FieldRule &rule, std::string_view text);

// The field's number plus direction x keyStep, kept within the clamp, as a whole number.
std::string StepFieldText(const FieldRule &rule, std::string_view text, int direction);

// Integer fields: the nearest whole number within the clamp; decimal fields: the clamped
// float32 written with a point.
std::string LeaveFieldText(const FieldRule &rule, std::string_view text);

// The text as the field shows it: unchanged when the field could hold it (its characters,
// length and value fit), else as leaving the field would make it.
std::string ShownFieldText(const FieldRule &rule, std::string_view text);

// The spin button's value for the field's text (a tenth of Stars, halves to even), and
// the field's text for a spin value.
int SpinValueOf(const FieldRule &rule, std::string_view text);
std::string FieldTextOfSpin(const FieldRule &rule, int spinValue);

} // namespace orvex
