// SPDX-License-Identifier: MIT
#pragma once
// A dialog window's placement kept in a settings section (settings/windowplacement.h):
// restored, onto one of the screens there are now, before the window is shown; saved
// when it closes.

#include "settingsstore.h"

#include <string_view>

class QWidget;

namespace orvex {

void RestorePlacement(QWidget &window, const SettingsStore &store, std::string_view section);
void SavePlacement(const QWidget &window, SettingsStore &store, std::string_view section);

} // namespace orvex
