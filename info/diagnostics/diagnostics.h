// SPDX-License-Identifier: MIT
#pragma once
// What a user can copy into a problem report: the program's version, the engine library
// it loaded, the help document, the settings file, the window system and the screens.

#include <filesystem>
#include <string>
#include <vector>

namespace orvex {

struct ScreenFacts {
    std::string name;
    int x = 0, y = 0, width = 0, height = 0; // logical pixels on the virtual desktop
    double scale = 1;                        // device pixels per logical pixel
    bool primary = false;
};

struct DiagnosticsFacts {
    std::string version;
    std::filesystem::path engineFile;   // empty: not loaded yet
    std::filesystem::path helpFile;     // empty: not found
    std::filesystem::path settingsFile;
    std::string windowSystem;
    std::vector<ScreenFacts> screens;
};

// One fact a line, the screens one a line each.
std::string DiagnosticsText(const DiagnosticsFacts &facts);

} // namespace orvex
