// SPDX-License-Identifier: MIT
#pragma once
// The saver's frame driver: prepares a display run for a presentation target, picks one
// theme after another and runs each frame by frame until a stop is requested.

#include "cometpaths.h"
#include "colorframestep.h"
#include "colourstate.h"
#include "framepacer.h"
#include "framepresenter.h"
#include "frameratemeter.h"
#include "framestats.h"
#include "onscreenmessage.h"
#include "runtimeproperties.h"
#include "themebudget.h"
#include "themelist.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvex {

class Clock;
class EngineLibrary;
class EventPump;
class PresentationTarget;
class SettingsStore;
struct StartupContext;

// What the run reads from the settings when it is prepared.
struct RunSettings {
    int32_t frameDelayMs = 10;
    int32_t framesPerTheme = 6000; // < 1: the theme never changes
    float perfMult = 1.0f;
    int32_t vertOffset = 0;
    FrameGeometry geometry{};
};

// The frame buffers of a display run could not be allocated; the run cannot start.
class FrameAllocationError : public std::runtime_error {
public:
    explicit FrameAllocationError(const FrameGeometry &geometry);
};

class RunLoop {
public:
    RunLoop(StartupContext &context, SettingsStore &store, EngineLibrary &engine, Clock &clock,
            EventPump &pump, PresentationTarget &target);

    // Reads the run settings, fixes the rendering size for the target and allocates the
    // frame buffers. previewPace runs at 50 frames a second whatever the settings say.
    // Throws FrameAllocationError when the buffers do not fit in memory.
    void PrepareRun(bool previewPace);

    // Starts a display run's figures: timing totals, the frame-rate display and the
    // mode's use counter. The saver's loop calls it; so do windows that drive frames
    // themselves (the credits window).
    void LoadPropsInitDX();

    // The saver's outer loop: one theme after another until a stop is requested.
    void DisplayEffects();

    // Runs the context's property set as one theme until it ends or a stop is requested;
    // colourFlag marks a run inside the properties dialog.
    void RunTheme(int16_t colourFlag);

    // Fills the property set with the next theme of the cycle (or the stored properties),
    // or with the theme and star count the command line named for this run.
    void ChooseNextTheme();

    // Host preview: the run ends within a frame once the host's window is gone.
    void WatchHostWindow(std::function<bool()> hostWindowExists);
    // A host whose window can change size (-root, -window-id, the host preview): asked
    // between frames, gives the size in device pixels of the surface the host now offers
    // when it changed, else nothing. The frames are then laid out afresh at that size and
    // the theme carries on; a size whose frames cannot be had keeps the old one. In saver
    // mode the host's window stands for the screen.
    void WatchHostSize(std::function<std::optional<Resolution>()> resizedSurface)
    {
        resizedSurface_ = std::move(resizedSurface);
    }
    void WatchDisplayPower(std::function<bool()> displayIsOn, FramePacer::PowerOff whenOff)
    {
        pacer_.WatchDisplayPower(std::move(displayIsOn), whenOff);
    }

    // A run inside the properties dialog hands each frame's colour step to its pictures.
    void WatchColourSteps(std::function<void(const ColourStepView &)> watcher)
    {
        colourWatcher_ = std::move(watcher);
    }

    // Full-screen saver runs stamp the on-screen message, drawn by rasteriser.
    void EnableMessage(TextRasteriser &rasteriser);

    // Appends the run's timings to the performance log when measuring was on and at
    // least one period of frames completed; a failure is silent.
    void WritePerformanceLog() const;

    // Frames each theme runs before its fade (after PrepareRun, which reads it from the
    // settings); < 1: the theme never ends on its own.
    void SetFramesPerTheme(int32_t frames) { budget_.SetFramesPerTheme(frames); }

    // Ends the run after this many frames (snapshots, benchmarks); 0 means no limit.
    void SetFrameLimit(int64_t frames) { frameLimit_ = frames; }
    int64_t FramesRun() const { return framesRun_; }

    const RunSettings &Settings() const { return settings_; }
    FramePresenter &Presenter() { return presenter_; }
    // The theme's name when the settings ask for it on screen, else empty.
    const std::string &ThemeMessage() const { return themeMessage_; }

private:
    // The size the frames are rendered at: the target's, or in saver mode the stored
    // size when the screen offers it, else the screen's.
    Resolution RenderSize() const;
    // Sizes the target and the presenter's buffers for the run.
    void AllocateFrames(const RunSettings &s, Resolution size);
    // The host's surface takes its place: the screen in saver mode, else the target.
    void AdoptSurface(Resolution surface);
    // Lays the frames out afresh when the host's size changed; false when not even the
    // old frames could be had again, and the run has been stopped.
    bool FollowHostSize();
    // -theme: the named theme, or a random factory theme, in place of the cycle and of the
    // first-use theme; false when the command line named none.
    bool ChooseOverriddenTheme();
    void ChooseCycledTheme();
    void StartTheme();
    void RunFrame(bool firstFrame, int16_t colourFlag);
    void ShowColourStep(const ColourStepRedraw &redraw) const;
    bool FrameLimitReached();
    float PathRadius() const { return run_.cometScalMul * 0.5f; }

    StartupContext &context_;
    SettingsStore &store_;
    EngineLibrary &engine_;
    PresentationTarget &target_;
    FramePacer pacer_;
    FramePresenter presenter_;
    FrameStats stats_;
    Clock &clock_;
    std::optional<OnScreenMessage> message_;
    std::optional<FrameRateMeter> meter_;
    ThemeBudget budget_;
    ThemeList themeList_;
    RunSettings settings_;
    ColourState colours_;

    // The current theme.
    RuntimeProperties run_;
    std::vector<int32_t> starStates_;
    std::vector<float> starMotions_;
    CometPaths paths_;
    ThemeColourState themeColour_;
    std::function<void(const ColourStepView &)> colourWatcher_;
    std::function<std::optional<Resolution>()> resizedSurface_;
    bool coneBuilt_ = false;
    int32_t starsThisFrame_ = 0;
    int32_t starsAtThemeStart_ = 0;

    std::string themeMessage_;
    int64_t frameLimit_ = 0;
    int64_t framesRun_ = 0;
};

} // namespace orvex
