// SPDX-License-Identifier: MIT
#include "colourfilter.h"
#include "cyclepane.h"
#include "dialogtransfer.h"
#include "displaysettings.h"
#include "factoryreset.h"
#include "factorythemes.h"
#include "propsfixture.h"
#include "runtimeproperties.h"

namespace orvex::test {
namespace {

using SP = StarProperty;

const ResolutionList kResolutions{{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}};

DialogValues FactoryDialog()
{
    DialogValues dialog;
    FillDisplayLists(dialog, kResolutions);
    dialog.txtStars = {"50000", "5000", "0.98", "0", "0", "50", "", "6", "400", "4", "3000", "250", "25", "5000", "10"};
    dialog.txtBlendMult = "97";
    dialog.txtColorProps = {"100", "25", "150", "30", "", "", "", "", "", "", "30", "90", "600", "2400", "210"};
    dialog.cycleRanges = FactoryCycleRanges();
    dialog.txtFilterRGB = {"0", "0", "0"};
    dialog.txtDesktopBlend = {"0", "0"};
    dialog.cboResolution = 3;
    return dialog;
}

TEST(PropertiesFromDialog, FactoryFieldsGiveTheFactorySet)
{
    EXPECT_EQ(PropertiesFromDialog(FactoryDialog()), StarPropertySet());
}

TEST(PropertiesFromDialog, TextsAreParsedRoundedAndClampedToTheDialogRanges)
{
    DialogValues dialog = FactoryDialog();
    dialog.txtStars[0] = "abc";
    dialog.txtStars[1] = "1e9";
    dialog.txtStars[2] = "1.5";
    dialog.txtStars[3] = "-2";
    dialog.txtStars[5] = "12.5";
    dialog.txtStars[10] = "2500.5xyz";
    dialog.txtStars[14] = "0";
    dialog.txtBlendMult = "";
    dialog.cboEmitPattern = 20;
    dialog.chkCycleProps = 2;
    dialog.txtColorProps[11] = "5000";
    dialog.txtColorProps[13] = "0.5";
    dialog.txtDesktopBlend = {"150", "-4"};
    dialog.txtFilterRGB[1] = "999";
    const StarPropertySet set = PropertiesFromDialog(dialog);
    EXPECT_EQ(set.Int(SP::Stars), 10);
    EXPECT_EQ(set.Value(SP::Speed), 9999);
    EXPECT_EQ(set.Float(SP::Persist), 1.0f);
    EXPECT_EQ(set.Float(SP::Gravity), 0.0f);
    EXPECT_EQ(set.Int(SP::BrightAgeInc), 12);
    EXPECT_EQ(set.Value(SP::CometBiasExp), 2500) << "whole-number fields round halves to even";
    EXPECT_EQ(set.Value(SP::CometScalMul), 1);
    EXPECT_EQ(set.Int(SP::BlendMul), 0);
    EXPECT_EQ(set.Int(SP::EmitPattern), 13);
    EXPECT_FALSE(set.IsOn(SP::CycleProps)) << "on exactly when the check box value is 1";
    EXPECT_EQ(set.Int(SP::WedgeMax), 5000);
    EXPECT_EQ(ToColourRuntime(set).wedgeMax, 1024);
    EXPECT_EQ(set.Float(SP::StartFra), 1.0f);
    EXPECT_EQ(set.effects.desktopPercent, 99);
    EXPECT_EQ(set.effects.desktopFrames, 0);
    EXPECT_EQ(set.effects.maskGreen, 255);
}

TEST(ApplyThemeToDialog, CopiesTheRowAsTextAndNoneChangesNothing)
{
    DialogValues dialog = FactoryDialog();
    const DialogValues before = dialog;
    ApplyThemeToDialog(dialog, 0);
    EXPECT_EQ(dialog, before);
    ApplyThemeToDialog(dialog, 25);
    EXPECT_EQ(dialog, before);

    dialog.txtStars[6] = "untouched";
    ApplyThemeToDialog(dialog, 14);
    EXPECT_EQ(dialog.txtStars[0], "25000");
    EXPECT_EQ(dialog.txtStars[2], "0.99");
    EXPECT_EQ(dialog.txtStars[4], "250");
    EXPECT_EQ(dialog.txtStars[6], "untouched");
    EXPECT_EQ(dialog.txtStars[7], "4");
    EXPECT_EQ(dialog.txtBlendMult, "90");
    EXPECT_EQ(dialog.cboEmitPattern, 3);
    EXPECT_EQ(dialog.txtColorProps[0], "80");
    EXPECT_EQ(dialog.txtColorProps[10], "0");
    EXPECT_EQ(dialog.txtColorProps[13], "4000");
    EXPECT_EQ(dialog.chkCycleProps, 1);
    EXPECT_FLOAT_EQ(dialog.cycleRanges.high[4], 9999);
    EXPECT_EQ(dialog.cycleRanges.frames[6], 8000);
}

TEST(ApplyThemeToDialog, RefreshesTheChosenCycleProperty)
{
    DialogValues dialog = FactoryDialog();
    SelectCycleProperty(dialog, 1);
    ApplyThemeToDialog(dialog, 24);
    EXPECT_EQ(dialog.txtCycleProps[0], "0");
    EXPECT_EQ(dialog.txtCycleProps[1], "0.998");
    EXPECT_EQ(dialog.txtCycleProps[2], "120");
}

class DialogStoreTest : public PropsFixture {};

TEST_F(DialogStoreTest, EmptyStoreLoadsTheFactoryFields)
{
    DialogValues dialog;
    FillDisplayLists(dialog, kResolutions);
    dialog.chkCycleThemes = 0;
    LoadDialogFromSettings(dialog, context);
    EXPECT_EQ(dialog, FactoryDialog());
}

TEST_F(DialogStoreTest, StoredDialogLoadsBackAsTyped)
{
    DialogValues dialog = FactoryDialog();
    dialog.txtStars[0] = "12abc";
    dialog.txtStars[2] = "0.5";
    dialog.txtColorProps[3] = "-999";
    dialog.cboEmitPattern = 7;
    dialog.chkCycleProps = 0;
    dialog.chkCycleThemes = 0;
    dialog.cycleRanges.low[5] = 3.75f;
    dialog.cboResolution = 1;
    dialog.cboVertOffset = 4;
    dialog.cboFilterEffect = 15;
    dialog.txtFilterRGB = {"1", "2", "3"};
    dialog.txtDesktopBlend = {"50", "500"};
    ASSERT_TRUE(StoreDialogToSettings(dialog, context));
    EXPECT_EQ(store.ReadSettingText(kSectionGeneral, "AnimationType"), "0");
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_ZeviCycle"), "0");
    EXPECT_EQ(store.ReadSettingText(kSectionDirectX, "DX_VertOffset"), "-5");
    EXPECT_EQ(store.ReadSettingText(kSectionDirectX, "DX_WinWidth"), "800");

    DialogValues loaded;
    FillDisplayLists(loaded, kResolutions);
    LoadDialogFromSettings(loaded, context);
    EXPECT_EQ(loaded, dialog);
}

TEST_F(DialogStoreTest, UnwritableStoreSavesNothing)
{
    WriteFile(Path("blocker"), "a file where the store's folder would be");
    SettingsStore blocked(Path("blocker") / "Lumora.reg");
    PropsContext blockedContext{blocked, templates, {1280, 1024}};
    DialogValues dialog = FactoryDialog();
    EXPECT_FALSE(StoreDialogToSettings(dialog, blockedContext));
    EXPECT_FALSE(blocked.HasSetting(kSectionLumora, "Stars"));
}

TEST_F(DialogStoreTest, DisplayTransfersFallBackToTheScreenSize)
{
    DialogValues dialog;
    FillDisplayLists(dialog, kResolutions);
    store.WriteSetting(kSectionDirectX, "DX_WinWidth", 700);
    store.WriteSetting(kSectionDirectX, "DX_WinHeight", 500);
    store.WriteSetting(kSectionDirectX, "DX_VertOffset", 30);
    store.WriteSetting(kSectionDirectX, "DX_FilterMaskB", "77");
    TransferDisplaySettings(dialog, DisplayTransfer::FromStore, context);
    EXPECT_EQ(dialog.cboResolution, 3);
    EXPECT_EQ(dialog.cboVertOffset, 18);
    EXPECT_EQ(dialog.txtFilterRGB[2], "77");

    dialog.cboResolution = 0;
    dialog.cboFilterEffect = 4;
    TransferDisplaySettings(dialog, DisplayTransfer::Defaults, context);
    EXPECT_EQ(dialog.cboResolution, 3);
    EXPECT_EQ(dialog.cboVertOffset, 9);
    EXPECT_EQ(dialog.cboFilterEffect, 0);
    EXPECT_EQ(dialog.txtFilterRGB[2], "0");
    EXPECT_EQ(store.ReadSettingText(kSectionDirectX, "DX_WinWidth"), "1280");
    EXPECT_EQ(store.ReadSettingText(kSectionDirectX, "DX_FilterIndex"), "0");
    EXPECT_EQ(store.ReadSettingText(kSectionDirectX, "DX_FilterMaskB"), "77") << "only size and filter are stored";
}

TEST_F(DialogStoreTest, FactoryResetRestoresDialogAndStore)
{
    store.WriteSetting(kSectionAdvanced, "Adv_TimeDelay", 99);
    store.WriteSetting(kSectionAdvanced, "Adv_HueWheel0", 50);
    store.WriteSetting(kSectionCycleProps, "PropCycle_00_Min", 1);
    store.WriteSetting(kSectionLumora, "StarCycleProps", 0);
    DialogValues dialog = FactoryDialog();
    dialog.txtStars[3] = "5";
    dialog.chkCycleThemes = 0;
    dialog.cycleRanges.frames[0] = 7;
    dialog.cboResolution = 0;
    FactoryReset(dialog, context);

    DialogValues expected = FactoryDialog();
    SelectCycleProperty(expected, 0);
    EXPECT_EQ(dialog, expected);
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_TimeDelay"), "10");
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_CycleStyle"), "1");
    EXPECT_EQ(store.ReadSettingText(kSectionAdvanced, "Adv_HueWheel0"), "50") << "the hue wheel is not reset";
    EXPECT_EQ(store.ReadSettingText(kSectionCycleProps, "PropCycle_00_Min"), "250");
    EXPECT_EQ(store.ReadSettingText(kSectionLumora, "StarCycleProps"), "1");
    EXPECT_EQ(kResetQuestionText, "Reset Factory Settings Confirmation\r\n\r\n"
                                  "Do you really want to reset the properties back to the factory settings?");
}

TEST_F(DialogStoreTest, FirstOpeningResetsWithoutSavingLaterOpeningsSaveTheReset)
{
    DialogValues dialog;
    FillDisplayLists(dialog, kResolutions);
    EXPECT_TRUE(LoadDialogOnOpen(dialog, context));
    EXPECT_TRUE(store.HasSetting(kSectionGeneral, "ResetSettings"));
    EXPECT_FALSE(store.HasSetting(kSectionGeneral, "AnimationType"));
    EXPECT_EQ(dialog.txtStars[0], "50000");

    DialogValues again;
    FillDisplayLists(again, kResolutions);
    EXPECT_FALSE(LoadDialogOnOpen(again, context));
    EXPECT_TRUE(store.HasSetting(kSectionGeneral, "AnimationType"));
    EXPECT_EQ(store.ReadSettingText(kSectionLumora, "Stars"), "50000");

    store.WriteSetting(kSectionLumora, "Stars", 777);
    DialogValues third;
    FillDisplayLists(third, kResolutions);
    EXPECT_FALSE(LoadDialogOnOpen(third, context));
    EXPECT_EQ(third.txtStars[0], "777");
}

} // namespace
} // namespace orvex::test

