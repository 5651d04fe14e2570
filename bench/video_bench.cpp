// SPDX-License-Identifier: MIT
// Recording speed: 600 frames of factory theme 1 at 1280x720 through the real pipeline
// into a Motion JPEG and an H.264 file (when this FFmpeg build has x264), in frames per
// second of real time including rendering and encoding; the rendering alone for
// comparison. The target is 24 frames per second or more for each codec.

#include "applytheme.h"
#include "clock.h"
#include "enginelibrary.h"
#include "eventpump.h"
#include "offscreentarget.h"
#include "runloop.h"
#include "settingsstore.h"
#include "startupcontext.h"
#include "videocodecs.h"
#include "videosession.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

namespace {

namespace fs = std::filesystem;
using namespace orvex;

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kFrames = 600;
constexpr int kTheme = 1;

struct Pipeline {
    explicit Pipeline(SettingsStore &store) : loop(context, store, engine, loopClock, pump, target)
    {
        context.runMode = RunMode::DialogPreview;
    }
    StartupContext context{1u};
    EngineLibrary engine;
    SyntheticClock loopClock;
    NoEventPump pump;
    OffscreenTarget target{kWidth, kHeight};
    RunLoop loop;
};

double Seconds(std::chrono::steady_clock::time_point since)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

void RenderOnly(SettingsStore &store)
{
    Pipeline p(store);
    p.loop.PrepareRun(false);
    p.loop.SetFrameLimit(kFrames);
    ApplyTheme(p.context.properties, store, kTheme, 1.0f);
    const auto start = std::chrono::steady_clock::now();
    while (!p.context.stopRequested)
        p.loop.RunTheme(0);
    std::printf("%-14s %6.1f frames/s (rendering only, no file)\n", "none", kFrames / Seconds(start));
}

void Record(SettingsStore &store, const fs::path &folder, const VideoCodec &codec, const char *extension)
{
    Pipeline p(store);
    SteadyClock wallClock;
    VideoSession session(p.loop, p.target, p.context, store, p.engine, wallClock);
    VideoJob job;
    job.file = folder / (std::string(codec.name) + extension);
    job.format = {kWidth, kHeight, 24, &codec, 75, 24, VideoContainerOf(job.file)};
    job.animationFrames = kFrames;
    VideoSession::Listener quiet;
    const auto start = std::chrono::steady_clock::now();
    const VideoOutcome outcome = session.Record(job, [&](StarPropertySet &set) {
        ApplyTheme(set, store, kTheme, 1.0f);
    }, quiet);
    const double seconds = Seconds(start);
    if (outcome != VideoOutcome::Finished) {
        std::printf("%-14s failed to record\n", std::string(codec.name).c_str());
        return;
    }
    std::printf("%-14s %6.1f frames/s (%s, %.1f MB)\n", std::string(codec.name).c_str(), kFrames / seconds,
                job.file.filename().c_str(), double(fs::file_size(job.file)) / 1e6);
}

} // namespace

int main()
{
    const fs::path folder = fs::temp_directory_path() / ("orvex-video-bench-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    SettingsStore store(folder / "Lumora.reg");
    std::printf("%d frames of theme %d at %dx%d, %ld processors\n", kFrames, kTheme, kWidth, kHeight,
                ::sysconf(_SC_NPROCESSORS_ONLN));
    RenderOnly(store);
    for (const VideoCodec *codec : OfferedVideoCodecs("avi", kHeight))
        if (codec->name == "mjpeg")
            Record(store, folder, *codec, ".avi");
    for (const VideoCodec *codec : OfferedVideoCodecs("matroska", kHeight))
        if (codec->name == "h264")
            Record(store, folder, *codec, ".mkv");
    fs::remove_all(folder);
    return 0;
}
