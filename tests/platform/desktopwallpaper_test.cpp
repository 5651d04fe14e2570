// SPDX-License-Identifier: MIT
#include "desktopwallpaper.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <sstream>

namespace orvex {
namespace {

namespace fs = std::filesystem;

// Restores an environment variable when the test ends.
class SavedVariable {
public:
    explicit SavedVariable(const char *name) : name_(name)
    {
        if (const char *value = std::getenv(name))
            value_ = value;
    }
    ~SavedVariable()
    {
        if (value_)
            ::setenv(name_, value_->c_str(), 1);
        else
            ::unsetenv(name_);
    }
    SavedVariable(const SavedVariable &) = delete;
    SavedVariable &operator=(const SavedVariable &) = delete;

private:
    const char *name_;
    std::optional<std::string> value_;
};

class DesktopWallpaperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "orvex-wallpaper-XXXXXX").string();
        ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
        dir = pattern;
        fs::create_directories(dir / "bin");
        // Each stand-in records its name and arguments, one per field; xfconf-query lists
        // two monitors' pictures among other properties.
        for (const char *tool : {"gsettings", "xfconf-query", "plasma-apply-wallpaperimage"}) {
            const fs::path script = dir / "bin" / tool;
            std::ofstream(script) << "#!/bin/sh\n"
                                  << "printf '%s|' \"${0##*/}\" \"$@\" >>'" << Log().string() << "'\n"
                                  << "echo >>'" << Log().string() << "'\n"
                                  << "[ \"$*\" = '-c xfce4-desktop -l' ] && printf '%s\\n' "
                                     "/backdrop/screen0/monitor0/workspace0/last-image "
                                     "/backdrop/screen0/monitor0/workspace0/image-style "
                                     "/backdrop/screen0/monitorHDMI-1/workspace0/last-image\n"
                                  << "exit 0\n";
            fs::permissions(script, fs::perms::owner_all);
        }
        ::setenv("PATH", ((dir / "bin").string() + ":" + path_.c_str()).c_str(), 1);
        // The last resort must not reach any real X server's root window.
        ::unsetenv("DISPLAY");
    }
    void TearDown() override { fs::remove_all(dir); }

    fs::path Log() const { return dir / "commands.log"; }
    std::string Commands() const
    {
        std::ifstream in(Log());
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    SavedVariable pathVariable_{"PATH"};
    SavedVariable display_{"DISPLAY"};
    std::string path_ = std::getenv("PATH") ? std::getenv("PATH") : "/usr/bin:/bin";
    fs::path dir;
};

TEST_F(DesktopWallpaperTest, EachDesktopGetsThePictureThroughItsOwnTool)
{
    const fs::path picture = dir / "My Captures #1" / "Orvex_Lumora_ScreenCapture_1.bmp";
    const std::string file = picture.string();
    const std::string uri = "file://" + dir.string() + "/My%20Captures%20%231/Orvex_Lumora_ScreenCapture_1.bmp";
    struct Row {
        const char *desktop;
        std::string commands;
    };
    const Row rows[] = {
        {"ubuntu:GNOME",
         "gsettings|set|org.gnome.desktop.background|picture-uri|" + uri + "|\n"
         "gsettings|set|org.gnome.desktop.background|picture-uri-dark|" + uri + "|\n"},
        {"X-Cinnamon", "gsettings|set|org.cinnamon.desktop.background|picture-uri|" + uri + "|\n"},
        {"mate", "gsettings|set|org.mate.background|picture-filename|" + file + "|\n"},
        {"XFCE",
         "xfconf-query|-c|xfce4-desktop|-l|\n"
         "xfconf-query|-c|xfce4-desktop|-p|/backdrop/screen0/monitor0/workspace0/last-image|-s|" + file + "|\n"
         "xfconf-query|-c|xfce4-desktop|-p|/backdrop/screen0/monitorHDMI-1/workspace0/last-image|-s|" + file + "|\n"},
        {"KDE", "plasma-apply-wallpaperimage|" + file + "|\n"},
        {"Hyprland", ""},
        {"", ""},
    };
    for (const Row &row : rows) {
        fs::remove(Log());
        DesktopWallpaper(row.desktop).SetWallpaper(picture);
        EXPECT_EQ(Commands(), row.commands) << "XDG_CURRENT_DESKTOP=" << row.desktop;
    }
}

} // namespace
} // namespace orvex
