// SPDX-License-Identifier: MIT
#pragma once
// The diagnostics window (Help > Diagnostics...): the facts of diagnostics.h as they are
// now, in a read-only text the user can copy.

#include "diagnostics.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmDiagnostics;
}

namespace orvex {

class EngineLibrary;
class SettingsStore;

class DiagnosticsWindow : public QDialog {
    Q_OBJECT
public:
    DiagnosticsWindow(const SettingsStore &store, const EngineLibrary &engine, QWidget *parent = nullptr);
    ~DiagnosticsWindow() override;

private:
    std::unique_ptr<Ui::frmDiagnostics> ui_;
};

// The facts of this process: its engine, its settings file and the screens Qt reports.
DiagnosticsFacts GatherDiagnostics(const SettingsStore &store, const EngineLibrary &engine);

// Shows the diagnostics window modally over parent.
void ShowDiagnostics(QWidget *parent, const SettingsStore &store, const EngineLibrary &engine);

} // namespace orvex
