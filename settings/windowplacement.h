// SPDX-License-Identifier: MIT
#pragma once
// Dialog window placements as two stored texts per placement section: `WindowState`
// ("2" maximised, else "0") and `WindowSize`, 20 digits holding left, top, width and
// height in twips (15 per pixel), each zero-padded to 5 digits. A field beyond 5 digits
// is saved as 99999 so it can never run into the next one; negative left/top save as 0.

#include "settingsstore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvex {

inline constexpr int32_t kTwipsPerPixel = 15;

struct WindowRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0; // all in pixels

    bool operator==(const WindowRect &) const = default;
};

struct WindowGeometry {
    WindowRect normal; // the rectangle of the window in its normal state
    bool maximised = false;
    bool minimised = false;
};

// What a dialog does with its saved placement when it opens.
struct WindowPlacement {
    bool centre = false;             // never saved: centre the window on the screen
    bool maximised = false;          // show maximised, where it was
    std::optional<WindowRect> rect;  // move (and resize a sizable window) to this

    bool operator==(const WindowPlacement &) const = default;
};

std::string WindowStateText(const WindowGeometry &window);

// nullopt for a minimised window: its previous `WindowSize` stays.
std::optional<std::string> WindowSizeText(const WindowGeometry &window);

// From the `WindowState` number (-1 when never saved) and the `WindowSize` text. Only a
// maximised state restores maximised: a dialog never opens minimised.
WindowPlacement ParseWindowPlacement(int32_t windowState, std::string_view windowSize);

void SaveWindowPlacement(SettingsStore &store, std::string_view section, const WindowGeometry &window);
WindowPlacement RestoreWindowPlacement(const SettingsStore &store, std::string_view section);

// The window moved to the middle of the screen, its size unchanged.
WindowRect CenterWindow(const WindowRect &window, int32_t screenWidth, int32_t screenHeight);

} // namespace orvex
