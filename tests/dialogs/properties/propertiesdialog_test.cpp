// SPDX-License-Identifier: MIT
#include "propertiesdialog.h"

#include "advancedfixture.h"
#include "enginelibrary.h"
#include "regfile.h"
#include "safefile.h"
#include "settingdescriptors.h"
#include "spinbutton.h"
#include "startupcontext.h"

#include <QComboBox>
#include <QPushButton>
#include <QTest>

#include <map>
#include <set>
#include <utility>

namespace orvex::test {
namespace {

using Key = std::pair<std::string, std::string>; // section below the program's key, name

class PropertiesDialogTest : public DialogFixture {
protected:
    PropertiesDialogTest()
    {
        context.screenWidthPx = 1024;
        context.screenHeightPx = 768;
        context.resolutions = {{640, 480}, {800, 600}, {1024, 768}};
        // Opened and saved before: no welcome, no factory reset; the properties editable.
        store.WriteSetting(kSectionGeneral, kKeyResetSettings, 1);
        store.WriteSetting(kSectionGeneral, kKeyAnimationType, 0);
        store.WriteSetting(kSectionAdvanced, "Adv_ZeviCycle", 0);
    }

    std::unique_ptr<PropertiesDialog> Open()
    {
        auto dialog = std::make_unique<PropertiesDialog>(services);
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        return dialog;
    }

    std::set<Key> StoredKeys() const
    {
        std::set<Key> keys;
        const std::string root = "SOFTWARE\\Orvex\\Lumora\\";
        const RegFile hive = RegFile::Parse(ReadWholeFile(store.File()).bytes);
        for (const RegSection &section : hive.Sections())
            for (const RegValue &value : section.values)
                keys.insert({section.path.substr(root.size()), value.name});
        return keys;
    }

