// SPDX-License-Identifier: MIT
#include "recordcommand.h"

#include "applytheme.h"
#include "clock.h"
#include "enginelibrary.h"
#include "eventpump.h"
#include "offscreentarget.h"
#include "recordprogress.h"
#include "runloop.h"
#include "settingsstore.h"
#include "startup.h"
#include "startupcontext.h"
#include "stopsignals.h"
#include "videocodecs.h"
#include "videocompression.h"
#include "videosettings.h"

#include <unistd.h>

#include <iostream>
#include <sstream>

namespace orvex {

namespace {

// The codec as asked, or the container's default, when this build offers it for the
// file's container and height; nullptr, with why, otherwise.
const VideoCodec *OfferedCodec(const RecordOptions &options, std::string &why)
{
    const std::string_view container = VideoContainerOf(options.path);
    const int32_t height = VideoFrameHeight(options.height);
    if (options.codec.empty()) {
        const VideoCodec *codec = DefaultVideoCodec(container, height);
        if (codec == nullptr)
            why = "this build offers no codec for it";
        return codec;
    }
    const VideoCodec *codec = FindVideoCodec(options.codec);
    why = codec == nullptr ? "there is no codec named " + options.codec : WhyNotOffered(*codec, container, height);
    return why.empty() ? codec : nullptr;
}

std::string OfferedNames(const RecordOptions &options)
{
    std::string names;
    for (const VideoCodec *codec : OfferedVideoCodecs(VideoContainerOf(options.path), VideoFrameHeight(options.height)))
        names += (names.empty() ? "" : ", ") + std::string(codec->name);
    return names.empty() ? "none" : names;
}

VideoJob JobOf(const RecordOptions &options, const VideoCodec &codec)
{
    VideoJob job;
    job.format.width = options.width;
    job.format.height = options.height;
    job.format.rate = options.rate;
    job.format.codec = &codec;
    job.format.quality = VideoCompression::kDefaultQuality;
    job.format.keyFrameEvery = VideoCompression::kDefaultKeyFrameEvery;
    job.format.container = VideoContainerOf(options.path);
    job.animationFrames = CalcFrames(kLengthFrames, int32_t(std::min<int64_t>(options.frames, kMostVideoFrames)), 1);
    job.file = options.path;
    return job;
}

VideoOutcome Record(const RecordOptions &options, const VideoCodec &codec, RecordProgress &progress,
                    VideoFailure &failure)
{
    StartupContext context(ResolveSeed(options.seed, std::getenv("ORVEX_SEED"), std::cerr));
    const StopSignals stopSignals(context.stopRequested);
    PrepareHeadlessStartup(context, options.width, options.height);

    SettingsStore store;
    EngineLibrary engine;
    // The loop's time passes only as it paces frames: however slow the encoder, no frame
    // is dropped and the animation is the same on every machine.
    SyntheticClock loopClock;
    SteadyClock wallClock;
    NoEventPump pump;
    OffscreenTarget target(options.width, options.height);
    RunLoop loop(context, store, engine, loopClock, pump, target);
    VideoSession session(loop, target, context, store, engine, wallClock);
    const VideoOutcome outcome = session.Record(JobOf(options, codec), [&](StarPropertySet &set) {
        ApplyTheme(set, store, options.theme, loop.Settings().perfMult);
    }, progress);
    failure = session.Failure();
    return outcome;
}

// Every line of the message on a line of its own, as the program's other messages are.
void TellFailure(const VideoFailure &failure)
{
    std::istringstream lines(VideoFailureText(failure));
    for (std::string line; std::getline(lines, line);)
        std::cerr << "orvex-lumora: " << line << "\n";
}

} // namespace

int RunRecord(const RecordOptions &options)
{
    if (const std::string problem = VideoNameProblem(options.path); !problem.empty()) {
        TellFailure({options.path, problem, {}});
        return 1;
    }
    std::string why;
    const VideoCodec *codec = OfferedCodec(options, why);
    if (codec == nullptr) {
        std::cerr << "orvex-lumora: cannot record " << (options.codec.empty() ? "a video" : options.codec) << " into "
                  << options.path.string() << ": " << why << "; for it at this size this build offers: "
                  << OfferedNames(options) << "\n";
        return 1;
    }
    RecordProgress progress(std::cerr, ::isatty(STDERR_FILENO) == 1);
    VideoFailure failure{options.path, "the recording could not be set up", {}};
    try {
        switch (Record(options, *codec, progress, failure)) {
        case VideoOutcome::Finished:
            progress.Finished(options.path);
            return 0;
        case VideoOutcome::Stopped:
            progress.Finished(options.path);
            std::cerr << "orvex-lumora: stopped before the last frame\n";
            return 1;
        case VideoOutcome::Failed:
            break;
        }
    } catch (const std::exception &error) {
        // Nothing but a missing resource throws here; the file is not complete either way.
        failure.reason = error.what();
    }
    progress.EndBar();
    TellFailure(failure);
    return 1;
}

} // namespace orvex
