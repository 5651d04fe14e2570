// SPDX-License-Identifier: MIT
#include "videosession.h"

#include "colourfilter.h"
#include "presentationtarget.h"
#include "runloop.h"
#include "settingsstore.h"
#include "startupcontext.h"
#include "themebudget.h"
#include "videosettings.h"
#include "videothemes.h"

#include <algorithm>

namespace orvex {

namespace {

// The presenter hands its frames to the recorder while this lives.
class AttachedSink {
public:
    AttachedSink(FramePresenter &presenter, VideoFrameSink &sink) : presenter_(presenter)
    {
        presenter_.SetVideoSink(&sink);
    }
    ~AttachedSink() { presenter_.SetVideoSink(nullptr); }
    AttachedSink(const AttachedSink &) = delete;
    AttachedSink &operator=(const AttachedSink &) = delete;

private:
    FramePresenter &presenter_;
};

VideoFormat WithinRanges(VideoFormat format)
{
    format.width = VideoFrameWidth(format.width);
    format.height = VideoFrameHeight(format.height);
    format.rate = VideoFrameRate(format.rate);
    return format;
}

} // namespace

VideoSession::VideoSession(RunLoop &loop, PresentationTarget &target, StartupContext &context, SettingsStore &store,
                           EngineLibrary &engine, Clock &wallClock)
    : loop_(loop), target_(target), context_(context), store_(store),
      recorder_(engine, wallClock, context.stopRequested)
{
}

void VideoSession::Stop()
{
    stopped_ = true;
    context_.stopRequested = true;
}

VideoOutcome VideoSession::Record(const VideoJob &job, const PropertiesSource &properties, Listener &listener)
{
    stopped_ = false;
    failure_ = {};
    const VideoFormat format = WithinRanges(job.format);
    recorder_.SetProgressListener([&listener](const VideoProgress &progress) { listener.FrameWritten(progress); });
    VideoOutcome outcome = VideoOutcome::Finished;
    if (!job.cycleThemes) {
        listener.FileStarted(job.file);
        outcome = RecordFile(format, job, job.file, properties, listener);
    } else {
        const PropsContext props{store_, context_.templates, {context_.screenWidthPx, context_.screenHeightPx}};
        const int64_t frames = int64_t(job.animationFrames) + job.blackBegin + job.blackEnd;
        const std::vector<VideoTheme> themes = VideoCycleThemes(store_, context_.random);
        const std::vector<std::string> names = CyclingVideoFileNames(format.width, format.height, frames, themes);
        for (size_t i = 0; i < themes.size(); ++i) {
            if (outcome != VideoOutcome::Finished || Stopping(listener))
                break;
            // The last file's writer asked the loop to stop; the next file runs afresh.
            context_.stopRequested = false;
            const VideoTheme &theme = themes[i];
            const auto file = job.folder / names[i];
            listener.FileStarted(file);
            outcome = RecordFile(
                format, job, file, [&](StarPropertySet &set) { ApplyVideoTheme(theme, set, props); }, listener);
        }
    }
    SetRecordingState(false);
    recorder_.SetProgressListener({});
    return outcome;
}

VideoOutcome VideoSession::RecordFile(const VideoFormat &format, const VideoJob &job, const std::filesystem::path &file,
                                      const PropertiesSource &properties, const Listener &listener)
{
    try {
        // 1. The display run and the theme; black frames take the theme's colour filter.
        if (!PrepareDisplay(format)) {
            failure_ = {file, "the picture could not be made " + std::to_string(format.width) + "x"
                                  + std::to_string(format.height) + " pixels", {}};
            return VideoOutcome::Failed;
        }
        properties(context_.properties);
        // The theme's fade ends with the animation: a theme shorter than its own fade is
        // given that much.
        loop_.SetFramesPerTheme(std::max(ThemeBudget::kFadeFrames, job.animationFrames - ThemeBudget::kFadeFrames));
        const RunFilter filter = FilterFromEffects(context_.properties.effects);
        loop_.Presenter().SetFilter(filter.type, filter.mask);
        // 2. The file, then the black frames before and the animation.
        if (!recorder_.OpenVideo(file, format, int64_t(job.animationFrames) + job.blackBegin))
            return Failed();
        const AttachedSink attached(loop_.Presenter(), recorder_);
        PresentBlankFrames(job.blackBegin);
        recorder_.RestartTiming();
        if (!SetRecordingState(true) || recorder_.Failed()) {
            recorder_.AbandonVideo("the animation presented no frame");
            return Failed();
        }
        // 3. A complete animation fades through the black frames after it; a stopped one
        //    keeps the frames written so far.
        const bool complete = !Stopping(listener) && recorder_.FrameIndex() >= recorder_.EndIndex();
        if (complete) {
            recorder_.ExtendEnd(job.blackEnd);
            PresentBlankFrames(job.blackEnd);
        }
        if (!recorder_.FinishVideo())
            return Failed();
        return complete ? VideoOutcome::Finished : VideoOutcome::Stopped;
    } catch (const std::exception &error) {
        recorder_.AbandonVideo(error.what());
        return Failed();
    }
}

bool VideoSession::Stopping(const Listener &listener) const
{
    return stopped_ || listener.StopAsked();
}

VideoOutcome VideoSession::Failed()
{
    failure_ = recorder_.Failure();
    return VideoOutcome::Failed;
}

bool VideoSession::PrepareDisplay(const VideoFormat &format)
{
    // A dialog's preview run renders at its target's size: the target is the video frame.
    target_.Resize(format.width, format.height);
    loop_.PrepareRun(false);
    const FrameGeometry &g = loop_.Settings().geometry;
    return g.renderWidth == format.width && g.renderHeight == format.height;
}

void VideoSession::PresentBlankFrames(int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        loop_.Presenter().PresentFrame(-1, -1);
}

bool VideoSession::SetRecordingState(bool recording)
{
    if (!recording) {
        context_.stopRequested = true;
        return true;
    }
    // A theme that comes to its end before the file does starts again.
    while (!context_.stopRequested) {
        const int64_t before = recorder_.FrameIndex();
        loop_.RunTheme(0);
        if (recorder_.FrameIndex() == before && !context_.stopRequested)
            return false;
    }
    return true;
}

} // namespace orvex
