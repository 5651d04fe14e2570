// SPDX-License-Identifier: MIT
#include "applytheme.h"
#include "cyclestep.h"
#include "cycletransfer.h"
#include "propertysources.h"
#include "propsfixture.h"
#include "runtimeproperties.h"
#include "settingdescriptors.h"
#include "templateio.h"

#include <cmath>

namespace orvex::test {
namespace {

using SP = StarProperty;

RuntimeProperties Convert(std::initializer_list<std::pair<SP, double>> values)
{
    StarPropertySet set;
    for (const auto &[property, value] : values)
        set.Set(property, value);
    return ToRuntimeProperties(set);
}

TEST(RuntimeProperties, FactoryDefaultsReachTheEngineScaled)
{
    const RuntimeProperties run = ToRuntimeProperties(StarPropertySet());
    EXPECT_EQ(run.stars, 50000);
    EXPECT_FLOAT_EQ(run.speed, 0.05f);
    EXPECT_FLOAT_EQ(run.persist, 0.98f);
    EXPECT_EQ(run.brightAgeInc, 32);
    EXPECT_EQ(run.blendMul, 97);
    EXPECT_FLOAT_EQ(run.cometBiasExp, 0.3f);
    EXPECT_FLOAT_EQ(run.cometBiasSpd, 0.025f);
    EXPECT_FLOAT_EQ(run.cometSplnExp, 0.00025f);
    EXPECT_FLOAT_EQ(run.cometSolWind, 0.05f);
    EXPECT_FLOAT_EQ(run.cometScalMul, 2.0f);
    EXPECT_TRUE(run.cycleProps);
    EXPECT_EQ(run.colour.wedgeMin, 85);
    EXPECT_EQ(run.colour.wedgeMax, 256);
    EXPECT_EQ(run.colour.startAng, 597);
}

TEST(RuntimeProperties, ClampsFirstThenScales)
{
    EXPECT_EQ(Convert({{SP::Stars, 5}}).stars, 10);
    EXPECT_EQ(Convert({{SP::Stars, 123456}}).stars, 99999);
    EXPECT_EQ(Convert({{SP::BrightAgeInc, 0}}).brightAgeInc, 0);
    EXPECT_EQ(Convert({{SP::BrightAgeInc, 99}}).brightAgeInc, 64);
    EXPECT_EQ(Convert({{SP::BrightAgeInc, 150}}).brightAgeInc, 64);
    EXPECT_FLOAT_EQ(Convert({{SP::CometScalMul, 0}}).cometScalMul, 0.2f);
    EXPECT_EQ(Convert({{SP::EmitPattern, 14}}).emitPattern, 13);
    EXPECT_FLOAT_EQ(Convert({{SP::Gravity, 20}}).gravity, 0.00999f);
    EXPECT_FLOAT_EQ(Convert({{SP::Persist, 1.5}}).persist, 1.0f);
    EXPECT_EQ(Convert({{SP::CometControl, 2}}).cometControl, 4);
    EXPECT_EQ(Convert({{SP::CometBiasPnt, 0}}).cometBiasPnt, 1);
}

TEST(RuntimeProperties, FractionalWholeNumbersRoundHalvesToEvenBeforeScaling)
{
    EXPECT_FLOAT_EQ(Convert({{SP::Speed, 5000.5}}).speed, 0.05f);
    EXPECT_FLOAT_EQ(Convert({{SP::Speed, 5001.5}}).speed, 0.05002f);
    EXPECT_FLOAT_EQ(Convert({{SP::CometBiasExp, 2.5}}).cometBiasExp, 0.0002f);
}

TEST(RuntimeProperties, CycleRangesAreClampedToTheirAllowedRanges)
{
    StarPropertySet set;
    set.cycles.low[1] = 2400;
    set.cycles.frames[0] = 0;
    set.cycles.frames[5] = 200000;
    const RuntimeProperties run = ToRuntimeProperties(set);
    EXPECT_FLOAT_EQ(run.cycles.low[1], 1.0f);
    EXPECT_EQ(run.cycles.frames[0], 1);
    EXPECT_EQ(run.cycles.frames[5], 99999);
    EXPECT_FLOAT_EQ(set.cycles.low[1], 2400) << "the stored form stays as loaded";
}

// Every value the engine receives from the property set, against the engine's contract.
void ExpectEngineArgumentsInRange(const RuntimeProperties &run)
{
    EXPECT_GE(run.stars, 10);
    EXPECT_LE(run.stars, 99999);
    EXPECT_GE(run.emitPattern, 0);
    EXPECT_LE(run.emitPattern, 13);
    EXPECT_GE(run.cometControl, 4);
    EXPECT_LE(run.cometControl, 99);
    EXPECT_GE(run.cometBiasPnt, 1);
    EXPECT_LE(run.cometBiasPnt, 99);
    EXPECT_GE(run.cometCtrStep, 0);
    EXPECT_LE(run.cometCtrStep, 9999);
    EXPECT_GE(run.brightAgeInc, 0);
    EXPECT_LE(run.brightAgeInc, 64);
    EXPECT_GE(run.locVOff, 0);
    EXPECT_LE(run.locVOff, 9999);
    EXPECT_GE(run.blendMul, 0);
    EXPECT_LE(run.blendMul, 100);
    const std::pair<float, float> floats[] = {
        {run.speed, 0.09999f},        {run.persist, 1.0f},          {run.gravity, 0.00999f},
        {run.cometBiasExp, 0.9999f},  {run.cometBiasSpd, 0.9999f},  {run.cometSplnExp, 0.09999f},
        {run.cometSolWind, 0.09999f}, {run.cometScalMul, 19.8f},
    };
    for (const auto &[value, high] : floats) {
        EXPECT_TRUE(std::isfinite(value));
        EXPECT_GE(value, 0.0f);
        EXPECT_LE(value, high * 1.000001f);
    }
    const ColourRuntime &colour = run.colour;
    EXPECT_TRUE(colour.coneBright >= 0 && colour.coneBright <= 100);
    EXPECT_TRUE(colour.coneBlack >= 0 && colour.coneBlack <= 100);
    EXPECT_TRUE(colour.coneBBias >= 0 && colour.coneBBias <= 999);
    EXPECT_TRUE(colour.coneTwist >= -999 && colour.coneTwist <= 999);
    EXPECT_TRUE(colour.wedgeMin >= 0 && colour.wedgeMin <= 1024);
    EXPECT_TRUE(colour.wedgeMax >= 0 && colour.wedgeMax <= 1024);
    EXPECT_TRUE(colour.startAng >= 0 && colour.startAng <= 1024);
    EXPECT_TRUE(colour.wedgeFra >= 1 && colour.wedgeFra <= 99999);
    EXPECT_TRUE(colour.startFra >= 1 && colour.startFra <= 99999);
}

// Cycling overwrites eight values each frame; with clamped ranges they stay in range.
void ExpectCycledArgumentsInRange(RuntimeProperties run)
{
    StartThemeCycling(run);
    ExpectEngineArgumentsInRange(run);
    for (int frame = 0; frame < 50; ++frame) {
        ApplyCycleFrame(run, frame * 6.28318530717958 * 37.1);
        ExpectEngineArgumentsInRange(run);
    }
}

class GarbageValues : public PropsFixture, public ::testing::WithParamInterface<const char *> {};

TEST_P(GarbageValues, FromTheStoreNeverLeaveTheEngineRanges)
{
    for (const SettingDescriptor &descriptor : SettingDescriptors())
        if (descriptor.property)
            store.WriteSetting(descriptor.section, descriptor.key, GetParam());
    for (int i = 0; i < kCycleCount; ++i)
        for (CyclePart part : {CyclePart::Min, CyclePart::Max, CyclePart::Fra})
            store.WriteSetting(kSectionCycleProps, CycleKey(i, part), GetParam());
    for (float multiplier : {1.0f, 1e30f, -1e30f}) {
        StarPropertySet set;
        ApplyTheme(set, store, 0, multiplier);
        SCOPED_TRACE(multiplier);
        ExpectCycledArgumentsInRange(ToRuntimeProperties(set));
    }
}

TEST_P(GarbageValues, FromATemplateNeverLeaveTheEngineRanges)
{
    std::string text;
    for (std::string_view section : {kSectionGenColor, kSectionLumora}) {
        text += "\r\n[" + std::string(section) + "]\r\n";
        for (const SettingDescriptor &descriptor : SettingDescriptors())
            if (descriptor.section == section)
                text += std::string(descriptor.key) + "=" + GetParam() + "\r\n";
    }
    text += "\r\n[CycleProps]\r\n";
    for (int i = 0; i < kCycleCount; ++i)
        for (CyclePart part : {CyclePart::Min, CyclePart::Max, CyclePart::Fra})
            text += CycleKey(i, part) + "=" + GetParam() + "\r\n";
    WriteFile(Path("garbage.lmr"), text);
    LoadTemplateIntoSettings(Path("garbage.lmr"), false, context);
    StarPropertySet set;
    ApplyTheme(set, store, 0, 1.0f);
    ExpectCycledArgumentsInRange(ToRuntimeProperties(set));
}

TEST_P(GarbageValues, FromAThemeRowNeverLeaveTheEngineRanges)
{
    std::string row;
    for (int field = 0; field < 58; ++field)
        row += std::string(GetParam()) + ",";
    StarPropertySet set;
    LoadSectionFromRow(set, kSectionLumora, row, 0);
    LoadColorSettings(set, row, 20);
    LoadCycleTriples(set.cycles, row, 31);
    ExpectCycledArgumentsInRange(ToRuntimeProperties(set));
}

INSTANTIATE_TEST_SUITE_P(Texts, GarbageValues,
                         ::testing::Values("1e999", "-1e999", "nan", "abc", "", "99999999999", "-2147483649",
                                           "1e-999", "0x7f", "-0", "  +12.5e2xyz"));

} // namespace
} // namespace orvex::test
