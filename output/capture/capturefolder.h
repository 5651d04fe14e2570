// SPDX-License-Identifier: MIT
#pragma once
// Where captures are saved: the program's own folder when we may write there, as on
// Windows, else a folder of its own among the user's pictures.

#include <filesystem>
#include <string>

namespace orvex {

// What the choice reads from the process; tests make their own.
struct CaptureEnvironment {
    std::filesystem::path programFolder; // empty when unknown
    std::string home;                    // $HOME
    std::string picturesDir;             // $XDG_PICTURES_DIR, empty when unset
    std::string configHome;              // $XDG_CONFIG_HOME, empty when unset

    static CaptureEnvironment FromProcess();
};

// programFolder when it is a folder we may write to; else "<pictures>/Orvex Lumora", where
// pictures is an absolute $XDG_PICTURES_DIR, else XDG_PICTURES_DIR of the desktop's
// user-dirs.dirs, else ~/Pictures. The folder need not exist: the first capture creates it.
std::filesystem::path CaptureFolder(const CaptureEnvironment &environment);

} // namespace orvex
