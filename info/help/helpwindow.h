// SPDX-License-Identifier: MIT
#pragma once
// The help window: the help document in a browser, opened at the anchor of a topic,
// with a find field for the Search menu item. It stands in for the Windows help viewer.

#include <QDialog>

#include <filesystem>
#include <memory>

namespace Ui {
class frmHelp;
}

namespace orvex {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    // helpFile: the document found by FindHelpFile.
    explicit HelpWindow(const std::filesystem::path &helpFile, QWidget *parent = nullptr);
    ~HelpWindow() override;

    // Scrolls to the topic's anchor (helptopics.h); the Search topic puts the cursor
    // into the find field.
    void ShowTopic(int topic);

private:
    // Finds the next occurrence of the find field's text, from the top again at the end.
    void FindNext();

    std::unique_ptr<Ui::frmHelp> ui_;
    std::filesystem::path helpFile_;
};

// Opens help at a topic over parent: the help window already open there, or a new one.
// Without the help document a message box says where it belongs.
void ShowHelp(QWidget *parent, int topic);

} // namespace orvex
