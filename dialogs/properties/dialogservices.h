// SPDX-License-Identifier: MIT
#pragma once
// What the properties dialog works with: the start-up context (its property set, stop
// flag, screen and resolution lists, template files), the settings store, the effect
// engine, and how a preview frame is captured.

#include "saverinput.h"

#include <functional>

namespace orvex {

class EngineLibrary;
class FramePresenter;
class SettingsStore;
struct StartupContext;

// Takes a capture action (clipboard, file, file and wallpaper) of the presenter's frame.
using CaptureAction = std::function<void(InputAction, const FramePresenter &)>;

struct DialogServices {
    StartupContext &context;
    SettingsStore &store;
    EngineLibrary &engine;
    CaptureAction capture;
};

} // namespace orvex
