// SPDX-License-Identifier: MIT
#pragma once
// The video window (frmVideo): the length, frame rate, frame size, black frames and file
// of the video, theme cycling, and the start button that asks for the compression and
// then records the animation through the real run loop into the window's preview
// picture. Settings are read when the window opens and stored when it closes.

#include "clock.h"
#include "qteventpump.h"
#include "videosession.h"
#include "videosettings.h"

#include <QDialog>

#include <memory>
#include <string_view>

namespace Ui {
class frmVideo;
}

class QLineEdit;

namespace orvex {

class EngineLibrary;
class RunLoop;
class SettingsStore;
struct StartupContext;
struct VideoCodec;
struct VideoCompression;

class VideoWindow final : public QDialog {
    Q_OBJECT
public:
    using PropertiesSource = VideoSession::PropertiesSource;

    // dialogProperties fills the property set from the properties dialog's fields for a
    // single video; without it the stored properties are recorded. The context's stop
    // flag ends the run loop of whoever runs one when this window records or closes.
    VideoWindow(StartupContext &context, SettingsStore &store, EngineLibrary &engine,
                PropertiesSource dialogProperties = {}, QWidget *parent = nullptr);
    ~VideoWindow() override;

    // Closing stores the settings; while recording it stops first.
    void done(int result) override;

private:
    class Progress;

    void ShowSettings();
    void ShowFile(const std::filesystem::path &file);
    void ShowTotalFrames();
    // The fields into the settings, each as leaving it leaves it.
    void ReadFields();
    void ReadUnitAndRate();
    void LeaveField(QLineEdit &field, int32_t &value, int32_t (*rule)(int32_t));
    void SizePreview();
    void ChooseVideoFile();
    void RestoreVideoDefaults();
    void StartOrStop();
    void Start();
    VideoJob MakeJob(const VideoCodec &codec, const VideoCompression &compression, std::string_view container) const;
    void SetRecordingState(bool recording);
    // Runs the job; signal is set to the stop signal that ended it, else 0.
    VideoOutcome Record(const VideoJob &job, int &signal);
    void ReportOutcome(VideoOutcome outcome);
    void EndOnSignal(int signal, VideoOutcome outcome);
    void ReportStoreFailure();

    std::unique_ptr<Ui::frmVideo> ui_;
    StartupContext &context_;
    SettingsStore &store_;
    PropertiesSource dialogProperties_;
    VideoSettings settings_;
    // The run loop's time passes only as it paces frames, so no frame is dropped however
    // slow the encoder; the progress estimates take real time.
    SyntheticClock loopClock_;
    SteadyClock wallClock_;
    QtEventPump pump_;
    std::unique_ptr<RunLoop> loop_;
    std::unique_ptr<VideoSession> session_;
    bool recording_ = false;
    bool closeWhenStopped_ = false;
};

} // namespace orvex
