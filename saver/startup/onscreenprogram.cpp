// SPDX-License-Identifier: MIT
#include "onscreenprogram.h"

#include "enginelibrary.h"
#include "filelock.h"
#include "hostpreview.h"
#include "propertiesdialog.h"
#include "rootsaver.h"
#include "runloop.h"
#include "savercapture.h"
#include "saverwindow.h"
#include "screenlayout.h"
#include "settingsstore.h"
#include "sleepwatcher.h"
#include "startsaver.h"
#include "startup.h"
#include "startupcontext.h"
#include "stopsignals.h"
#include "templateio.h"
#include "x11windows.h"

#include <QApplication>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>

namespace orvex {

namespace {

bool DrawsIntoForeignWindow(ProgramMode mode)
{
    return mode == ProgramMode::HostPreview || mode == ProgramMode::RootSaver;
}

bool ShowsOnlyFullScreenWindows(ProgramMode mode)
{
    return mode == ProgramMode::Saver || mode == ProgramMode::SaverSingleInstance
        || mode == ProgramMode::SaverWithTemplate;
}

// Without a display Qt would abort; say so plainly instead, and for the settings where
// they are kept, so that they can be edited by hand.
int SayThereIsNoDisplay(ProgramMode mode)
{
    std::cerr << "orvex-lumora: there is no X display to ";
    if (mode == ProgramMode::RootSaver)
        std::cerr << "draw on: -root is an X11 host mode (DISPLAY is not set or not reachable)\n";
    else if (mode == ProgramMode::HostPreview)
        std::cerr << "draw on: -window-id and /P are X11 host modes (DISPLAY is not set or not reachable)\n";
    else if (mode == ProgramMode::Properties)
        std::cerr << "open the settings on (DISPLAY is not set or not reachable); they are kept in "
                  << SettingsStore::DefaultPath().string() << "\n";
    else
        std::cerr << "draw on (DISPLAY is not set or not reachable)\n";
    return 1;
}

// A dialog already open is brought forward instead of opening a second one.
int OpenProperties(StartupContext &context, SettingsStore &store, EngineLibrary &engine, const X11Windows *x11)
{
    if (x11 != nullptr) {
        if (const std::optional<uint32_t> open = x11->FindTopLevelWindow(PropertiesDialog::kTitle)) {
            x11->Activate(*open);
            return 0;
        }
    }
    // A dialog ends on these signals like any other window, saving nothing.
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, SIG_DFL);
    SaverCapture capture(store);
    PropertiesDialog dialog({context, store, engine, [&capture](InputAction action, const FramePresenter &presenter) {
                                 capture.Take(action, presenter);
                             }});
    dialog.show();
    return QApplication::exec();
}

// A host may be waiting for the saver: a bad template is reported and the stored settings run.
void LoadStartTemplate(const std::string &path, StartupContext &context, SettingsStore &store)
{
    const PropsContext props{store, context.templates, {context.screenWidthPx, context.screenHeightPx}};
    switch (LoadTemplateIntoSettings(path, true, props)) {
    case TemplateCheck::Usable:
        return;
    case TemplateCheck::Unreadable:
        std::cerr << "orvex-lumora: cannot read the template " << path << "; running with the stored settings\n";
        return;
    case TemplateCheck::NoTemplateSections:
        std::cerr << "orvex-lumora: " << path << " holds no template settings; running with the stored settings\n";
        return;
    }
}

// Wayland shows no program another's windows, so a full-screen saver there holds a lock
// of its display's while it runs, for a second "/S" to find. Null where none can be had.
std::unique_ptr<FileLock> WaylandSaverLock(ProgramMode mode)
{
    const char *runtime = std::getenv("XDG_RUNTIME_DIR");
    const char *display = std::getenv("WAYLAND_DISPLAY");
    if (!ShowsOnlyFullScreenWindows(mode) || QGuiApplication::platformName() != QLatin1String("wayland")
        || runtime == nullptr || *runtime == '\0' || display == nullptr || *display == '\0')
        return nullptr;
    // WAYLAND_DISPLAY may be a socket's full path.
    const std::string name = "orvex-lumora-saver-" + std::filesystem::path(display).filename().string() + ".lock";
    return std::make_unique<FileLock>(std::filesystem::path(runtime) / name, std::chrono::milliseconds(0));
}

bool SaverRunning(const X11Windows *x11, const FileLock *waylandLock)
{
    if (waylandLock != nullptr)
        return waylandLock->HeldElsewhere();
    return x11 != nullptr && x11->WindowExists(SaverWindow::kTitle);
}

int Dispatch(const CommandLine &line, StartupContext &context, SettingsStore &store, EngineLibrary &engine,
             const X11Windows *x11)
{
    const std::unique_ptr<FileLock> waylandLock = WaylandSaverLock(line.mode);
    switch (line.mode) {
    case ProgramMode::Properties:
        return OpenProperties(context, store, engine, x11);
    case ProgramMode::SaverSingleInstance:
        if (SaverRunning(x11, waylandLock.get()))
            return 0;
        return StartSaver(context, store, engine);
    case ProgramMode::SaverWithTemplate:
        LoadStartTemplate(line.templatePath, context, store);
        return StartSaver(context, store, engine);
    case ProgramMode::Saver:
        return StartSaver(context, store, engine);
    case ProgramMode::HostPreview:
        context.previewParent = line.previewParent;
        return RunHostPreview(context, store, engine, x11);
    case ProgramMode::RootSaver:
        if (x11 == nullptr) {
            std::cerr << "orvex-lumora: -root needs an X display\n";
            return 1;
        }
        return RunRootSaver(context, store, engine, *x11);
    default:
        return 0;
    }
}

} // namespace

