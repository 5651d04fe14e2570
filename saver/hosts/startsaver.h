// SPDX-License-Identifier: MIT
#pragma once
// The full-screen saver: shows the saver window, runs the frames until something ends
// the run, and gives the cursor back.

namespace orvex {

class EngineLibrary;
class SettingsStore;
struct StartupContext;

int StartSaver(StartupContext &context, SettingsStore &store, EngineLibrary &engine);

} // namespace orvex
