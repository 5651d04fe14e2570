// SPDX-License-Identifier: MIT
#include "applytheme.h"
#include "dialogtransfer.h"
#include "displaysettings.h"
#include "factoryreset.h"
#include "propsfixture.h"
#include "templateio.h"

#include <regex>

namespace orvex::test {
namespace {

const ResolutionList kResolutions{{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};

// A dialog whose every field differs from the factory value and lies inside its range.
DialogValues SampleDialog()
{
    DialogValues dialog;
    FillDisplayLists(dialog, kResolutions);
    dialog.txtStars = {"43210", "1234", "0.987", "0.25", "17", "33", "", "12", "2500", "9", "4321", "321", "77",
                       "6543", "42"};
    dialog.txtBlendMult = "88";
    dialog.cboEmitPattern = 9;
    dialog.chkCycleProps = 0;
    dialog.txtColorProps = {"90", "10", "200", "-45", "", "", "", "", "", "", "20", "100", "700", "1234.5", "300"};
    dialog.cycleRanges = FactoryCycleRanges();
    dialog.cycleRanges.low[1] = 0.9125f;
    dialog.cycleRanges.low[2] = 0.005f;
    dialog.cycleRanges.high[0] = 777;
    dialog.cycleRanges.frames[8] = 1234;
    dialog.cboResolution = 2;
    dialog.cboVertOffset = 12;
    dialog.cboFilterEffect = 6;
    dialog.txtFilterRGB = {"224", "225", "226"};
    dialog.txtDesktopBlend = {"30", "400"};
    return dialog;
}

std::string WithCrLf(std::string text)
{
    return std::regex_replace(text, std::regex("\n"), "\r\n");
}

class TemplateIoTest : public PropsFixture {};

TEST_F(TemplateIoTest, FactorySettingsSaveToTheExactTemplateLayout)
{
    DialogValues dialog;
    FillDisplayLists(dialog, kResolutions);
    FactoryReset(dialog, context);
    templates.SetCurrentPath(Path("factory.lmr"));
    ASSERT_TRUE(SaveTemplate(dialog, context));
    EXPECT_EQ(ReadFile(Path("factory.lmr")), WithCrLf(R"(
[Admin]
Product=Orvex Lumora
Version=)" + TemplateVersion() + R"(
Copyright=Copyright (c) Orvex. All rights reserved.

[General]
AnimationType=0

[Advanced]
FocalLength=1
Adv_TimeDelay=10
Adv_EffectFPC=6000
Adv_PerfMult=1
Adv_ZeviCycle=1
Adv_ThemeFlags=15726335
LockMessage=
Adv_FontName=Arial
Adv_FontSize=12
Adv_FontHueV=180
Adv_FontTOff=2
Adv_FontHInc=10
Adv_CMinutes=0
Adv_TimeText=
Adv_ZeroText=
Adv_MouseMove=0
Adv_ScreenCapt=0
Adv_HWB_Start=0
Adv_HWB_Level=0
Adv_HWB_BSpan=0
Adv_HWB_Speed=0

[DirectX]
DX_WinWidth=1280
DX_WinHeight=1024
DX_FilterIndex=0
DX_FilterMaskR=0
DX_FilterMaskG=0
DX_FilterMaskB=0
DX_DesktopPercent=0
DX_DesktopFrames=0
DX_VertOffset=0

[GenColor]
HWC_ConeBright=100
HWC_ConeBlack=25
HWC_ConeBBias=150
HWC_ConeTwist=30
HWC_WedgeMin=30
HWC_WedgeMax=90
HWC_WedgeFra=600
HWC_StartFra=2400
HWC_StartAng=210

[Lumora]
Stars=50000
Speed=5000
Persist=0.98
Gravity=0
LocVOff=0
BrightAgeInc=50
CometControl=6
CometCtrStep=400
CometBiasPnt=4
CometBiasExp=3000
CometBiasSpd=250
CometSplnExp=25
CometSolWind=5000
CometScalMul=10
BlendMul=97
Star_EmitPattern=0
StarCycleProps=1

[CycleProps]
PropCycle_00_Min=250
PropCycle_00_Max=9999
PropCycle_00_Fra=2400
PropCycle_01_Min=0.95
PropCycle_01_Max=0.98
PropCycle_01_Fra=1800
PropCycle_02_Min=0
PropCycle_02_Max=0
PropCycle_02_Fra=2400
PropCycle_03_Min=100
PropCycle_03_Max=100
PropCycle_03_Fra=6000
PropCycle_04_Min=1250
PropCycle_04_Max=5000
PropCycle_04_Fra=1200
PropCycle_05_Min=100
PropCycle_05_Max=400
PropCycle_05_Fra=1800
PropCycle_06_Min=0
PropCycle_06_Max=50
PropCycle_06_Fra=4800
PropCycle_07_Min=5000
PropCycle_07_Max=9999
PropCycle_07_Fra=3600
PropCycle_08_Min=0
PropCycle_08_Max=0
PropCycle_08_Fra=4200
)"));
    EXPECT_TRUE(TemplateVersion().starts_with("3.2."));
}

TEST_F(TemplateIoTest, SavingNeedsACurrentTemplateAndLeavesStoreOnlyKeysAlone)
{
    DialogValues dialog = SampleDialog();
    EXPECT_FALSE(SaveTemplate(dialog, context));
    store.WriteSetting(kSectionAdvanced, "Adv_DispTempName", 1);
    store.WriteSetting(kSectionAdvanced, "Adv_MultiMonitor", 2);
    templates.SetCurrentPath(Path("s.lmr"));
    ASSERT_TRUE(SaveTemplate(dialog, context));
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_DispTempName"), "1");
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_MultiMonitor"), "2");
    EXPECT_EQ(ReadFile(Path("s.lmr")).find("Adv_MultiMonitor"), std::string::npos);
}

TEST_F(TemplateIoTest, LoadingATemplateFillsMissingKeysWithFactoryDefaults)
{
    WriteFile(Path("part.lmr"), "\r\n[Lumora]\r\nStars=1234\r\n\r\n[Advanced]\r\nAdv_TimeDelay=33\r\n");
    store.WriteSetting(kSectionLumora, "Speed", 1);
    store.WriteSetting(kSectionAdvanced, "Adv_TimeDelay", 20);
    LoadTemplateIntoSettings(Path("part.lmr"), false, context);
    EXPECT_EQ(templates.CurrentPath(), Path("part.lmr"));
    EXPECT_EQ(store.ReadSettingText(kSectionLumora, "Stars"), "1234");
    EXPECT_EQ(store.ReadSettingText(kSectionLumora, "Speed"), "5000");
    EXPECT_EQ(store.ReadSettingText(kSectionGenColor, "HWC_StartAng"), "210");
    EXPECT_EQ(store.ReadSettingText(kSectionCycleProps, "PropCycle_08_Fra"), "4200");
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_TimeDelay"), "20") << "advanced keys need a full load";
    EXPECT_FALSE(store.HasSetting(kSectionDirectX, "DX_WinWidth"));

    LoadTemplateIntoSettings(Path("part.lmr"), true, context);
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_TimeDelay"), "33");
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_FontName"), "Arial");
    EXPECT_EQ(store.ReadSettingText(kSectionDirectX, "DX_WinWidth"), "1280");
    EXPECT_EQ(store.ReadSettingText(kSectionGeneral, "AnimationType"), "0");
}

// A value the store could not read back (over 254 characters) would only bloat the
// settings file, for good with a runaway one: the key keeps its value instead.
TEST_F(TemplateIoTest, ValuesTooLongForTheStoreAreNotLoaded)
{
    const std::string longest(254, '8');
    WriteFile(Path("huge.lmr"), "\r\n[Lumora]\r\nStars=" + std::string(10 * 1024 * 1024, '7') + "\r\nSpeed="
                                    + std::string(255, '9') + "\r\nPersist=" + longest + "\r\n");
    store.WriteSetting(kSectionLumora, "Stars", 4000);
    store.WriteSetting(kSectionLumora, "Speed", 12);
    LoadTemplateIntoSettings(Path("huge.lmr"), false, context);
    EXPECT_EQ(store.ReadSettingText(kSectionLumora, "Stars"), "4000");
    EXPECT_EQ(store.ReadSettingText(kSectionLumora, "Speed"), "12");
    EXPECT_EQ(store.ReadSettingText(kSectionLumora, "Persist"), longest);
    EXPECT_LT(std::filesystem::file_size(store.File()), 64u * 1024);
}

TEST_F(TemplateIoTest, AFileThatIsNoTemplateLoadsNothing)
{
    store.WriteSetting(kSectionLumora, "Stars", 1234);
    templates.SetCurrentPath(Path("current.lmr"));
    const std::string stored = ReadFile(store.File());
    WriteFile(Path("empty.lmr"), "");
    WriteFile(Path("junk.lmr"), "Stars=1\r\n[Nothing]\r\nStars=2\r\n");
    std::filesystem::create_directories(Path("folder.lmr"));
    const std::pair<const char *, TemplateCheck> cases[] = {{"missing.lmr", TemplateCheck::Unreadable},
                                                            {"folder.lmr", TemplateCheck::Unreadable},
                                                            {"empty.lmr", TemplateCheck::NoTemplateSections},
                                                            {"junk.lmr", TemplateCheck::NoTemplateSections}};
    for (const auto &[name, expected] : cases) {
        EXPECT_EQ(LoadTemplateIntoSettings(Path(name), true, context), expected) << name;
        EXPECT_EQ(ReadFile(store.File()), stored) << name;
        EXPECT_EQ(templates.CurrentPath(), Path("current.lmr")) << name;
    }
}

// The property set a template gives back through the store, compared field by field.
void ExpectSameSet(const StarPropertySet &actual, const StarPropertySet &expected)
{
    for (const SettingDescriptor &descriptor : SettingDescriptors()) {
        if (!descriptor.property)
            continue;
        EXPECT_EQ(actual.Value(*descriptor.property), expected.Value(*descriptor.property)) << descriptor.key;
    }
    EXPECT_EQ(actual.cycles, expected.cycles);
    EXPECT_EQ(actual.effects.filterIndex, expected.effects.filterIndex);
}

class TemplateRoundTrip : public TemplateIoTest, public ::testing::WithParamInterface<bool> {};

TEST_P(TemplateRoundTrip, SavedLoadedAndAppliedGivesTheSameSet)
{
    CommaLocale comma;
    if (GetParam() && !comma.Active())
        GTEST_SKIP() << "no comma-decimal locale installed";
    if (!GetParam())
        std::setlocale(LC_ALL, "C");

    DialogValues dialog = SampleDialog();
    templates.SetCurrentPath(Path("round.lmr"));
    ASSERT_TRUE(SaveTemplate(dialog, context));

    SettingsStore freshStore(Path("fresh") / "Lumora.reg");
    TemplateFile freshTemplates;
    LoadTemplateIntoSettings(Path("round.lmr"), true, {freshStore, freshTemplates, {1280, 1024}});
    StarPropertySet applied;
    ApplyTheme(applied, freshStore, 0, 1.0f);
    ExpectSameSet(applied, PropertiesFromDialog(dialog));

    DialogValues opened;
    FillDisplayLists(opened, kResolutions);
    freshTemplates.SetCurrentPath(Path("round.lmr"));
    OpenTemplateIntoDialog(opened, {freshStore, freshTemplates, {1280, 1024}});
    dialog.chkCycleThemes = opened.chkCycleThemes; // not part of templates
    EXPECT_EQ(opened, dialog);
}

INSTANTIATE_TEST_SUITE_P(Locales, TemplateRoundTrip, ::testing::Values(false, true),
                         [](const auto &info) { return info.param ? "CommaLocale" : "PointLocale"; });

TEST_F(TemplateIoTest, OpeningATemplateCopiesItsAdvancedSettingsIntoTheStore)
{
    WriteFile(Path("adv.lmr"), "\r\n[Advanced]\r\nAdv_FontName=Times New Roman\r\nAdv_HWB_Level=40\r\n");
    store.WriteSetting(kSectionAdvanced, "Adv_MultiMonitor", 2);
    templates.SetCurrentPath(Path("adv.lmr"));
    DialogValues dialog;
    OpenTemplateIntoDialog(dialog, context);
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_FontName"), "Times New Roman");
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_HWB_Level"), "40");
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_MultiMonitor"), "0");
    EXPECT_EQ(dialog.txtStars[0], "50000");
    EXPECT_EQ(dialog.cycleRanges, FactoryCycleRanges());
}

} // namespace
} // namespace orvex::test
