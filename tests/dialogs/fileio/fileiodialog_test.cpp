// SPDX-License-Identifier: MIT
#include "fileiodialog.h"
#include "advancedfixture.h"

#include "dialogtransfer.h"
#include "fileiolisting.h"
#include "safefile.h"
#include "windowplacement.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>

#include <set>

namespace orvex::test {
namespace {

class FileIODialogTest : public DialogFixture {
protected:
    FileIODialogTest()
    {
        std::filesystem::create_directory(templates_);
        store.WriteSetting("Template", "Path_Dir", templates_.string());
    }

    std::set<std::string> TemplateFolderNames() const
    {
        std::set<std::string> names;
        for (const auto &entry : std::filesystem::directory_iterator(templates_))
            names.insert(entry.path().filename().string());
        return names;
    }

    std::filesystem::path templates_ = folder_ / "templates";
    TemplateFile templateFiles;
    PropsContext context{store, templateFiles, {1280, 1024}};
};

TEST_F(FileIODialogTest, SaveAsThenOpenBringsTheFieldsBack)
{
    DialogValues saved;
    LoadDialogFromSettings(saved, context);
    saved.txtStars[0] = "12345";
    saved.txtColorProps[14] = "99";
    // A file named like the old scratch probe ("<name>0") is the user's and must survive.
    WriteBytesTo(templates_ / "mine.LMR0", "keep");

    FileIODialog save(saved, context);
    save.Prepare(false, true, "Enter or Select Template to Save");
    Control<QLineEdit>(save, "txtFile").setText("mine");
    Control<QPushButton>(save, "cmdOK").click();
    ASSERT_EQ(save.result(), QDialog::Accepted);
    EXPECT_EQ(save.ChosenPath(), templates_ / "mine.LMR");
    EXPECT_EQ(templateFiles.CurrentPath(), templates_ / "mine.LMR");
    EXPECT_EQ(ReadWholeFile(templates_ / "mine.LMR0").bytes, "keep");
    EXPECT_EQ(TemplateFolderNames(), (std::set<std::string>{"mine.LMR", "mine.LMR0"}));

    DialogValues opened;
    LoadDialogFromSettings(opened, context);
    templateFiles.SetCurrentPath({});
    FileIODialog open(opened, context);
    open.Prepare(true, true, "Select Template to Open");
    QListWidget &files = Control<QListWidget>(open, "filTemp");
    ASSERT_EQ(files.count(), 1) << "only templates are listed, whatever the case of their extension";
    emit files.itemActivated(files.item(0));
    ASSERT_EQ(open.result(), QDialog::Accepted);
    EXPECT_EQ(opened.txtStars[0], "12345");
    EXPECT_EQ(opened.txtColorProps[14], "99");
    EXPECT_EQ(templateFiles.CurrentPath(), templates_ / "mine.LMR");
}

struct RefusalCase {
    bool mustExist;
    const char *typed;
    const char *message;
};

TEST_F(FileIODialogTest, RefusedNamesKeepTheDialogOpenWithTheirMessage)
{
    WriteBytesTo(templates_ / "notes.lmr", "no sections here\r\n");
    DialogValues dialog;
    LoadDialogFromSettings(dialog, context);
    const DialogValues before = dialog;
    for (const RefusalCase &c : {RefusalCase{true, "missing.lmr", "Please select an existing file."},
                                 RefusalCase{true, "  ", "Please select an existing file."},
                                 RefusalCase{false, "  ", "Please enter a file name."},
                                 RefusalCase{false, "no/such/folder/x", "Please enter a valid path and file."},
                                 RefusalCase{true, "notes.lmr", "is not an Orvex Lumora template"}}) {
        FileIODialog files(dialog, context);
        files.Prepare(c.mustExist, true, "title");
        Control<QLineEdit>(files, "txtFile").setText(c.typed);
        const MessageWatch watch;
        Control<QPushButton>(files, "cmdOK").click();
        EXPECT_NE(watch.Text().find(c.message), std::string::npos) << c.typed << ": " << watch.Text();
        EXPECT_NE(files.result(), QDialog::Accepted) << c.typed;
        EXPECT_TRUE(files.ChosenPath().empty());
    }
    EXPECT_EQ(dialog, before);
    EXPECT_TRUE(templateFiles.CurrentPath().empty());
}

TEST_F(FileIODialogTest, ReturnOnAFolderOpensItAndNothingElse)
{
    std::filesystem::create_directory(templates_ / "sub");
    WriteBytesTo(templates_ / "sub" / "inner.lmr", "");
    DialogValues dialog;
    LoadDialogFromSettings(dialog, context);
    for (const bool mustExist : {false, true}) {
        FileIODialog files(dialog, context);
        files.Prepare(mustExist, true, "title");
        Control<QLineEdit>(files, "txtFile").setText("mine");
        files.show();
        const MessageWatch watch;
        ReturnOnFolder(files, "dirTemp", "sub");
        EXPECT_EQ(watch.Text(), "") << "open mode " << mustExist;
        EXPECT_TRUE(files.isVisible()) << "open mode " << mustExist;
        QListWidget &listed = Control<QListWidget>(files, "filTemp");
        ASSERT_EQ(listed.count(), 1) << "the folder was not opened";
        EXPECT_EQ(listed.item(0)->text(), "inner.lmr");
    }
    EXPECT_EQ(TemplateFolderNames(), std::set<std::string>{"sub"}) << "nothing was saved";
    EXPECT_FALSE(std::filesystem::exists(templates_ / "sub" / "mine.LMR"));
    EXPECT_TRUE(templateFiles.CurrentPath().empty());
}

TEST_F(FileIODialogTest, APlaceSavedOffTheScreensThereAreNowReopensOnOne)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const WindowRect onAMonitorThatIsGone{screen.right() + 3000, screen.bottom() + 2000, 600, 300};
    const WindowRect largerThanTheScreen{screen.left() + 50, screen.top() + 50, screen.width() + 400,
                                         screen.height() + 300};
    DialogValues dialog;
    for (const WindowRect &saved : {onAMonitorThatIsGone, largerThanTheScreen}) {
        SaveWindowPlacement(store, "General\\Template", {saved, false, false});
        FileIODialog files(dialog, context);
        EXPECT_TRUE(screen.contains(files.geometry()))
            << files.geometry().x() << "," << files.geometry().y() << " " << files.geometry().width() << "x"
            << files.geometry().height();
    }
}

TEST(FileIOListing, AFolderLiesOnTheDeepestDriveThatHoldsIt)
{
    const std::vector<std::filesystem::path> drives{"/", "/home", "/home/me/usb"};
    EXPECT_EQ(DriveOf("/home/me/notes", drives), "/home");
    EXPECT_EQ(DriveOf("/home/me/usb/themes", drives), "/home/me/usb");
    EXPECT_EQ(DriveOf("/homework", drives), "/") << "a drive holds what lies below it, not names that begin alike";
    EXPECT_EQ(DriveOf("/home", drives), "/home");
    EXPECT_EQ(DriveOf("/srv", {"/home"}), "");
}

} // namespace
} // namespace orvex::test
