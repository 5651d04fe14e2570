// SPDX-License-Identifier: MIT
#pragma once
// The credits window's frame loop without the window: the star field flying out of a
// slowly turning swirl (the engine's DisplayCreditsLumora), trail-blended and presented
// into an in-memory picture the window shows. No themes, no comet spline, no cycling;
// the frame buffers, presentation and frame delay are the run loop's, in window mode.
// The window calls Frame from its own timer, so nothing here waits or sleeps.

#include "clock.h"
#include "colourstate.h"
#include "eventpump.h"
#include "offscreentarget.h"
#include "runloop.h"
#include "startupcontext.h"

#include <cstdint>
#include <string>
#include <vector>

namespace orvex {

class EngineLibrary;
class SettingsStore;

// What the window is handed before it is shown (its FormLet).
struct CreditsSettings {
    int32_t stars = 1200;
    float speed = 0.005f;
    float scrollStep = 1.0f;
    std::vector<std::string> credits;
};

// The values the loop runs with: stars 10..2000 (the engine's plot list holds 29 glow
// pixels for at most 6,896 stars), speed 0.0025..0.25, scroll step 0.5..10.
CreditsSettings ClampedForLoop(CreditsSettings settings);

// The credits' next top inside their frame: one step up, or back to 10 units above the
// frame's bottom edge once the whole text has scrolled out at the top.
float NextCreditsTop(float top, float creditsHeight, float frameHeight, float step);

class CreditsRun {
public:
    // width x height: the star-field picture in pixels.
    CreditsRun(SettingsStore &store, EngineLibrary &engine, int32_t width, int32_t height);
    CreditsRun(const CreditsRun &) = delete;
    CreditsRun &operator=(const CreditsRun &) = delete;

    // Prepares the display run, fills the engine's random table and places the stars.
    // Throws FrameAllocationError when the frame buffers do not fit in memory.
    void Start(const CreditsSettings &settings);
    // One frame: the stars move and are plotted, then blended and presented.
    void Frame();

    // The trail blend: the left mouse button shortens the trails, the right one
    // lengthens them, from the next frame on.
    void LowerBlend();
    void RaiseBlend();
    int32_t BlendMul() const { return blendMul_; }

    // Milliseconds between frames: the stored frame delay, 0 for as fast as events allow.
    int32_t FrameDelayMs() const;
    const OffscreenTarget &Picture() const { return target_; }

private:
    void PlaceStars();
    void BuildColourCone();

    StartupContext context_;
    SteadyClock clock_;
    NoEventPump pump_;
    OffscreenTarget target_;
    EngineLibrary &engine_;
    SettingsStore &store_;
    RunLoop loop_;
    ColourState colours_;
    int32_t halfWidth_;
    int32_t halfHeight_;
    int32_t stars_ = 0;
    float speed_ = 0;
    std::vector<float> starMotions_;
    std::vector<int32_t> starColours_;
    float huePhase_ = 0;
    float swirlAngle_ = 0;
    int32_t blendMul_ = 0;
};

} // namespace orvex
