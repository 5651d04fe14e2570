// SPDX-License-Identifier: MIT
// The video window with the real run loop and engine: what it shows, what it stores, and
// what its start button records.
#include "videowindow.h"

#include "capturefolder.h"
#include "enginelibrary.h"
#include "settingsstore.h"
#include "startupcontext.h"
#include "videocodecs.h"
#include "videoprobe.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>
#include <functional>

namespace orvex {
namespace {

namespace fs = std::filesystem;

// Answers every modal window other than the video window as it opens, in turn.
class ModalAnswers {
public:
    ModalAnswers(const QWidget &owner, std::function<void(QWidget &)> answer) : answer_(std::move(answer))
    {
        QObject::connect(&timer_, &QTimer::timeout, [this, &owner] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal == nullptr || modal == &owner || modal->property("answered").toBool())
                return;
            modal->setProperty("answered", true);
            titles.push_back(modal->windowTitle());
            answer_(*modal);
        });
        timer_.start(10);
    }
    QStringList titles;

private:
    std::function<void(QWidget &)> answer_;
    QTimer timer_;
};

class VideoWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        store.WriteSetting("Video", "DefaultDirectory", dir.string());
        store.WriteSetting("Video", "VideoFilename", (dir / "clip.avi").string());
        store.WriteSetting("Video", "ImageWidth", 64);
        store.WriteSetting("Video", "ImageHeight", 48);
        store.WriteSetting("Video", "FrameTotal", 30);
        window = std::make_unique<VideoWindow>(context, store, engine);
        window->show();
    }
    ~VideoWindowTest() override { fs::remove_all(dir); }

    template <typename Widget>
    Widget &Find(const char *name)
    {
        auto *widget = window->findChild<Widget *>(name);
        if (widget == nullptr)
            throw std::logic_error(std::string("no control ") + name);
        return *widget;
    }
    void Click(const char *button) { Find<QPushButton>(button).click(); }

    fs::path dir = fs::temp_directory_path() / ("orvex-videowindow-" + std::to_string(::getpid()));
    SettingsStore store{dir / "Lumora.reg"};
    StartupContext context{3u};
    EngineLibrary engine{"libOrvexM6.so", {EngineLibrary::ExecutableDir()}};
    std::unique_ptr<VideoWindow> window;
};

TEST_F(VideoWindowTest, ShowsTheStoredSettingsAndStoresTheFieldsAsLeftOnClose)
{
    window.reset();
    store.WriteSetting("Video", "FrameTimeQty", 1);
    store.WriteSetting("Video", "FrameTotal", 10);
    store.WriteSetting("Video", "FrameRate", 30);
    store.WriteSetting("Video", "ImageWidth", 330);
    store.WriteSetting("Video", "BlackFramesBegin", 12);
    window = std::make_unique<VideoWindow>(context, store, engine);
    window->show();
    EXPECT_EQ(window->windowTitle(), "Orvex Lumora Video Creation");
    EXPECT_EQ(Find<QComboBox>("cboCapture").currentText(), "Seconds of Animation:");
    EXPECT_EQ(Find<QLineEdit>("txtFrames").text(), "10");
    EXPECT_EQ(Find<QComboBox>("cboFPS").currentText(), "30");
    EXPECT_EQ(Find<QLabel>("lblTotalFrames").text(), "Total Frames:  300");
    EXPECT_EQ(Find<QLineEdit>("txtBlackFrames_0").text(), "12");
    EXPECT_EQ(Find<QLineEdit>("txtVideoFile").text().toStdString(), (dir / "clip.avi").string());
    EXPECT_EQ(Find<QLabel>("lblFrameStatus").text(), "Frame Count / Est Time (00:00)");
    EXPECT_EQ(Find<QPushButton>("cmdDispPreview").text(), "Select Video Compression / Begin Video Recording");
    EXPECT_EQ(Find<QWidget>("picPreview").size(), QSize(332, 48)) << "the picture is the video frame";

    Find<QLineEdit>("txtFrames").setText("0");
    Find<QLineEdit>("txtBlackFrames_1").setText("5000");
    Find<QCheckBox>("chkCycleThemes").setChecked(true);
    Click("cmdClose");
    EXPECT_TRUE(context.stopRequested) << "closing stops any run loop";
    EXPECT_EQ(store.ReadSettingText("Video", "FrameTotal"), "1");
    EXPECT_EQ(store.ReadSettingText("Video", "ImageWidth"), "332");
    EXPECT_EQ(store.ReadSettingText("Video", "BlackFramesEnd"), "999");
    EXPECT_EQ(store.ReadSettingText("Video", "CycleThemes"), "1");
    EXPECT_FALSE(store.ReadSettingText("General\\Video", "WindowSize").empty()) << "the placement is kept";
}

