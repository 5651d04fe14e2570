// SPDX-License-Identifier: MIT
#include "cyclepane.h"
#include "cyclestep.h"
#include "cycletransfer.h"
#include "factorythemes.h"
#include "propsfixture.h"

#include <cmath>

namespace orvex::test {
namespace {

constexpr double kTwoPi = 6.28318530717958;

TEST(CycleRanges, FactoryTableFieldsAreTenCharactersWide)
{
    ASSERT_EQ(kFactoryCycleTable.size(), 540u);
    EXPECT_FLOAT_EQ(FactoryCycleValue(1, CycleColumn::AllowedMax), 1.0f);
    EXPECT_FLOAT_EQ(FactoryCycleValue(2, CycleColumn::AllowedMax), 9.99f);
    EXPECT_FLOAT_EQ(FactoryCycleValue(3, CycleColumn::MaxTextLength), 3.0f);
    EXPECT_FLOAT_EQ(FactoryCycleValue(8, CycleColumn::FactoryFrames), 4200.0f);
    const CycleRanges factory = FactoryCycleRanges();
    const float low[] = {250, 0.95f, 0, 100, 1250, 100, 0, 5000, 0};
    const float high[] = {9999, 0.98f, 0, 100, 5000, 400, 50, 9999, 0};
    const int32_t frames[] = {2400, 1800, 2400, 6000, 1200, 1800, 4800, 3600, 4200};
    for (int i = 0; i < kCycleCount; ++i) {
        EXPECT_FLOAT_EQ(factory.low[i], low[i]) << i;
        EXPECT_FLOAT_EQ(factory.high[i], high[i]) << i;
        EXPECT_EQ(factory.frames[i], frames[i]) << i;
    }
}

TEST(CycleRanges, KeysCarryTwoDigitIndexes)
{
    EXPECT_EQ(CycleKey(0, CyclePart::Min), "PropCycle_00_Min");
    EXPECT_EQ(CycleKey(8, CyclePart::Fra), "PropCycle_08_Fra");
    EXPECT_EQ(CycleKey(4, CyclePart::Max), "PropCycle_04_Max");
}

TEST(CycleRanges, SpeedSwingsThroughHighLowAndBack)
{
    const CycleRanges factory = FactoryCycleRanges();
    const auto speedAt = [&](int frame) { return CycleValue(factory, 0, kTwoPi * frame, 0.00001); };
    EXPECT_NEAR(speedAt(0), 0.051245, 1e-12);
    EXPECT_NEAR(speedAt(600), 0.09999, 1e-9);
    EXPECT_NEAR(speedAt(1800), 0.0025, 1e-9);
    EXPECT_NEAR(speedAt(2400), 0.051245, 1e-9);
}

TEST(CycleRanges, LowAboveHighSwingsDownFirstAndEqualLimitsStayPut)
{
    CycleRanges ranges = FactoryCycleRanges();
    ranges.low[1] = 0.97f;
    ranges.high[1] = 0.92f;
    ranges.frames[1] = 2100;
    EXPECT_LT(CycleValue(ranges, 1, kTwoPi * 525, 1.0), CycleValue(ranges, 1, 0, 1.0));
    for (int frame : {0, 17, 600, 1999})
        EXPECT_EQ(CycleValue(ranges, 2, kTwoPi * frame, 0.001), 0.0);
}

TEST(CycleRanges, ClampHoldsLimitsAndFrames)
{
    CycleRanges ranges = FactoryCycleRanges();
    ranges.low[1] = 2400;
    ranges.high[2] = -3;
    ranges.frames[0] = 0;
    ranges.frames[1] = 123456;
    ClampCycleRanges(ranges);
    EXPECT_FLOAT_EQ(ranges.low[1], 1.0f);
    EXPECT_FLOAT_EQ(ranges.high[2], 0.0f);
    EXPECT_EQ(ranges.frames[0], 1);
    EXPECT_EQ(ranges.frames[1], 99999);
}

TEST(CycleRanges, TriplesComeFromConsecutiveRowFields)
{
    CycleRanges ranges;
    LoadCycleTriples(ranges, GetFactoryThemeRow(16), kThemeCycleField);
    EXPECT_FLOAT_EQ(ranges.low[0], 160);
    EXPECT_FLOAT_EQ(ranges.high[1], 0.995f);
    EXPECT_EQ(ranges.frames[0], 5000);
    EXPECT_FLOAT_EQ(ranges.low[7], 2400);
    EXPECT_FLOAT_EQ(ranges.high[7], 1500);
    EXPECT_EQ(ranges.frames[8], 3000);
}

TEST(CycleStep, ThemeStartsAtTheMidpointsAndFramesFollowTheClock)
{
    RuntimeProperties run;
    run.cycleProps = true;
    run.cycles = FactoryCycleRanges();
    run.cycles.low[8] = 10;
    run.cycles.high[8] = 11;
    StartThemeCycling(run);
    EXPECT_FLOAT_EQ(run.cometBiasExp, 0.3125f);
    EXPECT_FLOAT_EQ(run.cometSolWind, 0.074995f);
    EXPECT_FLOAT_EQ(run.speed, 0.0f) << "speed waits for the first frame";
    ApplyCycleFrame(run, 0);
    EXPECT_FLOAT_EQ(run.speed, 0.051245f);
    EXPECT_FLOAT_EQ(run.persist, 0.965f);
    EXPECT_EQ(run.locVOff, 10) << "10.5 rounds to even";
    ApplyCycleFrame(run, kTwoPi * 600);
    EXPECT_FLOAT_EQ(run.speed, 0.09999f);
}

TEST(CycleStep, NothingMovesWithCyclingOff)
{
    RuntimeProperties run = ToRuntimeProperties(StarPropertySet());
    run.cycleProps = false;
    const RuntimeProperties before = run;
    StartThemeCycling(run);
    for (int frame = 0; frame < 5; ++frame)
        ApplyCycleFrame(run, kTwoPi * frame * 97);
    EXPECT_EQ(run.speed, before.speed);
    EXPECT_EQ(run.persist, before.persist);
    EXPECT_EQ(run.cometBiasExp, before.cometBiasExp);
    EXPECT_EQ(run.locVOff, before.locVOff);
}

class CycleTransferTest : public PropsFixture {};

TEST_F(CycleTransferTest, EmptyStoreReadsAsTheFactoryColumns)
{
    CycleRanges ranges;
    TransferCycleRanges(kCyclePropsRegToArrays, ranges, context);
    EXPECT_EQ(ranges, FactoryCycleRanges());
}

TEST_F(CycleTransferTest, ArraysThroughTheStoreComeBackExactly)
{
    CycleRanges ranges = FactoryCycleRanges();
    ranges.low[1] = 0.123456789f;
    ranges.high[4] = 7777.5f;
    ranges.frames[8] = 17;
    TransferCycleRanges(kCyclePropsArraysToReg, ranges, context);
    EXPECT_EQ(store.ReadSettingText(kSectionCycleProps, "PropCycle_01_Min"), "0.12345679");
    EXPECT_EQ(store.ReadSettingText(kSectionCycleProps, "PropCycle_08_Fra"), "17");
    CycleRanges back;
    TransferCycleRanges(kCyclePropsRegToArrays, back, context);
    EXPECT_EQ(back, ranges);
}

TEST_F(CycleTransferTest, FactoryResetWritesTheStoreOnly)
{
    store.WriteSetting(kSectionCycleProps, "PropCycle_00_Min", 1);
    CycleRanges ranges;
    ranges.low[0] = 42;
    TransferCycleRanges(kCyclePropsResetToFactory, ranges, context);
    EXPECT_EQ(store.ReadSettingText(kSectionCycleProps, "PropCycle_00_Min"), "250");
    EXPECT_EQ(store.ReadSettingText(kSectionCycleProps, "PropCycle_01_Max"), "0.98");
    EXPECT_FLOAT_EQ(ranges.low[0], 42);
}

TEST_F(CycleTransferTest, TemplateKeysMissingFromAFileReadAsFactory)
{
    WriteFile(Path("t.lmr"), "\r\n[CycleProps]\r\nPropCycle_02_Max=5.5\r\nPropCycle_03_Fra=12abc\r\n");
    templates.SetCurrentPath(Path("t.lmr"));
    CycleRanges ranges;
    TransferCycleRanges(kCyclePropsTempToArrays, ranges, context);
    CycleRanges expected = FactoryCycleRanges();
    expected.high[2] = 5.5f;
    expected.frames[3] = 12;
    EXPECT_EQ(ranges, expected);

    TransferCycleRanges(kCyclePropsTempToRegArrays, ranges, context);
    EXPECT_EQ(store.ReadSettingText(kSectionCycleProps, "PropCycle_02_Max"), "5.5");
    EXPECT_EQ(store.ReadSettingText(kSectionCycleProps, "PropCycle_05_Fra"), "1800");
}

TEST_F(CycleTransferTest, MinMaxRangeClampsInPlaceAndUnknownNamesDoNothing)
{
    CycleRanges ranges = FactoryCycleRanges();
    ranges.frames[0] = 0;
    TransferCycleRanges("CyclePropsSomethingElse", ranges, context);
    EXPECT_EQ(ranges.frames[0], 0);
    EXPECT_FALSE(store.HasSetting(kSectionCycleProps, "PropCycle_00_Min"));
    TransferCycleRanges(kCyclePropsSetMinMaxRange, ranges, context);
    EXPECT_EQ(ranges.frames[0], 1);
}

TEST(CyclePane, ChoosingAPropertyShowsItsRangeAndValues)
{
    DialogValues dialog;
    dialog.cycleRanges = FactoryCycleRanges();
    SelectCycleProperty(dialog, 1);
    EXPECT_EQ(dialog.lblCycleProps[0], "Cycle Low Value (0 - 1):");
    EXPECT_EQ(dialog.lblCycleProps[1], "Cycle High Value (0 - 1):");
    EXPECT_EQ(dialog.txtCycleProps[0], "0.95");
    EXPECT_EQ(dialog.txtCycleProps[2], "1800");
    EXPECT_EQ(dialog.cycleTextMaxLength, 8);
    SelectCycleProperty(dialog, 2);
    EXPECT_EQ(dialog.lblCycleProps[1], "Cycle High Value (0 - 9.99):");
    SelectCycleProperty(dialog, -1);
    EXPECT_EQ(dialog.lblCycleProps[1], "Cycle High Value (0 - 9.99):") << "no selection changes nothing";
}

TEST(CyclePane, LeavingAFieldClampsItAsAWholeNumberOrAFloat)
{
    DialogValues dialog;
    dialog.cycleRanges = FactoryCycleRanges();
    SelectCycleProperty(dialog, 0);
    dialog.txtCycleProps[0] = "12345.6";
    LeaveCycleField(dialog, 0);
    EXPECT_EQ(dialog.txtCycleProps[0], "9999");
    dialog.txtCycleProps[1] = "100.5";
    LeaveCycleField(dialog, 1);
    EXPECT_EQ(dialog.txtCycleProps[1], "100");
    EXPECT_FLOAT_EQ(dialog.cycleRanges.high[0], 100);

    SelectCycleProperty(dialog, 2);
    dialog.txtCycleProps[0] = "3.25abc";
    LeaveCycleField(dialog, 0);
    EXPECT_EQ(dialog.txtCycleProps[0], "3.25");
    EXPECT_FLOAT_EQ(dialog.cycleRanges.low[2], 3.25f);
    dialog.txtCycleProps[2] = "abc";
    LeaveCycleField(dialog, 2);
    EXPECT_EQ(dialog.txtCycleProps[2], "1");
    EXPECT_EQ(dialog.cycleRanges.frames[2], 1);
}

} // namespace
} // namespace orvex::test
