// SPDX-License-Identifier: MIT
#include "desktopwallpaper.h"

#include "rootbackground.h"
#include "runcommand.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>
#include <string_view>
#include <vector>

namespace orvex {

namespace {

// Each tool answers within milliseconds; one that hangs must not hold the saver long.
constexpr std::chrono::milliseconds kCommandTimeout{2000};

enum class Desktop { Gnome, Cinnamon, Mate, Xfce, Plasma, Other };

bool SameName(std::string_view a, std::string_view b)
{
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(uint8_t(x)) == std::tolower(uint8_t(y));
    });
}

// The first name of the list that we know; "ubuntu:GNOME" is GNOME.
Desktop Recognise(std::string_view currentDesktop)
{
    struct Known {
        std::string_view name;
        Desktop desktop;
    };
    static constexpr Known kKnown[] = {
        {"GNOME", Desktop::Gnome},       {"Unity", Desktop::Gnome}, {"X-Cinnamon", Desktop::Cinnamon},
        {"Cinnamon", Desktop::Cinnamon}, {"MATE", Desktop::Mate},   {"XFCE", Desktop::Xfce},
        {"KDE", Desktop::Plasma},
    };
    std::istringstream names{std::string(currentDesktop)};
    for (std::string name; std::getline(names, name, ':');)
        for (const Known &known : kKnown)
            if (SameName(name, known.name))
                return known.desktop;
    return Desktop::Other;
}

bool Run(const std::vector<std::string> &arguments)
{
    return RunCommand(arguments, kCommandTimeout).has_value();
}

// "file://" and the path with every byte outside the unreserved characters escaped.
std::string FileUri(const std::filesystem::path &picture)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const char c : picture.string()) {
        const auto byte = uint8_t(c);
        if (std::isalnum(byte) || std::string_view("/-._~").find(c) != std::string_view::npos) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 0xF];
        }
    }
    return uri;
}

bool SetGnome(const std::string &uri)
{
    const bool set = Run({"gsettings", "set", "org.gnome.desktop.background", "picture-uri", uri});
    // Only GNOME 42 and later know the dark style's picture; older ones refuse the key.
    Run({"gsettings", "set", "org.gnome.desktop.background", "picture-uri-dark", uri});
    return set;
}

// Xfce keeps one picture per monitor and workspace, each under a property ending in
// "/last-image"; all that exist get the picture.
bool SetXfce(const std::string &file)
{
    const std::optional<std::string> properties =
        RunCommand({"xfconf-query", "-c", "xfce4-desktop", "-l"}, kCommandTimeout);
    if (!properties)
        return false;
    bool set = false;
    std::istringstream lines(*properties);
    for (std::string property; std::getline(lines, property);)
        if (property.ends_with("/last-image"))
            set = Run({"xfconf-query", "-c", "xfce4-desktop", "-p", property, "-s", file}) || set;
    return set;
}

bool SetWithDesktopTool(Desktop desktop, const std::filesystem::path &picture)
{
    switch (desktop) {
    case Desktop::Gnome:
        return SetGnome(FileUri(picture));
    case Desktop::Cinnamon:
        return Run({"gsettings", "set", "org.cinnamon.desktop.background", "picture-uri", FileUri(picture)});
    case Desktop::Mate:
        return Run({"gsettings", "set", "org.mate.background", "picture-filename", picture.string()});
    case Desktop::Xfce:
        return SetXfce(picture.string());
    case Desktop::Plasma:
        return Run({"plasma-apply-wallpaperimage", picture.string()});
    case Desktop::Other:
        break;
    }
    return false;
}

} // namespace

void DesktopWallpaper::SetWallpaper(const std::filesystem::path &picture)
{
    try {
        const std::filesystem::path absolute = std::filesystem::absolute(picture);
        // Under Wayland the X root (XWayland's) is never seen: without a tool nothing is set.
        const char *wayland = std::getenv("WAYLAND_DISPLAY");
        if (!SetWithDesktopTool(Recognise(currentDesktop_), absolute) && (wayland == nullptr || *wayland == '\0'))
            SetRootBackground(absolute);
    } catch (const std::exception &) {
        // No memory for a command line or the picture: the wallpaper stays as it was.
    }
}

} // namespace orvex
