// SPDX-License-Identifier: MIT
#include "capturefolder.h"

#include "enginelibrary.h"
#include "safefile.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>
#include <sstream>
#include <string_view>

namespace orvex {

namespace {

constexpr std::string_view kCaptureSubfolder = "Orvex Lumora";

std::string EnvironmentText(const char *name)
{
    const char *value = std::getenv(name);
    return value != nullptr ? value : "";
}

bool IsWritableFolder(const std::filesystem::path &folder)
{
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(folder, error) && ::access(folder.c_str(), W_OK) == 0;
}

// The XDG_PICTURES_DIR line of user-dirs.dirs: "$HOME/Pictures" or an absolute path,
// in double quotes.
std::optional<std::filesystem::path> UserDirsPictures(const CaptureEnvironment &environment)
{
    const std::filesystem::path config = environment.configHome.empty()
                                              ? std::filesystem::path(environment.home) / ".config"
                                              : std::filesystem::path(environment.configHome);
    const FileContents file = ReadWholeFile(config / "user-dirs.dirs");
    if (file.status != FileContents::Status::Read)
        return std::nullopt;
    constexpr std::string_view key = "XDG_PICTURES_DIR=\"";
    constexpr std::string_view home = "$HOME";
    std::istringstream lines(file.bytes);
    for (std::string line; std::getline(lines, line);) {
        if (!line.starts_with(key) || !line.ends_with('"'))
            continue;
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.starts_with(home))
            value.replace(0, home.size(), environment.home);
        if (std::filesystem::path(value).is_absolute())
            return value;
    }
    return std::nullopt;
}

std::filesystem::path PicturesFolder(const CaptureEnvironment &environment)
{
    if (std::filesystem::path(environment.picturesDir).is_absolute())
        return environment.picturesDir;
    if (const auto fromUserDirs = UserDirsPictures(environment))
        return *fromUserDirs;
    return std::filesystem::path(environment.home) / "Pictures";
}

} // namespace

CaptureEnvironment CaptureEnvironment::FromProcess()
{
    CaptureEnvironment environment;
    environment.programFolder = EngineLibrary::ExecutableDir();
    environment.home = EnvironmentText("HOME");
    if (environment.home.empty())
        if (const passwd *user = ::getpwuid(::getuid()))
            environment.home = user->pw_dir;
    environment.picturesDir = EnvironmentText("XDG_PICTURES_DIR");
    environment.configHome = EnvironmentText("XDG_CONFIG_HOME");
    return environment;
}

std::filesystem::path CaptureFolder(const CaptureEnvironment &environment)
{
    if (IsWritableFolder(environment.programFolder))
        return environment.programFolder;
    return PicturesFolder(environment) / kCaptureSubfolder;
}

} // namespace orvex
