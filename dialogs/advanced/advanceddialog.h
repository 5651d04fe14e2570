// SPDX-License-Identifier: MIT
#pragma once
// The advanced settings dialog (frmAdvanced): frame delay, focal length, frames per
// theme, performance multiplier, the on-screen message, the hue wheel with its bubble
// and picture, the themes and template files of theme cycling, screen capture, mouse
// moves and monitors. Its controls are the only copy of the values while it is open;
// OK writes them all to section Advanced, Cancel writes nothing.

#include "advancedvalues.h"
#include "enginelibrary.h"
#include "runtimeproperties.h"
#include "settingsstore.h"

#include <QDialog>

#include <memory>
#include <vector>

namespace Ui {
class frmAdvanced;
}

namespace orvex {

class FileIOBrowser;
class NumberField;

class AdvancedDialog final : public QDialog {
    Q_OBJECT
public:
    // cycleThemes: the properties dialog's chkCycleThemes, shown as chkThemes. The engine
    // colours the hue-cone picture.
    AdvancedDialog(SettingsStore &store, EngineLibrary &engine, bool cycleThemes, QWidget *parent = nullptr);
    ~AdvancedDialog() override;

    // chkThemes as the user left it: after OK the properties dialog takes it over.
    bool CycleThemes() const { return values_.cycleThemes; }

    void done(int result) override;

private:
    void FillLists();
    void ShowCaptureNotes();
    void BindControls();
    void BindNumber(size_t i);
    void BindOther(size_t i);
    void ShowValues();
    void ShowOther(size_t i);
    void ShowThemes();
    void ReadLists();
    void EnableFrames();
    void ToggleThemeView();
    void RedrawHueWheel();
    void Defaults();
    void Accept();

    std::unique_ptr<Ui::frmAdvanced> ui_;
    SettingsStore &store_;
    EngineLibrary &engine_;
    ColourRuntime cone_; // the stored colour settings the picture is coloured with
    AdvancedValues values_;
    std::vector<NumberField *> numberFields_; // per control; null for all but number fields
    FileIOBrowser *templates_;
};

} // namespace orvex
