// SPDX-License-Identifier: MIT
#include "saverwindows.h"

#include "screenlayout.h"
#include "startup.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace orvex {

namespace {

// Placement is in device pixels from the primary's origin; Qt places in its own units.
QRect LogicalRect(const PixelRect &rect, const QScreen &primary)
{
    const qreal ratio = primary.devicePixelRatio();
    const auto logical = [ratio](int32_t value) { return int(std::lround(value / ratio)); };
    return {primary.geometry().topLeft() + QPoint(logical(rect.x), logical(rect.y)),
            QSize(logical(rect.width), logical(rect.height))};
}

bool WindowsStayOnOneOutput()
{
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

// Each output's place from the primary's top-left corner, the primary first; the primary
// alone when the saver leaves the other monitors be.
std::vector<std::pair<QScreen *, PixelRect>> OutputsInUse(bool primaryOnly)
{
    const ScreenLayout layout = ScreenLayout::FromQt();
    const QList<QScreen *> screens = QGuiApplication::screens();
    const PixelRect primary = layout.screens[layout.primary];
    std::vector<std::pair<QScreen *, PixelRect>> outputs;
    for (size_t i = 0; i < layout.screens.size(); ++i) {
        const PixelRect &screen = layout.screens[i];
        const std::pair<QScreen *, PixelRect> output{
            screens[qsizetype(i)], {screen.x - primary.x, screen.y - primary.y, screen.width, screen.height}};
        if (i == layout.primary)
            outputs.insert(outputs.begin(), output);
        else if (!primaryOnly)
            outputs.push_back(output);
    }
    return outputs;
}

} // namespace

SaverWindows::SaverWindows(Clock &clock, StartupContext &context)
{
    const SaverPlacement placement = PlaceSaverWindow(context);
    QScreen *primary = QGuiApplication::primaryScreen();
    if (!WindowsStayOnOneOutput() || primary == nullptr) {
        SaverWindow &window = Open(clock, context.stopRequested);
        window.setScreen(primary);
        // Set the size ourselves: without a window manager nobody else makes it full screen.
        if (primary != nullptr)
            window.setGeometry(LogicalRect(placement.rect, *primary));
        if (placement.primaryOnly)
            window.showFullScreen();
        else
            window.show();
        window.requestActivate();
        return;
    }
    std::vector<MonitorTargets::Monitor> monitors;
    for (const auto &[screen, place] : OutputsInUse(placement.primaryOnly)) {
        SaverWindow &window = Open(clock, context.stopRequested);
        window.SetDeviceOrigin({place.x, place.y});
        // The compositor makes it full screen on the output it is placed on.
        window.setScreen(screen);
        window.setGeometry(screen->geometry());
        window.showFullScreen();
        monitors.push_back({place, targets_.back().get()});
    }
    monitors_ = std::make_unique<MonitorTargets>(std::move(monitors));
}

SaverWindows::~SaverWindows() = default;

SaverWindow &SaverWindows::Open(Clock &clock, std::atomic<bool> &stopRequested)
{
    windows_.push_back(std::make_unique<SaverWindow>(clock, stopRequested, input_));
    targets_.push_back(std::make_unique<WindowTarget>(*windows_.back()));
    return *windows_.back();
}

PresentationTarget &SaverWindows::Target()
{
    if (monitors_)
        return *monitors_;
    return *targets_.front();
}

void SaverWindows::SetExitFade(std::function<void()> exitFade)
{
    std::function<void()> once;
    if (exitFade)
        once = [this, exitFade = std::move(exitFade)] {
            if (!faded_) {
                faded_ = true;
                exitFade();
            }
        };
    for (const auto &window : windows_)
        window->SetExitFade(once);
}

void SaverWindows::SetCapture(const std::function<void(InputAction)> &capture)
{
    for (const auto &window : windows_)
        window->SetCapture(capture);
}

void SaverWindows::RestoreCursor()
{
    for (const auto &window : windows_)
        window->unsetCursor();
}

} // namespace orvex
