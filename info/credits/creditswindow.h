// SPDX-License-Identifier: MIT
#pragma once
// The credits window (frmCredits): the product header and the credit lines scroll up
// over a small live star field. Its frame loop is a timer on the window's own event
// loop, one frame per tick, so the close button and the mouse are handled between
// frames and nothing ever blocks. The window shows no messages: a step that fails is
// skipped.

#include "creditsrun.h"
#include "enginelibrary.h"

#include <QDialog>
#include <QTimer>

#include <memory>
#include <optional>

namespace Ui {
class frmCredits;
}

namespace orvex {

class SettingsStore;

class CreditsWindow : public QDialog {
    Q_OBJECT
public:
    // Deletes itself when closed.
    explicit CreditsWindow(SettingsStore &store, QWidget *parent = nullptr);
    ~CreditsWindow() override;

    // The values the loop starts with; prints the header and the credit lines.
    void FormLet(CreditsSettings settings);

    // The star field's trail blend (left click lowers it, right click raises it).
    int32_t BlendMul() const;

protected:
    // The first showing starts the loop; a later one does not start a second.
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void StartLoop();
    void NextFrame();
    void ScrollCredits();
    void OnFieldPressed(Qt::MouseButton button);

    std::unique_ptr<Ui::frmCredits> ui_;
    SettingsStore &store_;
    EngineLibrary engine_;
    CreditsSettings settings_;
    std::optional<CreditsRun> run_;
    QTimer frameTimer_;
    float creditsTop_ = 0;
    float scrollStep_ = 1;
    bool started_ = false;
};

} // namespace orvex
