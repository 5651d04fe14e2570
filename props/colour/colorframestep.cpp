// SPDX-License-Identifier: MIT
#include "colorframestep.h"

#include "numbertext.h"

#include <cmath>
#include <cstdlib>

namespace orvex {

ThemeColourState StartThemeColour(const ColourRuntime &colour)
{
    ThemeColourState state;
    state.huePosition = colour.startAng;
    return state;
}

ColourStepRedraw ColorFrameStep(EngineLibrary &engine, ColourState &colours, const ColourRuntime &colour,
                                ThemeColourState &state, bool colourFlag, bool themeStart)
{
    state.cycleClock += kCycleClockStep;
    state.huePosition += kWheelSize / static_cast<double>(colour.startFra);
    if (state.huePosition >= kWheelSize)
        state.huePosition -= kWheelSize;
    const double middle = (colour.wedgeMin + colour.wedgeMax) * 0.5;
    const double halfSwing = std::abs(colour.wedgeMin - colour.wedgeMax) * 0.5;
    state.hueSwing = RoundHalfEven(middle + halfSwing * std::sin(state.cycleClock / colour.wedgeFra));

    colours.ApplyBubble(false, true);
    const HueWheelSettings &wheel = colours.Wheel();
    engine.CalcHueConeBrightness(colours.HueWheelTable().data(), colours.HueConeTable().data(), themeStart ? 1 : 0,
                                 colour.coneBright, colour.coneBlack, colour.coneBBias, colour.coneTwist,
                                 wheel.bubbleLevel, wheel.bubbleSpan, colours.BubblePosition());

    ColourStepRedraw redraw;
    redraw.conePicture = colourFlag && wheel.BubbleActive();
    redraw.wedgeLines = colourFlag;
    return redraw;
}

} // namespace orvex