TEST_F(VideoWindowTest, LeavingTheLengthFieldCountsTheFramesFromTheFieldsAsTheyAre)
{
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto &length = Find<QLineEdit>("txtFrames");
    const auto type = [&](const char *text) {
        length.setFocus();
        length.clear();
        QTest::keyClicks(&length, text);
        QTest::keyClick(&length, Qt::Key_Tab);
    };
    Find<QComboBox>("cboCapture").setCurrentText("Seconds of Animation:");
    type("10");
    EXPECT_EQ(Find<QLabel>("lblTotalFrames").text().toStdString(), "Total Frames:  240");
    Find<QComboBox>("cboFPS").setCurrentText("30");
    type("10");
    EXPECT_EQ(Find<QLabel>("lblTotalFrames").text().toStdString(), "Total Frames:  300");
}

TEST_F(VideoWindowTest, TheFileDialogOpensInTheVideoFolderWithTheCurrentFileChosen)
{
    QString folder, chosen;
    const auto look = [&](QWidget &modal) {
        auto &files = dynamic_cast<QFileDialog &>(modal);
        folder = files.directory().absolutePath();
        chosen = files.selectedFiles().value(0);
        files.reject();
    };
    {
        ModalAnswers answers(*window, look);
        Click("cmdSelectFile");
    }
    EXPECT_EQ(folder.toStdString(), dir.string());
    EXPECT_EQ(chosen.toStdString(), (dir / "clip.avi").string());

    // Before the first choice nothing is stored: the folder is the program's.
    window.reset();
    store.WriteSetting("Video", "DefaultDirectory", "");
    store.WriteSetting("Video", "VideoFilename", "");
    window = std::make_unique<VideoWindow>(context, store, engine);
    window->show();
    {
        ModalAnswers answers(*window, look);
        Click("cmdSelectFile");
    }
    const fs::path programFolder = CaptureFolder(CaptureEnvironment::FromProcess());
    EXPECT_EQ(folder.toStdString(), programFolder.string());
    EXPECT_EQ(chosen.toStdString(), (programFolder / "Orvex_Lumora_Video.AVI").string());
}

TEST_F(VideoWindowTest, RestoreDefaultsAsksFirstThenResetsTheNumbersAndForgetsTheCompression)
{
    store.WriteSetting("Video", "DefaultParms_fccHandler", int32_t(FourCC("MJPG")));
    store.WriteSetting("Video", "DefaultParms_dwQuality", 5000);
    QString question;
    bool yes = false;
    ModalAnswers answers(*window, [&](QWidget &modal) {
        auto &box = dynamic_cast<QMessageBox &>(modal);
        question = box.text();
        box.button(yes ? QMessageBox::Yes : QMessageBox::No)->click();
    });
    Click("cmdRestoreDefaults");
    EXPECT_EQ(Find<QLineEdit>("txtFrames").text(), "30") << "No changes nothing";
    yes = true;
    Click("cmdRestoreDefaults");
    EXPECT_EQ(answers.titles, QStringList({"Confirm Restore Defaults", "Confirm Restore Defaults"}));
    EXPECT_TRUE(question.endsWith("\n\nAre you sure you want to Restore Defaults?")) << question.toStdString();
    EXPECT_EQ(Find<QLineEdit>("txtFrames").text(), "360");
    EXPECT_EQ(Find<QLineEdit>("txtWidth").text(), "320");
    EXPECT_EQ(Find<QLineEdit>("txtHeight").text(), "240");
    EXPECT_EQ(Find<QComboBox>("cboFPS").currentText(), "24");
    EXPECT_EQ(Find<QWidget>("picPreview").size(), QSize(320, 240));
    EXPECT_EQ(store.ReadSettingText("Video", "DefaultParms_fccHandler"), "0");
    EXPECT_EQ(store.ReadSettingText("Video", "DefaultParms_dwQuality"), "0");
}

