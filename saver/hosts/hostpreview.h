// SPDX-License-Identifier: MIT
#pragma once
// The live miniature inside the screen-saver host's preview window ("/P n", -window-id n).

#include <cstdint>

namespace orvex {

class EngineLibrary;
class SettingsStore;
class X11Windows;
struct StartupContext;

// Runs until the host's window goes away (at once when context.previewParent names no
// window: after the first frame). x11 may be null when there is no X server.
int RunHostPreview(StartupContext &context, SettingsStore &store, EngineLibrary &engine, const X11Windows *x11);

} // namespace orvex
