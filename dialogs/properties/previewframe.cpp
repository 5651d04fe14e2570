// SPDX-License-Identifier: MIT
#include "previewframe.h"

#include "clock.h"
#include "dialogtransfer.h"
#include "qteventpump.h"
#include "runloop.h"
#include "settingdescriptors.h"
#include "settingsstore.h"
#include "startupcontext.h"
#include "ui_previewframe.h"

namespace orvex {

namespace {

// RunTheme's mark of a run inside the properties dialog.
constexpr int16_t kInsideDialog = 1;

} // namespace

PreviewFrame::PreviewFrame(QWidget *parent) : QGroupBox(parent), ui_(std::make_unique<Ui::PreviewFrame>())
{
    ui_->setupUi(this);
}

PreviewFrame::~PreviewFrame() = default;

void PreviewFrame::Bind(const DialogServices &services, const DialogValues &values)
{
    services_ = &services;
    values_ = &values;
    connect(ui_->cmdDispPreview, &QPushButton::clicked, this, &PreviewFrame::Toggle);
    connect(ui_->cmdCaptureImage_0, &QPushButton::clicked, this, [this] { Capture(InputAction::CopyToClipboard); });
    connect(ui_->cmdCaptureImage_1, &QPushButton::clicked, this,
            [this] { Capture(InputAction::SaveToFileAsWallpaper); });
    connect(ui_->cmdCaptureImage_2, &QPushButton::clicked, this, [this] { Capture(InputAction::SaveToFile); });
    connect(ui_->cmdVideo, &QPushButton::clicked, this, &PreviewFrame::videoRequested);
}

void PreviewFrame::Toggle()
{
    if (Running())
        Stop();
    else
        Run();
}

void PreviewFrame::Stop()
{
    services_->context.stopRequested = true;
}

void PreviewFrame::Run()
{
    StartupContext &context = services_->context;
    context.stopRequested = false;
    context.runMode = RunMode::DialogPreview;
    SteadyClock clock;
    QtEventPump pump;
    try {
        RunLoop loop(context, services_->store, services_->engine, clock, pump, *ui_->picPreview);
        loop.PrepareRun(false);
        loop.LoadPropsInitDX(); // counts the run as a dialog preview
        loop.SetFramesPerTheme(0); // the preview never changes theme
        loop.WatchColourSteps([this](const ColourStepView &view) { emit colourStepped(view); });
        loop_ = &loop;
        ShowRunning(true);
        // With no theme length the run ends only when the preview is stopped.
        while (!context.stopRequested) {
            context.properties = PropertiesFromDialog(*values_);
            loop.RunTheme(kInsideDialog);
        }
    } catch (const FrameAllocationError &) {
        // No memory for the frames: there is nothing to show.
    }
    loop_ = nullptr;
    ShowRunning(false);
}

void PreviewFrame::ShowRunning(bool running)
{
    ui_->cmdDispPreview->setText(running ? "Stop Preview" : "Preview");
    const bool captures = running && services_->store.ReadSettingText(kSectionAdvanced, "Adv_ScreenCapt") == "1";
    for (QPushButton *button : {ui_->cmdCaptureImage_0, ui_->cmdCaptureImage_1, ui_->cmdCaptureImage_2})
        button->setVisible(captures);
    ui_->cmdVideo->setEnabled(!running);
    if (running)
        emit previewStarted();
    else
        emit previewStopped();
}

void PreviewFrame::Capture(InputAction action)
{
    if (loop_ != nullptr && services_->capture)
        services_->capture(action, loop_->Presenter());
}

} // namespace orvex
