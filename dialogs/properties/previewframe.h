// SPDX-License-Identifier: MIT
#pragma once
// The preview frame: the dialog's unsaved properties run in the preview picture on the
// dialog's own event loop (the run loop yields to it once a frame), until the preview
// button, Escape or closing the dialog stops them; while running, the capture buttons
// take the shown frame when the captures are switched on.

#include "colorframestep.h"
#include "dialogservices.h"
#include "dialogvalues.h"

#include <QGroupBox>

#include <memory>

namespace Ui {
class PreviewFrame;
}

namespace orvex {

class RunLoop;

class PreviewFrame final : public QGroupBox {
    Q_OBJECT
public:
    explicit PreviewFrame(QWidget *parent = nullptr);
    ~PreviewFrame() override;

    // Once, before the preview can start: what the run needs, and the values it shows.
    void Bind(const DialogServices &services, const DialogValues &values);

    bool Running() const { return loop_ != nullptr; }
    // A running preview ends within a frame.
    void Stop();

signals:
    void previewStarted();
    void previewStopped();
    // A frame's colour step, for the hue picture.
    void colourStepped(const ColourStepView &view);
    // "Create Video Files..." was pressed.
    void videoRequested();

private:
    void Toggle();
    // Returns when the preview is stopped.
    void Run();
    void ShowRunning(bool running);
    void Capture(InputAction action);

    std::unique_ptr<Ui::PreviewFrame> ui_;
    const DialogServices *services_ = nullptr;
    const DialogValues *values_ = nullptr;
    RunLoop *loop_ = nullptr; // the running preview's
};

} // namespace orvex
