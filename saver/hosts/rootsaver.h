// SPDX-License-Identifier: MIT
#pragma once
// -root: the full saver inside the window a screen locker hands over in
// $XSCREENSAVER_WINDOW, or on the root window. The host owns input and locking and ends
// the program with a signal, so no key or mouse ends this run.

namespace orvex {

class EngineLibrary;
class SettingsStore;
class X11Windows;
struct StartupContext;

int RunRootSaver(StartupContext &context, SettingsStore &store, EngineLibrary &engine, const X11Windows &x11);

} // namespace orvex
