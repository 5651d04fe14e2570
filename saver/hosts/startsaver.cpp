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
#include "saverwindow.h"
#include "startup.h"
#include "windowtarget.h"
#include "x11destroywatcher.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace orvex {

namespace {

constexpr int32_t kExitFadeSteps = 16;
constexpr int32_t kExitFadeStepSize = 5;

// Placement is in device pixels from the primary's origin; Qt places in its own units.
QRect LogicalRect(const PixelRect &rect, const QScreen &primary)
{
    const qreal ratio = primary.devicePixelRatio();
    const auto logical = [ratio](int32_t value) { return int(std::lround(value / ratio)); };
    return {primary.geometry().topLeft() + QPoint(logical(rect.x), logical(rect.y)),
            QSize(logical(rect.width), logical(rect.height))};
}

void ShowSaverWindow(SaverWindow &window, const SaverPlacement &placement)
{
    QScreen *primary = QGuiApplication::primaryScreen();
    window.setScreen(primary);
    // Set the size ourselves: without a window manager nobody else makes it full screen.
    window.setGeometry(LogicalRect(placement.rect, *primary));
    if (placement.primaryOnly)
        window.showFullScreen();
    else
        window.show();
    window.requestActivate();
}

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
    SaverWindow window(clock, context.stopRequested);
    WindowTarget target(window);
    ShowSaverWindow(window, PlaceSaverWindow(context));
    X11DestroyWatcher destroyWatcher(uint32_t(window.winId()), context.stopRequested);

    RunLoop loop(context, store, engine, clock, pump, target);
    WatchDisplayPower(loop, FramePacer::PowerOff::EndRun);
    window.SetInputRules(SaverInput::FromSettings(store));
    window.SetExitFade([&loop] { loop.Presenter().ExitFade(kExitFadeSteps, kExitFadeStepSize); });
    SaverCapture capture(store);
    window.SetCapture([&capture, &loop](InputAction action) { capture.Take(action, loop.Presenter()); });
    QtTextRasteriser rasteriser;
    loop.EnableMessage(rasteriser);
    loop.PrepareRun(false);
    const FrameGeometry &geometry = loop.Settings().geometry;
    loop.Presenter().SetDesktopImage(BottomUpDesktop(desktop, geometry.renderWidth, geometry.renderHeight));
    loop.DisplayEffects();
    // The window outlives the loop: a close arriving from now on has nothing to fade.
    window.SetExitFade({});
    window.unsetCursor();
    loop.WritePerformanceLog();
    return 0;
}

} // namespace orvex
