// SPDX-License-Identifier: MIT
#include "hostpreview.h"

#include "clock.h"
#include "displaypowerwatch.h"
#include "embeddedpicture.h"
#include "qteventpump.h"
#include "runloop.h"
#include "startupcontext.h"
#include "windowtarget.h"
#include "x11windows.h"

namespace orvex {

namespace {
// The picture reaches one pixel past the host's right and bottom edges.
constexpr int32_t kPreviewOverhang = 1;
} // namespace

int RunHostPreview(StartupContext &context, SettingsStore &store, EngineLibrary &engine, const X11Windows *x11)
{
    context.runMode = RunMode::HostPreview;
    EmbeddedPicture picture(context.stopRequested);
    picture.Window().setTitle("ZEVI:Preview Orvex Lumora 3.2");
    const bool placed = x11 != nullptr && picture.PlaceInto(*x11, context.previewParent, kPreviewOverhang);

    SteadyClock clock;
    QtEventPump pump;
    WindowTarget target(picture.Window());
    RunLoop loop(context, store, engine, clock, pump, target);
    WatchDisplayPower(loop, FramePacer::PowerOff::Pause);
    loop.WatchHostWindow([&] { return placed && x11->IsWindow(context.previewParent); });
    loop.WatchHostSize([&picture] { return picture.FollowHost(); });
    loop.PrepareRun(true);
    loop.DisplayEffects();
    return 0;
}

} // namespace orvex
