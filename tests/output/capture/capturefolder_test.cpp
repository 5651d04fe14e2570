// SPDX-License-Identifier: MIT
#include "capturefolder.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <fstream>

namespace orvex {
namespace {

namespace fs = std::filesystem;

TEST(CaptureFolderTest, TheProgramFolderWhenWritableElseAFolderAmongTheUsersPictures)
{
    std::string pattern = (fs::temp_directory_path() / "orvex-folder-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    const fs::path dir = pattern;
    const fs::path program = dir / "bin";
    const fs::path home = dir / "home";
    const fs::path config = dir / "config";
    fs::create_directories(program);
    fs::create_directories(config);
    std::ofstream(config / "user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                              << "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n"
                                              << "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";

    struct Row {
        const char *what;
        fs::path programFolder;
        std::string picturesDir;
        fs::path configHome;
        fs::path expected;
    };
    const Row rows[] = {
        {"writable program folder", program, "/elsewhere", config, program},
        {"unknown program folder", "", "/data/pics", config, "/data/pics/Orvex Lumora"},
        {"missing program folder", dir / "gone", "/data/pics", config, "/data/pics/Orvex Lumora"},
        {"relative XDG_PICTURES_DIR is ignored", "", "pics", config, home / "Bilder" / "Orvex Lumora"},
        {"user-dirs.dirs", "", "", config, home / "Bilder" / "Orvex Lumora"},
        {"nothing configured", "", "", dir / "noconfig", home / "Pictures" / "Orvex Lumora"},
    };
    for (const Row &row : rows) {
        const CaptureEnvironment environment{row.programFolder, home.string(), row.picturesDir,
                                             row.configHome.string()};
        EXPECT_EQ(CaptureFolder(environment), row.expected) << row.what;
    }
    // Permissions bind everyone but root.
    if (::geteuid() != 0) {
        fs::permissions(program, fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(CaptureFolder({program, home.string(), "/data/pics", config.string()}), "/data/pics/Orvex Lumora");
        fs::permissions(program, fs::perms::owner_all);
    }
    EXPECT_FALSE(fs::exists(home)) << "choosing a folder creates nothing";
    fs::remove_all(dir);
}

} // namespace
} // namespace orvex
