// SPDX-License-Identifier: MIT
#include "diagnostics.h"

#include "productinfo.h"

#include <sstream>

namespace orvex {

namespace {

std::string PathOr(const std::filesystem::path &path, const std::string &missing)
{
    return path.empty() ? missing : path.string();
}

void WriteScreen(std::ostream &out, size_t index, const ScreenFacts &screen)
{
    out << "  " << index + 1 << ". " << (screen.name.empty() ? "(no name)" : screen.name) << ": " << screen.width << "x" << screen.height << " at "
        << screen.x << "," << screen.y << ", scale " << screen.scale << (screen.primary ? " (primary)" : "") << "\n";
}

} // namespace

std::string DiagnosticsText(const DiagnosticsFacts &facts)
{
    std::ostringstream out;
    out << kProductName << " " << facts.version << "\n"
        << "Engine library: " << PathOr(facts.engineFile, "not loaded yet (it loads with the first picture)") << "\n"
        << "Help document: " << PathOr(facts.helpFile, "not found") << "\n"
        << "Settings file: " << facts.settingsFile.string() << "\n"
        << "Window system: " << facts.windowSystem << "\n"
        << "Screens: " << facts.screens.size() << "\n";
    for (size_t i = 0; i < facts.screens.size(); ++i)
        WriteScreen(out, i, facts.screens[i]);
    return out.str();
}

} // namespace orvex
