// SPDX-License-Identifier: MIT
#include "creditlines.h"

namespace orvex {

std::vector<std::string> CreditLines()
{
    return {
        "",
        "Star-Field Engine",
        "Particles born on a wandering comet spline",
        "Fourteen emitter patterns",
        "Trails that fade as the stars fly on",
        "",
        "Colour",
        "The hue wheel and its five divisions",
        "The hue cone of sixty-four brightness levels",
        "The brightness-bias bubble",
        "",
        "Themes",
        "Twenty-four factory themes",
        "Property cycling on sine waves",
        "Template files for your own",
        "",
        "Linux Edition",
        "X11 windows, XScreenSaver and xsecurelock hosts",
        "",
        "Built With",
        "Qt 6",
        "CMake and Ninja",
        "GoogleTest",
        "",
        "Thank you for watching the stars.",
    };
}

} // namespace orvex