TEST_F(VideoWindowTest, CancellingTheCompressionWritesNoFileAndSaysNothing)
{
    ModalAnswers answers(*window, [](QWidget &modal) { static_cast<QDialog &>(modal).reject(); });
    Click("cmdDispPreview");
    EXPECT_EQ(answers.titles, QStringList{"Video Compression"}) << "no message follows";
    EXPECT_FALSE(fs::exists(dir / "clip.avi"));
    for (const fs::directory_entry &entry : fs::directory_iterator(dir))
        EXPECT_FALSE(entry.path().filename().string().starts_with("Orvex_VideoTemp")) << entry.path();
}

// Where a control lies in its window.
QRect InWindow(const QWidget &control)
{
    return QRect(control.mapTo(control.window(), QPoint(0, 0)), control.size());
}

TEST_F(VideoWindowTest, TheCompressionOffersWhatEachCodecTakesAndAnMp4GetsH264WhereItCan)
{
    struct Seen {
        QString codec, note;
        bool keyFramesForMotionJpeg = true, keyFramesForMpeg4 = false, losslessNoteClear = false;
    };
    const auto open = [&](const fs::path &file, int height) {
        window.reset();
        store.WriteSetting("Video", "VideoFilename", (dir / file).string());
        store.WriteSetting("Video", "ImageHeight", height);
        window = std::make_unique<VideoWindow>(context, store, engine);
        window->show();
        Seen seen;
        ModalAnswers answers(*window, [&](QWidget &modal) {
            auto &codecs = *modal.findChild<QComboBox *>("cboCompressor");
            const auto *note = modal.findChild<QLabel *>("lblNotOffered");
            seen.codec = codecs.currentText();
            seen.note = note != nullptr && note->isVisible() ? note->text() : QString();
            codecs.setCurrentText("Motion JPEG");
            seen.keyFramesForMotionJpeg = modal.findChild<QWidget *>("spnKeyFrames")->isEnabled();
            codecs.setCurrentText("MPEG-4 Part 2");
            seen.keyFramesForMpeg4 = modal.findChild<QWidget *>("spnKeyFrames")->isEnabled();
            if (codecs.findText("FFV1 (lossless)") >= 0) {
                codecs.setCurrentText("FFV1 (lossless)");
                QApplication::processEvents();
                const auto &note = *modal.findChild<QLabel *>("lblLossless");
                const QRect lossless = InWindow(note);
                const int needed = note.hasHeightForWidth() ? note.heightForWidth(note.width()) : note.sizeHint().height();
                seen.losslessNoteClear = note.isVisible() && note.height() >= needed
                                         && !lossless.intersects(InWindow(*modal.findChild<QWidget *>("cmdOK")))
                                         && !lossless.intersects(InWindow(*modal.findChild<QWidget *>("cmdCancel")));
            }
            static_cast<QDialog &>(modal).reject();
        });
        Click("cmdDispPreview");
        return seen;
    };
    const Seen avi = open("clip.avi", 48);
    EXPECT_EQ(avi.codec.toStdString(), "Motion JPEG");
    EXPECT_FALSE(avi.keyFramesForMotionJpeg) << "every Motion JPEG frame is a key frame";
    EXPECT_TRUE(avi.keyFramesForMpeg4);
    EXPECT_TRUE(avi.losslessNoteClear) << "the lossless note has the room its text needs, clear of OK and Cancel";
    if (FindVideoCodec("h264") == nullptr || OfferedVideoCodecs("mp4", 48).size() < 3)
        GTEST_SKIP() << "a build of FFmpeg without x264";
    EXPECT_EQ(open("clip.mp4", 48).codec.toStdString(), "H.264");
    const Seen odd = open("clip.mp4", 47);
    EXPECT_EQ(odd.codec.toStdString(), "MPEG-4 Part 2");
    EXPECT_TRUE(odd.note.contains("H.264") && odd.note.contains("even")) << odd.note.toStdString();
}

