// SPDX-License-Identifier: MIT
// Recordings through the real run loop and engine, read back with FFmpeg's tools.
#include "applytheme.h"
#include "clock.h"
#include "colourfilter.h"
#include "enginelibrary.h"
#include "eventpump.h"
#include "filesizelimit.h"
#include "framepresenter.h"
#include "offscreentarget.h"
#include "runloop.h"
#include "settingsstore.h"
#include "startupcontext.h"
#include "videocodecs.h"
#include "videoprobe.h"
#include "videosession.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <tuple>

namespace orvex {
namespace {

namespace fs = std::filesystem;

const fs::path kBinDir = ORVEX_TEST_BIN_DIR;
constexpr uint32_t kSeed = 7;

std::string FileBytes(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The byte values that occur in bytes.
std::set<int> ValuesIn(const std::string &bytes)
{
    std::set<int> values;
    for (const char byte : bytes)
        values.insert(uint8_t(byte));
    return values;
}

// The recordings' temporary files in folder.
std::vector<fs::path> TemporariesIn(const fs::path &folder)
{
    std::vector<fs::path> found;
    for (const fs::directory_entry &entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().starts_with("Orvex_VideoTemp"))
            found.push_back(entry.path());
    return found;
}

bool OnOneFileSystem(const fs::path &a, const fs::path &b)
{
    struct stat first {}, second {};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && first.st_dev == second.st_dev;
}

// One display run of the saver's pipeline into memory, as the headless recorder sets it up.
struct Pipeline {
    Pipeline(SettingsStore &store, EngineLibrary &engine)
        : loop(context, store, engine, loopClock, pump, target)
    {
        context.runMode = RunMode::DialogPreview;
    }

    StartupContext context{kSeed};
    SyntheticClock loopClock;
    NoEventPump pump;
    OffscreenTarget target{64, 48};
    RunLoop loop;
};

class VideoSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::HaveFFmpegTools())
            GTEST_SKIP() << "ffprobe and ffmpeg are not installed (apt-get install ffmpeg)";
    }
    ~VideoSessionTest() override { fs::remove_all(dir); }

    // Each recording runs in a fresh pipeline with the same seed, so it shows the same animation.
    VideoOutcome Record(const VideoJob &job, VideoSession::Listener &listener, int theme = 1)
    {
        pipeline = std::make_unique<Pipeline>(store, engine);
        session = std::make_unique<VideoSession>(pipeline->loop, pipeline->target, pipeline->context, store, engine,
                                                 wallClock);
        return session->Record(job, [&](StarPropertySet &set) { ApplyTheme(set, store, theme, 1.0f); }, listener);
    }
    VideoOutcome Record(const VideoJob &job) { return Record(job, quiet); }

    VideoJob Job(std::string_view codec, const fs::path &file, int width = 64, int height = 48, int frames = 8)
    {
        VideoJob job;
        job.format.codec = FindVideoCodec(codec);
        job.format.container = VideoContainerOf(file);
        job.format.width = width;
        job.format.height = height;
        job.animationFrames = frames;
        job.file = dir / file;
        job.folder = dir;
        return job;
    }

    fs::path dir = fs::temp_directory_path() / ("orvex-video-" + std::to_string(::getpid()));
    SettingsStore store{dir / "Lumora.reg"};
    EngineLibrary engine{"libOrvexM6.so", {kBinDir}};
    SyntheticClock wallClock;
    std::unique_ptr<Pipeline> pipeline;
    std::unique_ptr<VideoSession> session;
    VideoSession::Listener quiet;
};

