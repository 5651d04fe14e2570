// SPDX-License-Identifier: MIT
#pragma once
// The welcome window, shown once: on the first opening ever of the properties dialog.
//
// "Once" is the ResetSettings marker (section General) of the settings file: the
// dialog's LoadDialogOnOpen writes it on the first opening and answers true exactly
// then. The properties dialog passes that answer on; nothing else is stored, so a new
// settings file (or one without the marker) welcomes the user again.

#include <QDialog>

#include <memory>

namespace Ui {
class frmWelcome;
}

namespace orvex {

class WelcomeWindow : public QDialog {
    Q_OBJECT
public:
    explicit WelcomeWindow(QWidget *parent = nullptr);
    ~WelcomeWindow() override;

private:
    std::unique_ptr<Ui::frmWelcome> ui_;
};

// Called by the properties dialog while it opens, with LoadDialogOnOpen's answer; shows
// the welcome window modally when this is the first opening.
void ShowWelcomeOnFirstOpening(bool firstOpening, QWidget *parent);

} // namespace orvex
