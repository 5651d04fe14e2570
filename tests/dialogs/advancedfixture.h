// SPDX-License-Identifier: MIT
#pragma once
// A settings store in a fresh temporary folder, and ways to reach and work a dialog's
// controls by their names as a user would.

#include "settingsstore.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

namespace orvex::test {

class DialogFixture : public ::testing::Test {
protected:
    ~DialogFixture() override { std::filesystem::remove_all(folder_); }

    static std::filesystem::path MakeTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "orvex-dialog-XXXXXX").string();
        return ::mkdtemp(pattern.data());
    }

    std::filesystem::path folder_ = MakeTempFolder();
    SettingsStore store{folder_ / "Orvex" / "Lumora.reg"};
};

template <typename Widget>
Widget &Control(QWidget &window, const char *name)
{
    auto *widget = window.findChild<Widget *>(name);
    if (widget == nullptr)
        throw std::runtime_error(std::string("no control ") + name);
    return *widget;
}

inline void WriteBytesTo(const std::filesystem::path &file, const std::string &bytes)
{
    std::ofstream(file, std::ios::binary) << bytes;
}

// Types text into a field (past its keystroke filter, as a paste would be) and leaves it.
inline void TypeAndLeave(QLineEdit &field, const QString &text)
{
    field.setText(text);
    QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&field, &leave);
}

// Makes the folder named name (shown indented) current in a folder list and presses
// Return on it, as a user walking the list with the keyboard does.
inline void ReturnOnFolder(QWidget &window, const char *folderList, const QString &name)
{
    auto &folders = Control<QListWidget>(window, folderList);
    for (int row = 0; row < folders.count(); ++row)
        if (folders.item(row)->text().trimmed() == name)
            folders.setCurrentRow(row);
    if (folders.currentItem() == nullptr || folders.currentItem()->text().trimmed() != name)
        throw std::runtime_error("no folder " + name.toStdString() + " in " + folderList);
    QTest::keyClick(&folders, Qt::Key_Return);
}

// What a 1024 x 768 screen leaves a window inside its frame: a 40-pixel panel, a
// 30-pixel title bar and 4-pixel borders.
inline constexpr QSize kSmallScreenRoom{1024 - 2 * 4, 768 - 40 - 30 - 4};

// Makes window as small as that room and expects every named control it shows to lie
// whole inside it.
inline void ExpectFitsASmallScreen(QWidget &window)
{
    window.resize(kSmallScreenRoom);
    EXPECT_LE(window.width(), kSmallScreenRoom.width());
    EXPECT_LE(window.height(), kSmallScreenRoom.height());
    const QRect room(QPoint(0, 0), kSmallScreenRoom);
    for (QWidget *control : window.findChildren<QWidget *>()) {
        const QString name = control->objectName();
        if (name.isEmpty() || name.startsWith("qt_") || !control->isVisibleTo(&window))
            continue;
        const QRect shown(control->mapTo(&window, QPoint(0, 0)), control->size());
        EXPECT_TRUE(room.contains(shown)) << name.toStdString() << " lies off the screen";
    }
}

// The text of the next message box shown while the watch lives; the box is closed as
// soon as it shows.
class MessageWatch {
public:
    MessageWatch()
    {
        QTimer::singleShot(0, &context_, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                text_ = box->text().toStdString();
                box->accept();
            }
        });
    }
    const std::string &Text() const { return text_; }

private:
    QObject context_; // ends the watch's timer with the watch
    std::string text_;
};

} // namespace orvex::test
