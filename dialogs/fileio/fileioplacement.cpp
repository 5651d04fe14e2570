// SPDX-License-Identifier: MIT
#include "fileioplacement.h"

#include "windowplacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace orvex {

namespace {

// A place saved on a monitor that is gone moves to the middle of the primary screen; a
// place partly off its screen, or larger than it, is moved and shrunk onto it.
QRect OnAScreen(QRect place)
{
    const QScreen *screen = QGuiApplication::screenAt(place.center());
    const bool gone = screen == nullptr;
    if (gone)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return place; // no screen to fit to
    const QRect room = screen->availableGeometry();
    place.setSize(place.size().boundedTo(room.size()));
    if (gone)
        place.moveCenter(room.center());
    place.moveLeft(std::clamp(place.left(), room.left(), room.right() + 1 - place.width()));
    place.moveTop(std::clamp(place.top(), room.top(), room.bottom() + 1 - place.height()));
    return place;
}

} // namespace

void RestorePlacement(QWidget &window, const SettingsStore &store, std::string_view section)
{
    const WindowPlacement placement = RestoreWindowPlacement(store, section);
    // Without a saved place the window opens where Qt puts a dialog: over its parent.
    if (placement.rect)
        window.setGeometry(
            OnAScreen({placement.rect->left, placement.rect->top, placement.rect->width, placement.rect->height}));
    if (placement.maximised)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
}

void SavePlacement(const QWidget &window, SettingsStore &store, std::string_view section)
{
    const QRect normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    const WindowGeometry geometry{{normal.x(), normal.y(), normal.width(), normal.height()}, window.isMaximized(),
                                  window.isMinimized()};
    SaveWindowPlacement(store, section, geometry);
}

} // namespace orvex
