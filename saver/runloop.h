#pragma once
// The saver's frame driver: prepares a display run for a presentation target, picks one
// theme after another and runs each frame by frame until a stop is requested.

#include "framepacer.h"
#include "framepresenter.h"
#include "themebudget.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace orvex {

class Clock;
class EngineLibrary;
class EventPump;
class PresentationTarget;
class SettingsStore;
struct StartupContext;

class RunLoop {
public:
    RunLoop(StartupContext &context, SettingsStore &store, EngineLibrary &engine, Clock &clock,
            EventPump &pump, PresentationTarget &target);
    ~RunLoop();

    // Reads the run settings, fixes the rendering size for the target and allocates the
    // frame buffers. previewPace runs at 50 frames a second whatever the settings say.
    void PrepareRun(bool previewPace);

    // The saver's outer loop: one theme after another until a stop is requested.
    void DisplayEffects();

    // Host preview: the run ends within a frame once the host's window is gone.
    void WatchHostWindow(std::function<bool()> hostWindowExists);

    // Ends the run after this many frames (snapshots, benchmarks); 0 means no limit.
    void SetFrameLimit(int64_t frames) { frameLimit_ = frames; }

    FramePresenter &Presenter() { return presenter_; }

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    FramePresenter presenter_;
    int64_t frameLimit_ = 0;
};

} // namespace orvex
