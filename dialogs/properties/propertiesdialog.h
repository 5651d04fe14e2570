// SPDX-License-Identifier: MIT
#pragma once
// The properties dialog (frmProps, "Orvex Lumora Properties"): every star property, the
// colour settings, the cycle ranges and the display settings of the current
// configuration, a factory theme to start from, a live preview, template files, and
// Accept, which saves it all to the settings store. Its frames edit one set of dialog
// values; the model operations move those values between store, templates and themes.

#include "dialogservices.h"
#include "dialogvalues.h"
#include "propscontext.h"

#include <QMainWindow>

#include <memory>

namespace Ui {
class PropertiesDialog;
}

namespace orvex {

class PropertiesDialog final : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char *kTitle = "Orvex Lumora Properties";

    // Fills the dialog from the store (the factory settings on a first opening). The
    // services outlive the dialog.
    explicit PropertiesDialog(const DialogServices &services, QWidget *parent = nullptr);
    ~PropertiesDialog() override;

protected:
    // The first opening ever welcomes the user, once the dialog shows.
    void showEvent(QShowEvent *event) override;
    // Whoever closes the dialog stops a running preview; the placement is saved.
    void closeEvent(QCloseEvent *event) override;

private:
    void BindFrames();
    void BindMenus();
    // Every frame from the values; ShowFields leaves the theme list as the user left it.
    void ShowValues();
    void ShowFields();
    void SwitchCycleThemes(bool on);
    void LockForPreview(bool locked);
    void Escape();
    void Accept();
    bool SaveSettings();
    void ResetProperties();
    void OpenTemplate();
    void SaveCurrentTemplate();
    void SaveTemplateAs();
    void ShowAdvancedSettings();
    void ShowVideoWindow();
    void Exit();

    std::unique_ptr<Ui::PropertiesDialog> ui_;
    DialogServices services_;
    PropsContext props_;
    DialogValues values_;
    bool firstOpening_ = false; // until the welcome is shown
};

} // namespace orvex
