// SPDX-License-Identifier: MIT
#pragma once
// The process-wide values every mode needs, prepared once at start-up and passed to
// whoever needs them (no globals).

#include "programrandomtable.h"
#include "resolutionlist.h"
#include "runmode.h"
#include "presentationtarget.h"
#include "runoverrides.h"
#include "starpropertyset.h"
#include "templatefile.h"

#include <atomic>
#include <cstdint>
#include <optional>
#include <vector>

namespace orvex {

// Secondary monitors and the extents of all monitors, relative to the primary's origin.
struct MonitorList {
    std::vector<PixelRect> secondary;
    int32_t maxRight = 0;
    int32_t maxBottom = 0;
};

struct StartupContext {
    explicit StartupContext(std::optional<uint32_t> seed = std::nullopt) : random(seed) {}

    RunMode runMode = RunMode::DialogPreview;
    // Set by input handlers, signals and window events; ends the run loop.
    std::atomic<bool> stopRequested = false;
    bool exitFromMenu = false;
    int32_t screenWidthPx = 0;
    int32_t screenHeightPx = 0;
    // The screen locker protects the desktop on Linux: the program never asks for a password.
    int32_t platformId = 2;
    int32_t colourDepth = 32;
    uint64_t previewParent = 0;
    int16_t multiMonitorMode = 0;
    int32_t perfLogThreshold = 0;
    // -fps: the frame-rate overlay whatever the settings say; -fps-log: the same figures
    // on stderr once a second, for benchmarks.
    bool showFrameRate = false;
    bool logFrameRate = false;
    // -theme, -delay, -stars: the run loop uses them in place of the stored values.
    RunOverrides overrides;
    ProgramRandomTable random;
    ResolutionList resolutions;
    MonitorList monitors;
    // The one property set of the current theme, and the template files it is read from.
    StarPropertySet properties;
    TemplateFile templates;
};

} // namespace orvex
