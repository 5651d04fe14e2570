// SPDX-License-Identifier: MIT
#pragma once
// One press of the video window's start button, or one --record: prepares the display
// run on the target, then records a single video of the given properties, or one video
// per theme of the theme cycle, each with its black frames before and after. The run
// loop drives every frame; the frames reach the file through the presenter's video sink.

#include "videofailure.h"
#include "videofile.h"
#include "videoprogress.h"
#include "videorecorder.h"

#include <cstdint>
#include <filesystem>
#include <functional>

namespace orvex {

class Clock;
class EngineLibrary;
class PresentationTarget;
class RunLoop;
class SettingsStore;
struct StartupContext;
struct StarPropertySet;

enum class VideoOutcome {
    Finished, // every file complete and in place
    Stopped,  // stopped early; the file being recorded holds the frames written so far
    Failed,   // a file could not be written: its final name is untouched (see Failure)
};

struct VideoJob {
    VideoFormat format;            // sides and rate as asked: brought within their ranges here
    int32_t animationFrames = 360; // CalcFrames
    int32_t blackBegin = 0;
    int32_t blackEnd = 0;
    std::filesystem::path file;    // single video
    bool cycleThemes = false;
    std::filesystem::path folder;  // cycling: where the files go, named after their themes
};

class VideoSession {
public:
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void FileStarted(const std::filesystem::path &) {}
        virtual void FrameWritten(const VideoProgress &) {}
        // A stop asked from outside the run loop (a stop signal, which also sets the
        // loop's stop flag): the current file ends as Stop ends it, and no further one
        // starts.
        virtual bool StopAsked() const { return false; }
    };
    // Fills the property set a single video is recorded with.
    using PropertiesSource = std::function<void(StarPropertySet &)>;

    // loop presents into target; wallClock times the progress estimates only (the loop
    // runs on a clock of its own).
    VideoSession(RunLoop &loop, PresentationTarget &target, StartupContext &context, SettingsStore &store,
                 EngineLibrary &engine, Clock &wallClock);

    VideoOutcome Record(const VideoJob &job, const PropertiesSource &properties, Listener &listener);

    // The stop button: the current file is finished with the frames written so far and
    // no further file is started.
    void Stop();

    // After a failed Record: which file, why, and where its frames are kept.
    const VideoFailure &Failure() const { return failure_; }

private:
    VideoOutcome RecordFile(const VideoFormat &format, const VideoJob &job, const std::filesystem::path &file,
                            const PropertiesSource &properties, const Listener &listener);
    bool Stopping(const Listener &listener) const;
    // Fails when the target cannot be sized to the video frame.
    bool PrepareDisplay(const VideoFormat &format);
    void PresentBlankFrames(int32_t count);
    // The recorder's failure, as the session's.
    VideoOutcome Failed();
    // Runs the animation until the last frame of the file or a stop; false when the run
    // loop presented no frame at all.
    bool SetRecordingState(bool recording);

    RunLoop &loop_;
    PresentationTarget &target_;
    StartupContext &context_;
    SettingsStore &store_;
    VideoRecorder recorder_;
    VideoFailure failure_;
    bool stopped_ = false;
};

} // namespace orvex
