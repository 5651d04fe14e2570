// SPDX-License-Identifier: MIT
#include "videowindow.h"
#include "ui_videowindow.h"

#include "applytheme.h"
#include "capturefolder.h"
#include "codecchooser.h"
#include "fileioplacement.h"
#include "runloop.h"
#include "settingsstore.h"
#include "startupcontext.h"
#include "stopsignals.h"
#include "templateio.h"
#include "videocodecs.h"
#include "videocompression.h"
#include "videofiledialog.h"
#include "videoprogress.h"

#include <QApplication>
#include <QMessageBox>
#include <QRegularExpressionValidator>

#include <algorithm>
#include <iostream>

namespace orvex {

namespace {

constexpr std::string_view kIdleCaption = "Select Video Compression / Begin Video Recording";
constexpr std::string_view kRecordingCaption = "Stop Video Creation";
constexpr std::string_view kFileTitle = "Choose a filename to save AVI to...";
constexpr std::string_view kFileFilter = "AVI Files|*.avi";
constexpr std::string_view kFileExtension = "AVI";
constexpr std::string_view kRestoreTitle = "Confirm Restore Defaults";
constexpr std::string_view kRestoreQuestion = "Restoring the Video Default settings will reset\n"
                                              "the Video Capture properties and will also clear\n"
                                              "any of previously setup Video Compression properties.\n"
                                              "This can be necessary if you are experiencing problems\n"
                                              "when attempting to select the Video Compression type.\n"
                                              "\n"
                                              "Are you sure you want to Restore Defaults?";

QString Text(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString Number(int32_t value)
{
    return QString::number(value);
}

// The fields take digits only; seven of them hold more than any range here.
int32_t FieldNumber(const QLineEdit &field)
{
    return field.text().toInt();
}

} // namespace

// Shows each file's name as it starts and the status line after every frame, and passes
// on a stop signal.
class VideoWindow::Progress final : public VideoSession::Listener {
public:
    Progress(VideoWindow &window, const ScopedStopSignals &stopSignals) : window_(window), signals_(stopSignals) {}