TEST_F(VideoSessionTest, EveryFileHoldsItsFramesAtItsSizeRateAndCodec)
{
    struct Row {
        const char *codec, *file;
        int width, height, rate, frames, begin, end;
        int wantWidth, wantHeight;
        const char *wantRate, *wantCodec;
    };
    const Row rows[] = {
        {"mjpeg", "a.avi", 330, 241, 30, 20, 3, 4, 332, 241, "30/1", "mjpeg"},
        {"ffv1", "b.mkv", 10, 2000, 1, 5, 0, 2, 32, 1080, "1/1", "ffv1"},
        {"mpeg4", "c.mp4", 2000, 40, 60, 6, 1, 0, 1920, 40, "30/1", "mpeg4"},
        {"huffyuv", "d.AVI", 64, 48, 24, 6, 2, 2, 64, 48, "24/1", "huffyuv"},
        {"uncompressed", "e.avi", 64, 48, 0, 4, 0, 0, 64, 48, "1/1", "rawvideo"},
        {"h264", "f.mp4", 64, 48, 24, 30, 2, 2, 64, 48, "24/1", "h264"},
    };
    for (const Row &row : rows) {
        const bool offered = std::ranges::count(OfferedVideoCodecs(VideoContainerOf(row.file), row.wantHeight),
                                                FindVideoCodec(row.codec)) == 1;
        if (std::string_view(row.codec) == "h264" && !offered)
            continue; // a build of FFmpeg without x264
        ASSERT_TRUE(offered) << row.codec << " in " << row.file;
        VideoJob job = Job(row.codec, row.file, row.width, row.height, row.frames);
        job.format.rate = row.rate;
        job.blackBegin = row.begin;
        job.blackEnd = row.end;
        ASSERT_EQ(Record(job), VideoOutcome::Finished) << row.file;
        const test::ProbedVideo video = test::Probe(dir / row.file);
        EXPECT_EQ(video.codec, row.wantCodec) << row.file;
        EXPECT_EQ(video.width, row.wantWidth) << row.file;
        EXPECT_EQ(video.height, row.wantHeight) << row.file;
        EXPECT_EQ(video.rate, row.wantRate) << row.file;
        EXPECT_EQ(video.frames, row.frames + row.begin + row.end) << row.file;
        EXPECT_TRUE(video.decodesCleanly) << row.file;
        EXPECT_EQ(TemporariesIn(dir), std::vector<fs::path>{}) << "renamed into place: " << row.file;
    }
}

// The straightforward copy the recorder must match: as each frame is written, the work
// buffer through the engine's conversion with the known filter, turned top row first as
// decoders deliver it.
class CopyingListener final : public VideoSession::Listener {
public:
    CopyingListener(std::unique_ptr<Pipeline> &pipeline, EngineLibrary &engine, RunFilter filter)
        : pipeline_(pipeline), engine_(engine), filter_(filter)
    {
    }
    void FrameWritten(const VideoProgress &) override
    {
        const FramePresenter &p = pipeline_->loop.Presenter();
        const int32_t w = p.Geometry().renderWidth, h = p.Geometry().renderHeight;
        std::string frame(size_t(w) * h * 3, '\0');
        engine_.CopyRGBtoBMP(p.Work().data(), reinterpret_cast<uint8_t *>(frame.data()), w, w, h, filter_.type,
                             filter_.mask, 32);
        for (int32_t row = h - 1; row >= 0; --row)
            frames.append(frame, size_t(row) * w * 3, size_t(w) * 3);
    }
    std::string frames;

private:
    std::unique_ptr<Pipeline> &pipeline_;
    EngineLibrary &engine_;
    RunFilter filter_;
};

TEST_F(VideoSessionTest, LosslessFilesDecodeToTheFilteredWorkBufferAndBlackFramesTakeTheMask)
{
    // Film Negative: every pixel XOR white, so the black frames come out white.
    store.WriteSetting("DirectX", "DX_FilterIndex", 8);
    for (const char *key : {"DX_FilterMaskR", "DX_FilterMaskG", "DX_FilterMaskB"})
        store.WriteSetting("DirectX", key, 255);
    constexpr int kBegin = 2, kFrames = 8, kEnd = 3;
    const size_t frameBytes = 64 * 48 * 3;

    for (const char *codec : {"ffv1", "uncompressed"}) {
        VideoJob job = Job(codec, std::string(codec) + ".avi", 64, 48, kFrames);
        job.blackBegin = kBegin;
        job.blackEnd = kEnd;
        CopyingListener copy(pipeline, engine, {2, 0xFFFFFF});
        ASSERT_EQ(Record(job, copy), VideoOutcome::Finished) << codec;
        ASSERT_EQ(copy.frames.size(), frameBytes * (kBegin + kFrames + kEnd)) << codec;
        EXPECT_EQ(copy.frames.substr(0, frameBytes * kBegin), std::string(frameBytes * kBegin, '\xFF')) << codec;
        EXPECT_NE(copy.frames.substr(frameBytes * (kBegin + kFrames - 1), frameBytes), std::string(frameBytes, '\xFF'))
            << codec << ": the animation shows stars";
        EXPECT_TRUE(test::DecodedBgr(job.file) == copy.frames) << codec << " decodes to other frames";
    }
}

