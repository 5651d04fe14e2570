// SPDX-License-Identifier: MIT
#include "fieldrule.h"

#include <gtest/gtest.h>

namespace orvex::test {
namespace {

constexpr DialogSlot Star(int8_t index)
{
    return {DialogField::Stars, index};
}

struct StepCase {
    DialogSlot slot;
    const char *text;
    int direction;
    const char *expected;
};

TEST(FieldRule, UpAndDownStepByTheFieldsReachWithinItsBounds)
{
    for (const StepCase &c : {StepCase{Star(0), "99950", 1, "99999"}, StepCase{Star(0), "50", -1, "10"},
                              StepCase{Star(0), "5000", 1, "5100"}, StepCase{Star(1), "9995", 1, "9999"},
                              StepCase{Star(8), "25", -1, "15"}, StepCase{Star(7), "5", -1, "4"},
                              StepCase{{DialogField::FilterRGB, 0}, "254", 1, "255"}})
        EXPECT_EQ(StepFieldText(FieldRuleOf(c.slot), c.text, c.direction), c.expected) << c.text;
    EXPECT_EQ(FieldRuleOf(Star(2)).keyStep, 0) << "decimal fields do not step";
}

struct LeaveCase {
    DialogSlot slot;
    const char *text;
    const char *left;
};

TEST(FieldRule, LeavingClampsToTheSettingsDialogRange)
{
    for (const LeaveCase &c : {LeaveCase{Star(0), "5", "10"}, LeaveCase{Star(0), "abc", "10"},
                               LeaveCase{Star(0), "123456", "99999"}, LeaveCase{Star(5), "12.5", "12"},
                               LeaveCase{Star(2), "1.5", "1"}, LeaveCase{Star(3), "12", "9.99"},
                               LeaveCase{{DialogField::ColorProps, 3}, "-1500", "-999"},
                               LeaveCase{{DialogField::DesktopBlend, 1}, "1000", "999"}})
        EXPECT_EQ(LeaveFieldText(FieldRuleOf(c.slot), c.text), c.left) << c.text;
}

TEST(FieldRule, ShownTextKeepsWhatTheFieldCanHoldAndClampsTheRest)
{
    const FieldRule persist = FieldRuleOf(Star(2));
    EXPECT_EQ(ShownFieldText(persist, "0.995"), "0.995");
    EXPECT_EQ(ShownFieldText(persist, "2"), "1");
    const FieldRule stars = FieldRuleOf(Star(0));
    EXPECT_EQ(ShownFieldText(stars, "500000"), "99999") << "longer than the field: clamped, not cut";
    EXPECT_EQ(ShownFieldText(stars, "12abc"), "12");
    EXPECT_EQ(ShownFieldText(stars, "40000"), "40000");
}

TEST(FieldRule, KeystrokesAndSpinButtonsFollowTheSetting)
{
    const FieldRule stars = FieldRuleOf(Star(0));
    EXPECT_EQ(stars.maxLength, 5);
    EXPECT_EQ(stars.spinLow, 1);
    EXPECT_EQ(stars.spinHigh, 9999);
    EXPECT_EQ(stars.pageStep, 50);
    EXPECT_EQ(SpinValueOf(stars, "12345"), 1234) << "a tenth, halves to even";
    EXPECT_EQ(FieldTextOfSpin(stars, 5), "50");
    EXPECT_EQ(FieldRuleOf(Star(5)).pageStep, 1);
    EXPECT_EQ(FieldRuleOf({DialogField::ColorProps, 2}).pageStep, 10);
    EXPECT_EQ(FieldRuleOf({DialogField::ColorProps, 3}).pageStep, 5);

    const FieldRule persist = FieldRuleOf(Star(2));
    EXPECT_TRUE(AcceptsTyping(persist, "0.9"));
    EXPECT_FALSE(AcceptsTyping(persist, "0.9.")) << "one point only";
    EXPECT_FALSE(AcceptsTyping(stars, "1.5"));
    EXPECT_FALSE(AcceptsTyping(stars, "-5"));
    EXPECT_TRUE(AcceptsTyping(FieldRuleOf({DialogField::ColorProps, 3}), "-5")) << "the twist angle goes below zero";
}

} // namespace
} // namespace orvex::test
