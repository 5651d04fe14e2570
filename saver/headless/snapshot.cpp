// SPDX-License-Identifier: MIT
#include "snapshot.h"

#include "applytheme.h"
#include "clock.h"
#include "enginelibrary.h"
#include "eventpump.h"
#include "offscreentarget.h"
#include "pngfile.h"
#include "runloop.h"
#include "settingsstore.h"
#include "startup.h"
#include "startupcontext.h"
#include "stopsignals.h"

#include <iostream>

namespace orvex {

namespace {

// Runs the frames into target; false when a stop signal ended the run before the last one.
bool RenderFrames(const SnapshotOptions &options, OffscreenTarget &target)
{
    StartupContext context(ResolveSeed(options.seed, std::getenv("ORVEX_SEED"), std::cerr));
    const StopSignals stopSignals(context.stopRequested);
    PrepareHeadlessStartup(context, options.width, options.height);

    SettingsStore store;
    EngineLibrary engine;
    SyntheticClock clock;
    NoEventPump pump;
    RunLoop loop(context, store, engine, clock, pump, target);
    loop.PrepareRun(false);
    loop.SetFrameLimit(options.frames);
    while (!context.stopRequested) {
        ApplyTheme(context.properties, store, options.theme, loop.Settings().perfMult);
        loop.RunTheme(0);
    }
    return loop.FramesRun() >= options.frames;
}

} // namespace

int RunSnapshot(const SnapshotOptions &options)
{
    try {
        OffscreenTarget target(options.width, options.height);
        if (!RenderFrames(options, target)) {
            std::cerr << "orvex-lumora: stopped before the last frame; no picture was written\n";
            return 1;
        }
        // The frame may be wider than asked (its width is a multiple of 4, at least 16):
        // the picture is the top-left part of the asked size.
        if (WritePng(options.path, target.Pixels().data(), target.InnerWidth(), options.width, options.height))
            return 0;
    } catch (const std::exception &error) {
        std::cerr << "orvex-lumora: cannot render the picture: " << error.what() << "\n";
        return 1;
    }
    std::cerr << "orvex-lumora: cannot write the picture to " << options.path.string()
              << " (any earlier file there is left as it was)\n";
    return 1;
}

} // namespace orvex
