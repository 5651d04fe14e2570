#include "snapshot.h"

#include "applytheme.h"
#include "clock.h"
#include "enginelibrary.h"
#include "eventpump.h"
#include "offscreentarget.h"
#include "pngfile.h"
#include "runloop.h"
#include "settingsstore.h"
#include "startupcontext.h"

#include <iostream>

namespace orvex {

namespace {

void RenderFrames(const SnapshotOptions &options, OffscreenTarget &target)
{
    StartupContext context(ResolveSeed(options.seed, std::getenv("ORVEX_SEED")));
    context.runMode = RunMode::DialogPreview;
    context.screenWidthPx = options.width;
    context.screenHeightPx = options.height;
    context.resolutions = BuildResolutionList(options.width, options.height);

    SettingsStore store;
    EngineLibrary engine;
    SyntheticClock clock;
    NoEventPump pump;
    RunLoop loop(context, store, engine, clock, pump, target);
    loop.PrepareRun(false);
    loop.SetFrameLimit(options.frames);
    while (!context.stopRequested) {
        ApplyTheme(context.properties, store, options.theme, 1.0f);
        loop.RunTheme(0);
    }
}

} // namespace

int RunSnapshot(const SnapshotOptions &options)
{
    try {
        OffscreenTarget target(options.width, options.height);
        RenderFrames(options, target);
        if (WritePng(options.path, target.Pixels().data(), target.InnerWidth(), target.InnerHeight()))
            return 0;
    } catch (const std::exception &error) {
        std::cerr << "orvex-lumora: cannot render the picture: " << error.what() << "\n";
        return 1;
    }
    std::cerr << "orvex-lumora: cannot write the picture to " << options.path.string() << "\n";
    return 1;
}

} // namespace orvex
