// SPDX-License-Identifier: MIT
#include "startsaver.h"

#include "clock.h"
#include "displaypowerwatch.h"
#include "desktopimage.h"
#include "displayeffects.h"
#include "qteventpump.h"
#include "qttextrasteriser.h"
#include "runloop.h"
#include "savercapture.h"
#include "saverwindows.h"
#include "startupcontext.h"
#include "x11destroywatcher.h"

#include <QGuiApplication>
#include <QScreen>

namespace orvex {

namespace {

constexpr int32_t kExitFadeSteps = 16;
constexpr int32_t kExitFadeStepSize = 5;

// The desktop as it is before the saver covers it, when the stars are to be laid over it.
// Null when it is not wanted or cannot be had (a Wayland session, no permission).
QImage DesktopBeforeTheSaver(const SettingsStore &store)
{
    const DisplayEffects effects = ReadDisplayEffects(store);
    QScreen *primary = QGuiApplication::primaryScreen();
    if ((effects.desktopPercent < 1 && effects.desktopFrames < 1) || primary == nullptr)
        return {};
    return primary->grabWindow(0).toImage();
}

} // namespace

int StartSaver(StartupContext &context, SettingsStore &store, EngineLibrary &engine)
{
    context.runMode = RunMode::Saver;
    const QImage desktop = DesktopBeforeTheSaver(store);
    SteadyClock clock;
    QtEventPump pump;
    SaverWindows windows(clock, context);
    X11DestroyWatcher destroyWatcher(uint32_t(windows.Primary().winId()), context.stopRequested);

    RunLoop loop(context, store, engine, clock, pump, windows.Target());
    WatchDisplayPower(loop, FramePacer::PowerOff::EndRun);
    windows.SetInputRules(SaverInput::FromSettings(store));
    windows.SetExitFade([&loop] { loop.Presenter().ExitFade(kExitFadeSteps, kExitFadeStepSize); });
    SaverCapture capture(store);
    windows.SetCapture([&capture, &loop](InputAction action) { capture.Take(action, loop.Presenter()); });
    QtTextRasteriser rasteriser;
    loop.EnableMessage(rasteriser);
    loop.PrepareRun(false);
    const FrameGeometry &geometry = loop.Settings().geometry;
    loop.Presenter().SetDesktopImage(BottomUpDesktop(desktop, geometry.renderWidth, geometry.renderHeight));
    loop.DisplayEffects();
    // The window outlives the loop: a close arriving from now on has nothing to fade.
    windows.SetExitFade({});
    windows.RestoreCursor();
    loop.WritePerformanceLog();
    return 0;
}

} // namespace orvex
