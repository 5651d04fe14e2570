// SPDX-License-Identifier: MIT
#include "rootsaver.h"

#include "clock.h"
#include "displaypowerwatch.h"
#include "commandline.h"
#include "embeddedpicture.h"
#include "qteventpump.h"
#include "qttextrasteriser.h"
#include "runloop.h"
#include "startup.h"
#include "startupcontext.h"
#include "windowtarget.h"
#include "x11windows.h"

#include <cstdlib>
#include <iostream>

namespace orvex {

namespace {

uint64_t HostWindow(const X11Windows &x11)
{
    const char *named = std::getenv("XSCREENSAVER_WINDOW");
    return named != nullptr ? ParseWindowId(named).value_or(0) : x11.RootWindow();
}

} // namespace

int RunRootSaver(StartupContext &context, SettingsStore &store, EngineLibrary &engine, const X11Windows &x11)
{
    context.runMode = RunMode::Saver;
    const uint64_t host = HostWindow(x11);
    EmbeddedPicture picture(context.stopRequested);
    const std::optional<WindowSize> size = picture.PlaceInto(x11, host, 0);
    if (!size) {
        std::cerr << "orvex-lumora: XSCREENSAVER_WINDOW names no window\n";
        return 1;
    }
    AdoptHostWindowAsScreen(context, size->width, size->height);

    SteadyClock clock;
    QtEventPump pump;
    WindowTarget target(picture.Window());
    RunLoop loop(context, store, engine, clock, pump, target);
    WatchDisplayPower(loop, FramePacer::PowerOff::Pause);
    // Lockers resize their windows when the monitors change; the root window changes too.
    loop.WatchHostSize([&picture] { return picture.FollowHost(); });
    // The screen locker shows no message of its own: the saver's message is the one seen.
    QtTextRasteriser rasteriser;
    loop.EnableMessage(rasteriser);
    loop.PrepareRun(false);
    loop.DisplayEffects();
    return 0;
}

} // namespace orvex