int RunOnScreen(const CommandLine &line, char *programPath)
{
    const bool platformChosen = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    const bool foreignWindow = DrawsIntoForeignWindow(line.mode);
    const bool waylandSession = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    // Another program's window is an X window even on a Wayland desktop (through XWayland);
    // our own windows belong to the session's own window system, or to XWayland when Qt's
    // Wayland platform is not installed.
    if (!platformChosen)
        qputenv("QT_QPA_PLATFORM", !foreignWindow && waylandSession ? "wayland;xcb" : "xcb");
    // Full-screen windows never get a title bar. Saying so up front keeps Qt's Wayland
    // platform from loading the graphics driver's EGL just to decide how to draw one.
    if (ShowsOnlyFullScreenWindows(line.mode) && !qEnvironmentVariableIsSet("QT_WAYLAND_DISABLE_WINDOWDECORATION"))
        qputenv("QT_WAYLAND_DISABLE_WINDOWDECORATION", "1");
    const std::unique_ptr<X11Windows> x11 = X11Windows::Open();
    const bool displayReachable = x11 != nullptr || (!foreignWindow && (platformChosen || waylandSession));
    if (!displayReachable)
        return SayThereIsNoDisplay(line.mode);
    // Our own options are parsed already; Qt must not take any of them for its own.
    int qtArgc = 1;
    char *qtArgv[] = {programPath, nullptr};
    // Widgets for the settings dialog; the saver's windows need nothing more than Qt's GUI.
    QApplication application(qtArgc, qtArgv);

    SettingsStore store;
    StartupContext context(ResolveSeed(line.seed, std::getenv("ORVEX_SEED"), std::cerr));
    const ScreenLayout screens = ScreenLayout::FromQt();
    PrepareStartup(context, store, screens.screens, screens.primary);
    context.showFrameRate = line.showFrameRate;
    context.logFrameRate = line.logFrameRate;
    context.overrides = line.overrides;
    const StopSignals stopSignals(context.stopRequested);
    SleepWatcher sleepWatcher(context.stopRequested);
    EngineLibrary engine;
    try {
        return Dispatch(line, context, store, engine, x11.get());
    } catch (const FrameAllocationError &error) {
        std::cerr << "orvex-lumora: " << error.what() << "\n";
        return 1;
    }
}

} // namespace orvex
