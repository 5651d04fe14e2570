// SPDX-License-Identifier: MIT
#pragma once
// The start-up steps every mode shares, and where the saver window goes. The window
// system only supplies the list of screens; everything else here is plain rules.

#include "startupcontext.h"

#include <cstddef>
#include <vector>

namespace orvex {

class SettingsStore;

// Secondary monitors relative to the primary's top-left corner, and the largest right
// and bottom edges of all monitors. screens are in device pixels on the virtual desktop.
MonitorList BuildMonitorList(const std::vector<PixelRect> &screens, size_t primaryIndex);

// Fills the process-wide values from the screens and the stored settings, in the order
// the modes rely on: monitors, stop flags, screen size, resolution list, the first-run
// rendering size, the multi-monitor mode and the performance log threshold.
void PrepareStartup(StartupContext &context, SettingsStore &store, const std::vector<PixelRect> &screens,
                    size_t primaryIndex);

// Rendering without a display (pictures, videos): a window-mode run whose "screen" is the
// picture of width x height.
void PrepareHeadlessStartup(StartupContext &context, int32_t width, int32_t height);

// -root: the host's window stands for the screen. Its size is the screen size, the
// resolutions offered are built from it (so a stored size made for another monitor is not
// used), and it has no secondary monitors: each monitor gets a window and a saver of its own.
void AdoptHostWindowAsScreen(StartupContext &context, int32_t width, int32_t height);

// Where the saver window goes, relative to the primary's top-left corner: the primary
// monitor alone, or every monitor right of and below the primary's origin.
struct SaverPlacement {
    PixelRect rect;
    bool primaryOnly;
};

SaverPlacement PlaceSaverWindow(const StartupContext &context);

} // namespace orvex