TEST_F(VideoSessionTest, WhiteIsWrittenWhiteAndEveryStreamSaysHowItsColoursAreCoded)
{
    // Film Negative turns the black frames before the animation white.
    store.WriteSetting("DirectX", "DX_FilterIndex", 8);
    for (const char *key : {"DX_FilterMaskR", "DX_FilterMaskG", "DX_FilterMaskB"})
        store.WriteSetting("DirectX", key, 255);
    struct Row {
        const char *codec, *file;
        char white;         // the luma of white
        bool carriesColour; // the stream or its container can say how colours are coded
    };
    const Row rows[] = {
        {"h264", "white.mp4", char(235), true},  {"h264", "white.mkv", char(235), true},
        {"h264", "white.avi", char(235), true},  {"mpeg4", "white.mp4", char(235), true},
        {"mpeg4", "white2.mkv", char(235), true}, {"mjpeg", "white.avi", char(255), false},
    };
    const size_t pixels = 64 * 48;
    for (const Row &row : rows) {
        if (std::ranges::count(OfferedVideoCodecs(VideoContainerOf(row.file), 48), FindVideoCodec(row.codec)) == 0)
            continue; // a build of FFmpeg without x264
        VideoJob job = Job(row.codec, row.file, 64, 48, 1);
        job.format.quality = 100;
        job.blackBegin = 1;
        ASSERT_EQ(Record(job), VideoOutcome::Finished) << row.codec << " " << row.file;
        const std::string planes = test::Decoded(job.file, row.white == char(255) ? "yuvj420p" : "yuv420p");
        EXPECT_EQ(ValuesIn(planes.substr(0, pixels)), std::set<int>{uint8_t(row.white)}) << row.codec << " " << row.file;
        EXPECT_EQ(ValuesIn(test::DecodedBgr(job.file).substr(0, pixels * 3)), std::set<int>{255})
            << row.codec << " " << row.file;
        const test::ProbedVideo video = test::Probe(job.file);
        EXPECT_EQ(video.colourRange, row.white == char(255) ? "pc" : "tv") << row.codec << " " << row.file;
        if (row.carriesColour) {
            EXPECT_EQ(video.colourMatrix, "smpte170m") << row.codec << " " << row.file;
            EXPECT_EQ(video.colourPrimaries, "bt709") << row.codec << " " << row.file;
            EXPECT_EQ(video.colourTransfer, "iec61966-2-1") << row.codec << " " << row.file;
        }
    }
}

// Presses Stop once the file holds a number of frames.
class StopAt final : public VideoSession::Listener {
public:
    StopAt(std::unique_ptr<VideoSession> &session, int64_t frame) : session_(session), frame_(frame) {}
    void FrameWritten(const VideoProgress &progress) override
    {
        if (progress.frameIndex == frame_)
            session_->Stop();
    }

private:
    std::unique_ptr<VideoSession> &session_;
    int64_t frame_;
};

TEST_F(VideoSessionTest, StopKeepsAPlayableFileOfTheFramesWritten)
{
    for (const char *file : {"stopped.avi", "stopped.mp4"}) {
        VideoJob job = Job("mpeg4", file, 64, 48, 100);
        job.blackBegin = 5;
        job.blackEnd = 5;
        StopAt stop(session, 25);
        EXPECT_EQ(Record(job, stop), VideoOutcome::Stopped) << file;
        const test::ProbedVideo video = test::Probe(job.file);
        EXPECT_EQ(video.frames, 25) << file << ": no black frames follow a stop";
        EXPECT_TRUE(video.decodesCleanly) << file;
    }
}

