#include "fileioplacement.h"

#include "windowplacement.h"

#include <QWidget>

namespace orvex {

void RestorePlacement(QWidget &window, const SettingsStore &store, std::string_view section)
{
    const WindowPlacement placement = RestoreWindowPlacement(store, section);
    // Without a saved place the window opens where Qt puts a dialog: over its parent.
    if (placement.rect)
        window.setGeometry(placement.rect->left, placement.rect->top, placement.rect->width, placement.rect->height);
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