    void FileStarted(const std::filesystem::path &file) override { window_.ShowFile(file); }
    void FrameWritten(const VideoProgress &progress) override
    {
        window_.ui_->lblFrameStatus->setText(QString::fromStdString(FrameStatusText(progress)));
        window_.ui_->lblFrameStatus->repaint();
    }
    bool StopAsked() const override { return signals_.Received() != 0; }

private:
    VideoWindow &window_;
    const ScopedStopSignals &signals_;
};

VideoWindow::VideoWindow(StartupContext &context, SettingsStore &store, EngineLibrary &engine,
                         PropertiesSource dialogProperties, QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::frmVideo>()), context_(context), store_(store),
      dialogProperties_(std::move(dialogProperties))
{
    ui_->setupUi(this);
    loop_ = std::make_unique<RunLoop>(context, store, engine, loopClock_, pump_, *ui_->picPreview);
    session_ = std::make_unique<VideoSession>(*loop_, *ui_->picPreview, context, store, engine, wallClock_);

    const auto *digits = new QRegularExpressionValidator(QRegularExpression("[0-9]{0,7}"), this);
    for (QLineEdit *field : {ui_->txtFrames, ui_->txtWidth, ui_->txtHeight, ui_->txtBlackFrames_0,
                             ui_->txtBlackFrames_1})
        field->setValidator(digits);
    connect(ui_->txtFrames, &QLineEdit::editingFinished, this, [this] {
        LeaveField(*ui_->txtFrames, settings_.length, ClampLength);
        // The unit and the rate may have been changed since the fields were last read.
        ReadUnitAndRate();
        ShowTotalFrames();
    });
    connect(ui_->txtWidth, &QLineEdit::editingFinished, this, [this] {
        LeaveField(*ui_->txtWidth, settings_.width, VideoFrameWidth);
        SizePreview();
    });
    connect(ui_->txtHeight, &QLineEdit::editingFinished, this, [this] {
        LeaveField(*ui_->txtHeight, settings_.height, VideoFrameHeight);
        SizePreview();
    });
    connect(ui_->txtBlackFrames_0, &QLineEdit::editingFinished, this,
            [this] { LeaveField(*ui_->txtBlackFrames_0, settings_.blackBegin, ClampBlackFrames); });
    connect(ui_->txtBlackFrames_1, &QLineEdit::editingFinished, this,
            [this] { LeaveField(*ui_->txtBlackFrames_1, settings_.blackEnd, ClampBlackFrames); });
    connect(ui_->cmdCalcFrames, &QPushButton::clicked, this, [this] {
        ReadFields();
        ShowTotalFrames();
    });
    connect(ui_->cmdSelectFile, &QPushButton::clicked, this, &VideoWindow::ChooseVideoFile);
    connect(ui_->cmdRestoreDefaults, &QPushButton::clicked, this, &VideoWindow::RestoreVideoDefaults);
    connect(ui_->cmdDispPreview, &QPushButton::clicked, this, &VideoWindow::StartOrStop);
    connect(ui_->cmdClose, &QPushButton::clicked, this, &QDialog::close);

    settings_ = LoadVideoSettings(store_, CaptureFolder(CaptureEnvironment::FromProcess()));
    ShowSettings();
    RestorePlacement(*this, store_, kVideoPlacementSection);
}

VideoWindow::~VideoWindow() = default;

void VideoWindow::ShowSettings()
{
    ui_->cboCapture->setCurrentIndex(settings_.lengthUnit);
    ui_->txtFrames->setText(Number(settings_.length));
    ui_->cboFPS->setCurrentIndex(settings_.rate - 1);
    ui_->txtWidth->setText(Number(settings_.width));
    ui_->txtHeight->setText(Number(settings_.height));
    ui_->txtBlackFrames_0->setText(Number(settings_.blackBegin));
    ui_->txtBlackFrames_1->setText(Number(settings_.blackEnd));
    ui_->chkCycleThemes->setChecked(settings_.cycleThemes != 0);
    ShowFile(settings_.file);
    ShowTotalFrames();
    SizePreview();
}

void VideoWindow::ShowFile(const std::filesystem::path &file)
{
    ui_->txtVideoDir->setText(QString::fromStdString(file.parent_path().string()));
    ui_->txtVideoFile->setText(QString::fromStdString(file.string()));
    // Red warns that recording will replace a file of that name.
    std::error_code error;
    const bool exists = std::filesystem::exists(file, error);
    QPalette palette = ui_->txtVideoFile->palette();
    palette.setColor(QPalette::Text, exists ? QColor(255, 0, 0) : QColor(0, 0, 0));
    ui_->txtVideoFile->setPalette(palette);
}

void VideoWindow::ShowTotalFrames()
{
    const int32_t frames = CalcFrames(settings_.lengthUnit, settings_.length, settings_.rate);
    ui_->lblTotalFrames->setText("Total Frames:  " + Number(frames));
}

void VideoWindow::LeaveField(QLineEdit &field, int32_t &value, int32_t (*rule)(int32_t))
{
    value = rule(FieldNumber(field));
    field.setText(Number(value));
}

void VideoWindow::ReadUnitAndRate()
{
    settings_.lengthUnit = ui_->cboCapture->currentIndex();
    settings_.rate = ui_->cboFPS->currentIndex() + 1;
}

void VideoWindow::ReadFields()
{
    ReadUnitAndRate();
    settings_.cycleThemes = ui_->chkCycleThemes->isChecked() ? 1 : 0;
    LeaveField(*ui_->txtFrames, settings_.length, ClampLength);
    LeaveField(*ui_->txtWidth, settings_.width, VideoFrameWidth);
    LeaveField(*ui_->txtHeight, settings_.height, VideoFrameHeight);
    LeaveField(*ui_->txtBlackFrames_0, settings_.blackBegin, ClampBlackFrames);
    LeaveField(*ui_->txtBlackFrames_1, settings_.blackEnd, ClampBlackFrames);
}

void VideoWindow::SizePreview()
{
    // The picture is the video frame, pixel for pixel: the rendering size is the frame size.
    const qreal ratio = ui_->picPreview->devicePixelRatioF();
    ui_->picPreview->setFixedSize(int(VideoFrameWidth(settings_.width) / ratio),
                                  int(VideoFrameHeight(settings_.height) / ratio));
}

void VideoWindow::ChooseVideoFile()
{
    VideoFileDialog dialog(settings_.directory, this);
    dialog.SetDlgTitle(Text(kFileTitle));
    dialog.SetFilter(kFileFilter);
    dialog.SetDefaultExt(Text(kFileExtension));
    QString chosen = QString::fromStdString(settings_.file.string());
    if (!dialog.GetSaveFileName(chosen))
        return;
    settings_.file = chosen.toStdString();
    settings_.directory = settings_.file.parent_path();
    if (!SaveVideoFile(store_, settings_.file))
        ReportStoreFailure();
    ShowFile(settings_.file);
}

void VideoWindow::RestoreVideoDefaults()
{
    const auto answer = QMessageBox::question(this, Text(kRestoreTitle), Text(kRestoreQuestion),
                                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    settings_ = WithDefaultNumbers(settings_);
    ShowSettings();
    if (!ClearVideoCompression(store_))
        ReportStoreFailure();
}

void VideoWindow::StartOrStop()
{
    if (recording_)
        session_->Stop();
    else
        Start();
}

void VideoWindow::Start()
{
    ReadFields();
    ShowTotalFrames();
    SizePreview();
    if (const std::string problem = VideoNameProblem(settings_.file); !settings_.cycleThemes && !problem.empty()) {
        QMessageBox::information(this, Text(kTemplateProduct),
                                 QString::fromStdString(VideoFailureText({settings_.file, problem, {}})));
        return;
    }
    const std::string_view container = settings_.cycleThemes ? "avi" : VideoContainerOf(settings_.file);
    CodecChooser chooser(container, settings_.height, LoadVideoCompression(store_), this);
    if (chooser.exec() != QDialog::Accepted || chooser.Codec() == nullptr)
        return;
    if (!StoreVideoCompression(store_, chooser.Choice()))
        ReportStoreFailure();
    int signal = 0;
    SetRecordingState(true);
    const VideoOutcome outcome = Record(MakeJob(*chooser.Codec(), chooser.Choice(), container), signal);
    SetRecordingState(false);
    if (signal != 0) {
        EndOnSignal(signal, outcome);
        return;
    }
    ReportOutcome(outcome);
    if (closeWhenStopped_)
        close();
}

VideoOutcome VideoWindow::Record(const VideoJob &job, int &signal)
{
    const PropertiesSource stored = [this](StarPropertySet &set) { ApplyTheme(set, store_, 0, 1.0f); };
    context_.stopRequested = false;
    // Logging out or Ctrl-C in the terminal would otherwise end the program with the file
    // half written: it is finished first, as Stop finishes it.
    const ScopedStopSignals stopSignals(context_.stopRequested);
    Progress progress(*this, stopSignals);
    const VideoOutcome outcome = session_->Record(job, dialogProperties_ ? dialogProperties_ : stored, progress);
    signal = stopSignals.Received();
    return outcome;
}

void VideoWindow::EndOnSignal(int signal, VideoOutcome outcome)
{
    // Nobody may be there to answer a message box.
    if (outcome == VideoOutcome::Failed)
        std::cerr << "orvex-lumora: " << VideoFailureText(session_->Failure()) << "\n";
    // The program ends as the signal would have ended it, storing nothing that was not
    // accepted: not this window's fields (the base class closes it without storing them),
    // nor anything of the dialogs below it.
    QDialog::done(QDialog::Rejected);
    QCoreApplication::exit(128 + signal);
}

VideoJob VideoWindow::MakeJob(const VideoCodec &codec, const VideoCompression &compression,
                              std::string_view container) const
{
    VideoJob job;
    job.format.width = settings_.width;
    job.format.height = settings_.height;
    job.format.rate = settings_.rate;
    job.format.codec = &codec;
    job.format.quality = compression.quality;
    job.format.keyFrameEvery = compression.keyFrameEvery;
    job.format.container = container;
    job.animationFrames = CalcFrames(settings_.lengthUnit, settings_.length, settings_.rate);
    job.blackBegin = settings_.blackBegin;
    job.blackEnd = settings_.blackEnd;
    job.file = settings_.file;
    job.cycleThemes = settings_.cycleThemes != 0;
    job.folder = settings_.directory;
    return job;
}

void VideoWindow::SetRecordingState(bool recording)
{
    recording_ = recording;
    ui_->cmdDispPreview->setText(Text(recording ? kRecordingCaption : kIdleCaption));
    for (QWidget *control : findChildren<QWidget *>()) {
        const bool input = qobject_cast<QAbstractButton *>(control) || qobject_cast<QLineEdit *>(control)
                           || qobject_cast<QComboBox *>(control);
        if (input && control != ui_->cmdDispPreview)
            control->setEnabled(!recording);
    }
}

void VideoWindow::ReportOutcome(VideoOutcome outcome)
{
    if (outcome == VideoOutcome::Failed) {
        QMessageBox::information(this, Text(kTemplateProduct),
                                 QString::fromStdString(VideoFailureText(session_->Failure())));
        return;
    }
    ShowFile(ui_->txtVideoFile->text().toStdString());
    // Each file of a completed theme cycle ends quietly; a single video or a stop is told.
    if (settings_.cycleThemes == 0 || outcome == VideoOutcome::Stopped)
        QApplication::beep();
}

void VideoWindow::ReportStoreFailure()
{
    QMessageBox::warning(this, Text(kTemplateProduct),
                         "The video settings could not be saved to\n" + QString::fromStdString(store_.File().string())
                             + "\nPlease check that you may write to that folder and that the disk is not full.");
}

void VideoWindow::done(int result)
{
    if (recording_) {
        closeWhenStopped_ = true;
        session_->Stop();
        return;
    }
    context_.stopRequested = true;
    ReadFields();
    if (!SaveVideoSettings(store_, settings_))
        ReportStoreFailure();
    SavePlacement(*this, store_, kVideoPlacementSection);
    QDialog::done(result);
}

} // namespace orvex