// Does something once the file holds a number of frames.
class AtFrame final : public VideoSession::Listener {
public:
    AtFrame(int64_t frame, std::function<void()> action) : frame_(frame), action_(std::move(action)) {}
    void FrameWritten(const VideoProgress &progress) override
    {
        if (progress.frameIndex == frame_)
            action_();
    }

private:
    int64_t frame_;
    std::function<void()> action_;
};

TEST_F(VideoSessionTest, AFailedWriteReportsFailureAndLeavesTheFinalFileAsItWas)
{
    fs::create_directories(dir);
    const fs::path kept = dir / "kept.avi";
    std::ofstream(kept) << "the earlier video";
    {
        test::FileSizeLimit full(100000);
        EXPECT_EQ(Record(Job("uncompressed", "kept.avi", 64, 48, 50)), VideoOutcome::Failed);
    }
    EXPECT_EQ(FileBytes(kept), "the earlier video");
    EXPECT_EQ(session->Failure().reason, "File too large");
    EXPECT_EQ(TemporariesIn(dir), std::vector{session->Failure().kept}) << "the frames written stay where it says";
    fs::remove(session->Failure().kept);

    // Only a regular file is ever replaced, and that is known before the first frame.
    fs::create_directories(dir / "folder.avi" / "inside");
    EXPECT_EQ(Record(Job("mjpeg", "folder.avi")), VideoOutcome::Failed);
    EXPECT_TRUE(fs::is_directory(dir / "folder.avi" / "inside"));
    EXPECT_EQ(session->Failure().reason, "Is a directory");
    EXPECT_EQ(TemporariesIn(dir), std::vector<fs::path>{}) << "nothing was recorded";

    // A rename that fails (here over a folder put in the file's place meanwhile) keeps the
    // name and what is there: nothing is deleted first. The complete video waits beside it.
    AtFrame swap(4, [&] {
        fs::remove(kept);
        fs::create_directories(kept / "inside");
    });
    EXPECT_EQ(Record(Job("mjpeg", "kept.avi"), swap), VideoOutcome::Failed);
    EXPECT_TRUE(fs::is_directory(kept / "inside"));
    EXPECT_EQ(session->Failure().reason, "Is a directory");
    EXPECT_EQ(test::Probe(session->Failure().kept).frames, 8);
    fs::remove(session->Failure().kept);

    // The temporary file grows beside the end of a link, so the rename stays on its file
    // system; the link stays a link.
    const fs::path other = fs::path("/dev/shm") / ("orvex-video-" + std::to_string(::getpid()));
    std::error_code error;
    if (!fs::create_directories(other, error) || OnOneFileSystem(other, dir)) {
        fs::remove_all(other, error);
        GTEST_SKIP() << "no second file system in /dev/shm";
    }
    std::ofstream(other / "old.avi") << "the earlier video";
    fs::create_symlink(other / "old.avi", dir / "linked.avi");
    EXPECT_EQ(Record(Job("mjpeg", "linked.avi")), VideoOutcome::Finished);
    EXPECT_TRUE(fs::is_symlink(dir / "linked.avi"));
    EXPECT_EQ(test::Probe(other / "old.avi").frames, 8);
    EXPECT_EQ(TemporariesIn(dir), std::vector<fs::path>{});
    EXPECT_EQ(TemporariesIn(other), std::vector<fs::path>{});
    fs::remove_all(other);
}

TEST_F(VideoSessionTest, TwoRecordingsIntoOneFolderEachKeepTheirOwnFrames)
{
    fs::create_directories(dir / "videos");
    std::ofstream(dir / "videos" / "Orvex_VideoTemp.avi") << "someone else's temporary file";
    std::optional<VideoOutcome> second;
    AtFrame during(5, [&] {
        Pipeline other(store, engine);
        VideoSession session(other.loop, other.target, other.context, store, engine, wallClock);
        second = session.Record(Job("mjpeg", "videos/b.avi", 96, 64, 12),
                                [&](StarPropertySet &set) { ApplyTheme(set, store, 5, 1.0f); }, quiet);
    });
    EXPECT_EQ(Record(Job("mjpeg", "videos/a.avi", 64, 48, 30), during), VideoOutcome::Finished);
    EXPECT_EQ(second, VideoOutcome::Finished);

    const test::ProbedVideo a = test::Probe(dir / "videos/a.avi"), b = test::Probe(dir / "videos/b.avi");
    EXPECT_EQ(std::tie(a.width, a.frames), std::tuple(64, 30)) << "a.avi holds its own frames";
    EXPECT_EQ(std::tie(b.width, b.frames), std::tuple(96, 12)) << "b.avi holds its own frames";
    EXPECT_EQ(FileBytes(dir / "videos" / "Orvex_VideoTemp.avi"), "someone else's temporary file");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "videos"), {}), 3) << "no temporary file of theirs is left";
}