    StartupContext context;
    EngineLibrary engine;
    std::vector<InputAction> captures;
    DialogServices services{context, store, engine,
                            [this](InputAction action, const FramePresenter &) { captures.push_back(action); }};
};

void Choose(QComboBox &list, int index)
{
    list.setCurrentIndex(index);
    emit list.activated(index);
}

bool IsLit(QWidget &picture)
{
    const QImage image = picture.grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0)
                return true;
    return false;
}

// Pixels of the pure red the maximum-wedge lines are drawn in; no cone colour is one.
int MaxWedgePixels(const QImage &picture)
{
    int count = 0;
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += (image.pixel(x, y) & 0xFFFFFF) == 0xFF0000 ? 1 : 0;
    return count;
}

// The middle of the cone, inside the shortest wedge line.
QImage ConeMiddle(const QImage &picture)
{
    const int side = picture.width() / 10;
    return picture.copy(picture.width() / 2 - side / 2, picture.height() / 2 - side / 2, side, side);
}

TEST_F(PropertiesDialogTest, FieldsFilterStepAndClampAsTheyAreEdited)
{
    const auto dialog = Open();
    QLineEdit &stars = Control<QLineEdit>(*dialog, "txtStars_0");
    SpinButton &spin = Control<SpinButton>(*dialog, "spnStars_0");
    stars.setText("99950");
    QTest::keyClick(&stars, Qt::Key_Up);
    EXPECT_EQ(stars.text(), "99999");

    TypeAndLeave(stars, "12345");
    EXPECT_EQ(stars.text(), "12345");
    EXPECT_EQ(spin.value(), 1234) << "a tenth, halves to even";
    spin.setValue(20);
    EXPECT_EQ(stars.text(), "200");
    TypeAndLeave(stars, "5");
    EXPECT_EQ(stars.text(), "10");

    QLineEdit &persist = Control<QLineEdit>(*dialog, "txtStars_2");
    persist.setText("0.98");
    persist.end(false);
    QTest::keyClick(&persist, '.');
    EXPECT_EQ(persist.text(), "0.98") << "a second point is refused";
    persist.setSelection(1, 1);
    QTest::keyClick(&persist, '.');
    EXPECT_EQ(persist.text(), "0.98") << "the selected point may be typed over";
    QTest::keyClick(&persist, 'x');
    EXPECT_EQ(persist.text(), "0.98");
}

TEST_F(PropertiesDialogTest, ThemeListFillsTheFieldsAsTheThemeHasThemAndNoneChangesNothing)
{
    store.WriteSetting(kSectionAdvanced, kKeyPerfMult, 0.5);
    const auto dialog = Open();
    QComboBox &themes = Control<QComboBox>(*dialog, "cboTheme");
    Choose(themes, 2);
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtStars_0").text(), "40000") << "no performance multiplier";
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtStars_2").text(), "0.995");
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtStars_3").text(), "0.001");
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtColorProps_13").text(), "4000");

    Choose(themes, 0);
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtStars_0").text(), "40000");
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtColorProps_12").text(), "2400");
}

TEST_F(PropertiesDialogTest, CyclePaneShowsAndSavesEachPropertysOwnRangeWhateverWasChosenBefore)
{
    store.WriteSetting(kSectionCycleProps, "PropCycle_01_Max", "0.995");
    const auto dialog = Open();
    Choose(Control<QComboBox>(*dialog, "cboExtras"), 1);
    QComboBox &property = Control<QComboBox>(*dialog, "cboCycleProp");
    QLineEdit &high = Control<QLineEdit>(*dialog, "txtCycleProps_1");
    Choose(property, 0); // Forward Speed: high 9999, four characters
    EXPECT_EQ(high.text().toStdString(), "9999");
    Choose(property, 3); // Percent Comets: three characters
    EXPECT_EQ(high.text().toStdString(), "100");

    Choose(property, 1); // Star Persistence: eight characters
    Choose(property, 4); // Bias Point Span: four
    EXPECT_EQ(high.text().toStdString(), "5000");
    high.setFocus();
    QTest::keyClick(&high, Qt::Key_Tab);
    EXPECT_EQ(high.text().toStdString(), "5000") << "leaving the field kept its value";
    QTest::mouseClick(&Control<QPushButton>(*dialog, "cmdAccept"), Qt::LeftButton);
    EXPECT_EQ(store.ReadSettingText(kSectionCycleProps, "PropCycle_04_Max"), "5000");
}

TEST_F(PropertiesDialogTest, FitsA1024x768ScreenWithEveryControlShown)
{
    const auto dialog = Open();
    ExpectFitsASmallScreen(*dialog);
    Choose(Control<QComboBox>(*dialog, "cboExtras"), 1);
    Control<QPushButton>(*dialog, "cmdHueProps_1").click();
    ExpectFitsASmallScreen(*dialog);
}

TEST_F(PropertiesDialogTest, StoredValueOutOfRangeIsShownClampedAndNotWritten)
{
    store.WriteSetting(kSectionLumora, "Stars", 500000);
    store.WriteSetting(kSectionLumora, "BrightAgeInc", "150");
    const std::string before = ReadWholeFile(store.File()).bytes;
    const auto dialog = Open();
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtStars_0").text(), "99999");
    EXPECT_EQ(Control<SpinButton>(*dialog, "spnStars_0").value(), 9999);
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtStars_5").text(), "99");
    EXPECT_EQ(ReadWholeFile(store.File()).bytes, before);
}

TEST_F(PropertiesDialogTest, AcceptWritesTheDialogsSettingsAndCancelNone)
{
    const std::set<Key> before = StoredKeys();
    std::set<Key> placed = before;
    placed.insert({{"General\\Main", "WindowState"}, {"General\\Main", "WindowSize"}});

    auto dialog = Open();
    TypeAndLeave(Control<QLineEdit>(*dialog, "txtStars_0"), "123");
    QTest::mouseClick(&Control<QPushButton>(*dialog, "cmdDismiss"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(StoredKeys(), placed) << "Cancel saves the window's place only";

    dialog = Open();
    TypeAndLeave(Control<QLineEdit>(*dialog, "txtStars_0"), "123");
    QTest::mouseClick(&Control<QPushButton>(*dialog, "cmdAccept"), Qt::LeftButton);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(store.ReadSettingText(kSectionLumora, "Stars"), "123");

    std::map<std::string, int> added; // new keys per section
    for (const Key &key : StoredKeys())
        if (!placed.contains(key))
            ++added[key.first];
    const std::map<std::string, int> expected{
        {"Lumora", 17}, {"GenColor", 9}, {"DirectX", 9}, {"CycleProps", 27}, {"General", 1}};
    EXPECT_EQ(added, expected) << "besides AnimationType and Adv_ZeviCycle, stored before";
    EXPECT_TRUE(StoredKeys().contains({"General", "TestRegWrite"})) << "the store was found writable first";
}

TEST_F(PropertiesDialogTest, AcceptOnAnUnwritableStoreSaysSo)
{
    const std::filesystem::path file = folder_ / "blocked" / "Lumora.reg";
    std::filesystem::create_directories(file); // a folder where the file belongs
    SettingsStore unwritable(file);
    PropertiesDialog dialog({context, unwritable, engine, {}});
    const MessageWatch message;
    Control<QPushButton>(dialog, "cmdAccept").click();
    EXPECT_EQ(QString::fromStdString(message.Text()),
              QString::fromUtf8(kSettingsReadOnlyMessage.data(), qsizetype(kSettingsReadOnlyMessage.size()))
                  .replace("\r\n", "\n"));
}

TEST_F(PropertiesDialogTest, PreviewRunsInThePictureUntilEscapeStopsIt)
{
    store.WriteSetting(kSectionAdvanced, "Adv_ScreenCapt", "1");
    const auto dialog = Open();
    QPushButton &preview = Control<QPushButton>(*dialog, "cmdDispPreview");
    QPushButton &accept = Control<QPushButton>(*dialog, "cmdAccept");
    bool lit = false;
    QString runningCaption;
    bool acceptWhileRunning = true;
    // Runs inside the preview, which yields to the event loop once a frame.
    QTimer::singleShot(500, [&] {
        runningCaption = preview.text();
        acceptWhileRunning = accept.isEnabled();
        lit = IsLit(Control<QWidget>(*dialog, "picPreview"));
        QTest::mouseClick(&Control<QPushButton>(*dialog, "cmdCaptureImage_2"), Qt::LeftButton);
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
    });
    QTest::mouseClick(&preview, Qt::LeftButton);

    EXPECT_EQ(runningCaption, "Stop Preview");
    EXPECT_FALSE(acceptWhileRunning);
    EXPECT_TRUE(lit) << "no frame reached the preview picture";
    EXPECT_EQ(captures, std::vector<InputAction>{InputAction::SaveToFile});
    EXPECT_EQ(preview.text(), "Preview");
    EXPECT_TRUE(accept.isEnabled());
    EXPECT_TRUE(dialog->isVisible()) << "Escape stopped the preview, not the dialog";
    EXPECT_EQ(store.ReadSettingLong(kSectionGeneral, "UseCountPreview", 0), 1);
}

TEST_F(PropertiesDialogTest, PreviewAnimatesTheHuePictureAndShowsTheTypedWedgesAgainWhenStopped)
{
    // A bright bubble that moves ten wheel positions a frame.
    store.WriteSetting(kSectionAdvanced, "Adv_HWB_Level", 100);
    store.WriteSetting(kSectionAdvanced, "Adv_HWB_BSpan", 2000);
    store.WriteSetting(kSectionAdvanced, "Adv_HWB_Speed", 9999);
    const auto dialog = Open();
    QWidget &picture = Control<QWidget>(*dialog, "picHueWheel");
    EXPECT_GT(MaxWedgePixels(picture.grab().toImage()), 0) << "the typed maximum wedge is drawn";

    QImage early;
    QImage late;
    // Run inside the preview, which yields to the event loop once a frame.
    QTimer::singleShot(200, [&] { early = picture.grab().toImage(); });
    QTimer::singleShot(500, [&] {
        late = picture.grab().toImage();
        QTest::keyClick(dialog.get(), Qt::Key_Escape);
    });
    QTest::mouseClick(&Control<QPushButton>(*dialog, "cmdDispPreview"), Qt::LeftButton);

    ASSERT_FALSE(early.isNull());
    ASSERT_FALSE(late.isNull());
    EXPECT_EQ(MaxWedgePixels(early), 0) << "a running preview draws the swinging wedge only";
    EXPECT_TRUE(ConeMiddle(early) != ConeMiddle(late)) << "the bubble did not move in the picture";
    EXPECT_GT(MaxWedgePixels(picture.grab().toImage()), 0) << "stopped, the picture shows the fields again";
}

} // namespace
} // namespace orvex::test