TEST_F(VideoWindowTest, RecordsIntoTheFileStopsOnTheButtonAndReportsAFileItCannotWrite)
{
    if (!test::HaveFFmpegTools())
        GTEST_SKIP() << "ffprobe and ffmpeg are not installed (apt-get install ffmpeg)";
    auto chooseFFV1 = [](QWidget &modal) {
        auto *codecs = modal.findChild<QComboBox *>("cboCompressor");
        if (codecs != nullptr)
            codecs->setCurrentText("FFV1 (lossless)");
        static_cast<QDialog &>(modal).accept();
    };
    {
        ModalAnswers answers(*window, chooseFFV1);
        Click("cmdDispPreview");
    }
    const fs::path clip = dir / "clip.avi";
    EXPECT_EQ(test::Probe(clip).frames, 30);
    EXPECT_TRUE(Find<QLabel>("lblFrameStatus").text().startsWith("Frame: 30  Time (min:sec): 0 : 01\n"));
    EXPECT_EQ(Find<QLineEdit>("txtVideoFile").palette().color(QPalette::Text), QColor(255, 0, 0)) << "the file exists";
    EXPECT_EQ(store.ReadSettingLong("Video", "DefaultParms_fccHandler", 0), int32_t(FourCC("FFV1")));

    // A long recording, stopped by the start button from within the run.
    Find<QLineEdit>("txtFrames").setText("100000");
    QString caption;
    bool closeEnabled = true;
    QTimer stopper;
    stopper.setSingleShot(true);
    QObject::connect(&stopper, &QTimer::timeout, [&] {
        caption = Find<QPushButton>("cmdDispPreview").text();
        closeEnabled = Find<QPushButton>("cmdClose").isEnabled();
        Click("cmdDispPreview");
    });
    {
        ModalAnswers answers(*window, [&](QWidget &modal) {
            chooseFFV1(modal);
            stopper.start(300);
        });
        Click("cmdDispPreview");
    }
    EXPECT_EQ(caption, "Stop Video Creation");
    EXPECT_FALSE(closeEnabled) << "every other control is disabled while recording";
    EXPECT_EQ(Find<QPushButton>("cmdDispPreview").text(), "Select Video Compression / Begin Video Recording");
    const test::ProbedVideo stopped = test::Probe(clip);
    EXPECT_GT(stopped.frames, 0);
    EXPECT_LT(stopped.frames, 100000);
    EXPECT_TRUE(stopped.decodesCleanly);

    // A folder in the file's place is never replaced: the window says so, and why.
    fs::remove(clip);
    fs::create_directories(clip);
    Find<QLineEdit>("txtFrames").setText("5");
    QString message;
    {
        ModalAnswers answers(*window, [&](QWidget &modal) {
            if (auto *box = dynamic_cast<QMessageBox *>(&modal)) {
                message = box->windowTitle() + ": " + box->text();
                box->accept();
            } else {
                chooseFFV1(modal);
            }
        });
        Click("cmdDispPreview");
    }
    EXPECT_EQ(message.toStdString(), "Orvex Lumora: There was an error writing the file.\n" + clip.string()
                                         + ": Is a directory\nAny earlier file of that name is left as it was.");
    EXPECT_TRUE(fs::is_directory(clip));
}

TEST_F(VideoWindowTest, AStopSignalWhileRecordingFinishesTheFileThenClosesStoringNothing)
{
    if (!test::HaveFFmpegTools())
        GTEST_SKIP() << "ffprobe and ffmpeg are not installed (apt-get install ffmpeg)";
    window.reset();
    store.WriteSetting("Video", "VideoFilename", (dir / "clip.mp4").string());
    window = std::make_unique<VideoWindow>(context, store, engine);
    window->show();
    Find<QLineEdit>("txtFrames").setText("100000"); // typed, never accepted
    QTimer logout;
    logout.setSingleShot(true);
    QObject::connect(&logout, &QTimer::timeout, [] { ::kill(::getpid(), SIGTERM); });
    ModalAnswers answers(*window, [&](QWidget &modal) {
        modal.findChild<QComboBox *>("cboCompressor")->setCurrentText("MPEG-4 Part 2");
        static_cast<QDialog &>(modal).accept();
        logout.start(300);
    });
    Click("cmdDispPreview");

    EXPECT_EQ(answers.titles, QStringList{"Video Compression"}) << "no message waits for an answer";
    EXPECT_FALSE(window->isVisible());
    const test::ProbedVideo video = test::Probe(dir / "clip.mp4");
    EXPECT_GT(video.frames, 0);
    EXPECT_LT(video.frames, 100000);
    EXPECT_TRUE(video.decodesCleanly) << "the file has its index";
    EXPECT_EQ(store.ReadSettingText("Video", "FrameTotal"), "30") << "the typed length is not stored";
    EXPECT_TRUE(store.ReadSettingText("General\\Video", "WindowSize").empty()) << "nor the placement";
    struct sigaction now {};
    ::sigaction(SIGTERM, nullptr, &now);
    EXPECT_EQ(now.sa_handler, SIG_DFL) << "outside a recording the signal ends the program again";
}

} // namespace
} // namespace orvex