// Records the names of the files as they start.
class FileNames final : public VideoSession::Listener {
public:
    void FileStarted(const fs::path &file) override { names.push_back(file.filename().string()); }
    std::vector<std::string> names;
};

TEST_F(VideoSessionTest, CyclingThemesWritesOneFilePerCandidateNamedAfterIt)
{
    fs::create_directories(dir / "templates");
    std::ofstream(dir / "templates" / "My Theme.lmr") << "\r\n[Lumora]\r\nStars=3000\r\n";
    store.WriteSetting("Advanced", "Adv_ThemeFlags", (1 << 17) | (1 << 1));
    store.WriteSetting("Advanced", "Adv_TempDirectory", (dir / "templates").string());
    store.WriteSetting("Advanced", "Adv_TempFileCount", 1);
    store.WriteSetting("Advanced", "Adv_TempFile0000", "My Theme.lmr");
    VideoJob job = Job("mjpeg", "unused.avi", 64, 48, 10);
    job.blackBegin = 1;
    job.blackEnd = 1;
    job.cycleThemes = true;
    job.folder = dir / "videos";
    FileNames started;
    ASSERT_EQ(Record(job, started), VideoOutcome::Finished);

    const std::vector<std::string> expected = {
        "Orvex_Lumora_w64_h48_f12_Weaving_Comet_Points.AVI",
        "Orvex_Lumora_w64_h48_f12_Circular_Arches_(Ring_Matrix).AVI",
        "Orvex_Lumora_w64_h48_f12_My_Theme.lmr.AVI",
    };
    EXPECT_EQ(started.names, expected);
    for (const std::string &name : expected)
        EXPECT_EQ(test::Probe(job.folder / name).frames, 12) << name;
    EXPECT_EQ(std::distance(fs::directory_iterator(job.folder), {}), 3) << "nothing else in the folder";
    EXPECT_EQ(store.ReadSettingText("Lumora", "Stars"), "3000") << "the template was loaded as theme cycling loads it";
}

TEST_F(VideoSessionTest, CyclingThemesGivesEveryFileItsOwnNameWhenThemeNamesRepeat)
{
    // Themes 15 and 23 share their name; so do two entries naming one template.
    fs::create_directories(dir / "templates");
    std::ofstream(dir / "templates" / "Star Ray Comets") << "\r\n[Lumora]\r\nStars=3000\r\n";
    store.WriteSetting("Advanced", "Adv_ThemeFlags", (1 << 22) | (1 << 14));
    store.WriteSetting("Advanced", "Adv_TempDirectory", (dir / "templates").string());
    store.WriteSetting("Advanced", "Adv_TempFileCount", 2);
    store.WriteSetting("Advanced", "Adv_TempFile0000", "Star Ray Comets");
    store.WriteSetting("Advanced", "Adv_TempFile0001", "Star Ray Comets");
    VideoJob job = Job("mjpeg", "unused.avi", 64, 48, 4);
    job.cycleThemes = true;
    job.folder = dir / "videos";
    FileNames started;
    ASSERT_EQ(Record(job, started), VideoOutcome::Finished);

    const std::vector<std::string> expected = {
        "Orvex_Lumora_w64_h48_f4_Star_Ray_Comets.AVI",
        "Orvex_Lumora_w64_h48_f4_Star_Ray_Comets_23.AVI",
        "Orvex_Lumora_w64_h48_f4_Star_Ray_Comets_25.AVI",
        "Orvex_Lumora_w64_h48_f4_Star_Ray_Comets_26.AVI",
    };
    EXPECT_EQ(started.names, expected);
    EXPECT_EQ(std::distance(fs::directory_iterator(job.folder), {}), 4) << "one file per theme";
}

} // namespace
} // namespace orvex