namespace orvex::test {
namespace {

TEST_F(DialogStoreTest, FilterMasksComeFromTheTableTheDialogOrTheStore)
{
    DialogValues dialog;
    const FilterSelection picked = SelectFilter(1, FilterSource::PickedInDialog, dialog, store);
    EXPECT_EQ(picked.name, "Fire Red");
    EXPECT_EQ(dialog.txtFilterRGB, (std::array<std::string, 3>{"255", "0", "0"}));
    dialog.txtFilterRGB[1] = "128";
    EXPECT_EQ(SelectFilter(1, FilterSource::DialogApplied, dialog, store).filter, (RunFilter{1, 0xFF8000}));
    dialog.txtFilterRGB = {"300", "-5", "7"};
    EXPECT_EQ(SelectFilter(8, FilterSource::DialogApplied, dialog, store).filter, (RunFilter{2, 0xFF0007}));

    store.WriteSetting(kSectionDirectX, "DX_FilterMaskR", 224);
    store.WriteSetting(kSectionDirectX, "DX_FilterMaskG", 224);
    store.WriteSetting(kSectionDirectX, "DX_FilterMaskB", 224);
    EXPECT_EQ(SelectFilter(6, FilterSource::ThemeStart, dialog, store).filter, (RunFilter{1, 0xE0E0E0}))
        << "contours keep the top three bits of each channel";
    const FilterSelection outside = SelectFilter(16, FilterSource::ThemeStart, dialog, store);
    EXPECT_EQ(outside.name, "Normal (Default)");
    EXPECT_EQ(outside.filter.type, 0);
}

} // namespace
} // namespace orvex::test
