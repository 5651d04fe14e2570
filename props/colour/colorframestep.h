// SPDX-License-Identifier: MIT
#pragma once
// The per-frame colour step of a theme run: the cycle clock ticks, the hue turns, the
// hue wedge swings, the bubble moves, and the engine rebuilds the hue cone.

#include "colourstate.h"
#include "enginelibrary.h"
#include "runtimeproperties.h"

#include <cstdint>

namespace orvex {

// Per-theme run state, owned by the run loop.
struct ThemeColourState {
    double huePosition = 0; // wheel units, handed to the engine as hue start
    double cycleClock = 0;  // radians; also drives property cycling
    int32_t hueSwing = 0;   // wheel units
};

// At theme start: the hue at the start angle, clock and swing at 0.
ThemeColourState StartThemeColour(const ColourRuntime &colour);

// What the properties dialog redraws after a step of its preview run.
struct ColourStepRedraw {
    bool conePicture = false;
    bool wedgeLines = false;
};

// A step's redraw with what to draw it from.
struct ColourStepView {
    ColourStepRedraw redraw;
    double huePosition = 0; // wheel units
    int32_t hueSwing = 0;   // wheel units
    HueWheelSettings wheel; // its bubble starts where the step left the run's bubble
    ColourRuntime colour;
};

inline constexpr double kCycleClockStep = 6.28318530717958;

// One frame, after the cycled properties are set and before the engine draws the stars;
// themeStart forces the cone rebuild on the first frame, colourFlag marks a run inside
// the properties dialog. An engine failure propagates as EngineError.
ColourStepRedraw ColorFrameStep(EngineLibrary &engine, ColourState &colours, const ColourRuntime &colour,
                                ThemeColourState &state, bool colourFlag, bool themeStart);

} // namespace orvex
