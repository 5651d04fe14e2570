// SPDX-License-Identifier: MIT
#include "advanceddialog.h"
#include "advancedfixture.h"

#include "regfile.h"
#include "safefile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include <fstream>
#include <map>
#include <set>

namespace orvex::test {
namespace {

class AdvancedDialogTest : public DialogFixture {
protected:
    std::unique_ptr<AdvancedDialog> Open(bool cycleThemes = true)
    {
        return std::make_unique<AdvancedDialog>(store, engine, cycleThemes);
    }

    // Every value of section Advanced as the settings file holds it.
    std::map<std::string, std::string> AdvancedSection() const
    {
        const RegFile hive = RegFile::Parse(ReadWholeFile(store.File()).bytes);
        std::map<std::string, std::string> values;
        for (const RegSection &section : hive.Sections())
            if (section.path == "SOFTWARE\\Orvex\\Lumora\\Advanced")
                for (const RegValue &value : section.values)
                    values[value.name] = value.text;
        return values;
    }

    static std::set<int> SelectedThemes(QWidget &dialog)
    {
        std::set<int> rows;
        for (const QListWidgetItem *item : Control<QListWidget>(dialog, "lstThemes").selectedItems())
            rows.insert(item->listWidget()->row(item));
        return rows;
    }

    EngineLibrary engine;
};

struct LeaveCase {
    const char *field;
    const char *typed;
    const char *shown;
};

TEST_F(AdvancedDialogTest, FieldsAreCheckedWhenLeftAndSteppedByTheArrowKeys)
{
    const auto dialog = Open();
    for (const LeaveCase &c : {LeaveCase{"txtAdv_0", "abc", "0"}, LeaveCase{"txtAdv_4", "50", "100"},
                               LeaveCase{"txtAdv_1", "0", "0.01"}, LeaveCase{"txtAdv_5", "12", "9.9"},
                               LeaveCase{"txtMessage_0", "99", "80"}, LeaveCase{"txtMessage_5", "75", "60"},
                               LeaveCase{"txtHueWheel_7", "12.5", "12"}, LeaveCase{"txtHueWheel_8", "13.5", "14"},
                               // division 0 shows 100: division 1 may not fall below it
                               LeaveCase{"txtHueWheel_1", "50", "100"}, LeaveCase{"txtHueWheel_0", "200", "100"}}) {
        QLineEdit &field = Control<QLineEdit>(*dialog, c.field);
        TypeAndLeave(field, c.typed);
        EXPECT_EQ(field.text().toStdString(), c.shown) << c.field << " typed " << c.typed;
    }

    QLineEdit &delay = Control<QLineEdit>(*dialog, "txtAdv_0");
    TypeAndLeave(delay, "995");
    QKeyEvent up(QEvent::KeyPress, Qt::Key_Up, Qt::NoModifier);
    QApplication::sendEvent(&delay, &up);
    EXPECT_EQ(delay.text(), "999");
    EXPECT_EQ(Control<QSpinBox>(*dialog, "spnAdv_0").value(), 999);
    Control<QSpinBox>(*dialog, "spnAdv_0").setValue(120);
    EXPECT_EQ(delay.text(), "120");
}

TEST_F(AdvancedDialogTest, LoadsTheStoreAndDefaultsThenCancelWritesNothing)
{
    store.WriteSetting("Advanced", "Adv_TimeDelay", "25");
    store.WriteSetting("Advanced", "Adv_ThemeFlags", "5");
    store.WriteSetting("Advanced", "Adv_HueWheel1", "50");
    store.WriteSetting("Advanced", "Adv_ScreenCapt", "1");
    const auto before = AdvancedSection();

    const auto dialog = Open(false);
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtAdv_0").text(), "25");
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtHueWheel_1").text(), "100");
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtMessage_2").text(), "180");
    EXPECT_EQ(SelectedThemes(*dialog), (std::set<int>{0, 2}));
    EXPECT_EQ(Control<QComboBox>(*dialog, "cboCaptureImageBuffer").currentText(), "100");
    EXPECT_FALSE(Control<QCheckBox>(*dialog, "chkThemes").isChecked());
    EXPECT_FALSE(Control<QWidget>(*dialog, "fraExtraCycleThemes").isEnabled());
    EXPECT_TRUE(Control<QWidget>(*dialog, "cboCaptureImageBuffer").isEnabled());

    // The engine colours the wheel: red to the right of the centre (position 0), cyan to
    // the left (position 512, 180 degrees).
    const QImage wheel = Control<QWidget>(*dialog, "imgHueWheel").grab().toImage();
    const QColor red = wheel.pixelColor(wheel.width() * 3 / 4, wheel.height() / 2);
    const QColor cyan = wheel.pixelColor(wheel.width() / 4, wheel.height() / 2);
    EXPECT_GT(red.red(), red.blue() + 60) << red.name().toStdString();
    EXPECT_GT(cyan.blue(), cyan.red() + 60) << cyan.name().toStdString();

    Control<QPushButton>(*dialog, "cmdDefaults").click();
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtAdv_0").text(), "10");
    EXPECT_EQ(Control<QLineEdit>(*dialog, "txtHueWheel_1").text(), "150");
    EXPECT_EQ(Control<QComboBox>(*dialog, "cboCaptureImageBuffer").currentText(), "10");
    EXPECT_EQ(Control<QComboBox>(*dialog, "cboFont").currentText(), "Arial");
    std::set<int> factorySelection;
    for (int entry = 0; entry < 24; ++entry)
        if (entry != 8 && entry != 11 && entry != 20)
            factorySelection.insert(entry);
    EXPECT_EQ(SelectedThemes(*dialog), factorySelection);
    EXPECT_TRUE(Control<QCheckBox>(*dialog, "chkThemes").isChecked());
    EXPECT_TRUE(Control<QCheckBox>(*dialog, "chkScreenCapture").isChecked()) << "Defaults keeps the capture switch";

    Control<QPushButton>(*dialog, "cmdDismiss").click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(AdvancedSection(), before);
}

TEST_F(AdvancedDialogTest, OkWritesEveryKeyOfTheDialogAndNothingElse)
{
    const std::filesystem::path templates = folder_ / "templates";
    std::filesystem::create_directory(templates);
    for (const char *name : {"a.lmr", "B.LMR", "notes.txt"})
        std::ofstream(templates / name) << "x";
    store.WriteSetting("Advanced", "Adv_TempDirectory", templates.string());

    const auto dialog = Open(false);
    QListWidget &files = Control<QListWidget>(*dialog, "filTemplates");
    ASSERT_EQ(files.count(), 2) << "templates are listed whatever the case of their extension";
    files.item(1)->setSelected(true);
    Control<QListWidget>(*dialog, "lstThemes").clearSelection();
    Control<QListWidget>(*dialog, "lstThemes").item(0)->setSelected(true);
    Control<QPushButton>(*dialog, "cmdOK").click();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(dialog->CycleThemes());

    auto written = AdvancedSection();
    std::set<std::string> keys;
    for (const auto &[key, value] : written)
        keys.insert(key);
    EXPECT_EQ(keys, (std::set<std::string>{
                        "Adv_TimeDelay", "FocalLength", "Adv_EffectFPC", "Adv_PerfMult", "Adv_MouseMove",
                        "Adv_MultiMonitor", "Adv_FontName", "Adv_FontSize", "Adv_FontTOff", "Adv_FontHueV",
                        "Adv_FontHInc", "LockMessage", "Adv_CMinutes", "Adv_TimeText", "Adv_ZeroText",
                        "Adv_HueWheel0", "Adv_HueWheel1", "Adv_HueWheel2", "Adv_HueWheel3", "Adv_HueWheel4",
                        "Adv_HWB_Start", "Adv_HWB_Level", "Adv_HWB_BSpan", "Adv_HWB_Speed", "Adv_ThemeFlags",
                        "Adv_CycleStyle", "Adv_DispTempName", "Adv_ScreenCapt", "Adv_ImageBufferMax",
                        "Adv_TempDrive", "Adv_TempDirectory", "Adv_TempFileCount", "Adv_TempFile0000"}));
    EXPECT_EQ(written["Adv_ThemeFlags"], "1");
    EXPECT_EQ(written["Adv_ImageBufferMax"], "100");
    EXPECT_EQ(written["Adv_EffectFPC"], "6000");
    EXPECT_EQ(written["Adv_TempFileCount"], "1");
    EXPECT_EQ(written["Adv_TempFile0000"], "B.LMR");

    const auto again = Open(false);
    Control<QListWidget>(*again, "lstThemes").clearSelection();
    Control<QCheckBox>(*again, "chkThemes").setChecked(true);
    Control<QPushButton>(*again, "cmdOK").click();
    EXPECT_EQ(AdvancedSection()["Adv_ThemeFlags"], "0");
    EXPECT_TRUE(again->CycleThemes());
}

TEST_F(AdvancedDialogTest, ReturnOnATemplateFolderOpensItAndNeitherClosesNorWrites)
{
    const std::filesystem::path templates = folder_ / "templates";
    std::filesystem::create_directories(templates / "sub");
    std::ofstream(templates / "sub" / "inner.lmr") << "x";
    store.WriteSetting("Advanced", "Adv_TempDirectory", templates.string());
    const auto before = AdvancedSection();

    const auto dialog = Open();
    dialog->show();
    Control<QPushButton>(*dialog, "cmdToggleThemeView").click();
    ReturnOnFolder(*dialog, "dirTemplates", "sub");
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(AdvancedSection(), before);
    QListWidget &files = Control<QListWidget>(*dialog, "filTemplates");
    ASSERT_EQ(files.count(), 1) << "the folder was not opened";
    EXPECT_EQ(files.item(0)->text(), "inner.lmr");
}

} // namespace
} // namespace orvex::test
