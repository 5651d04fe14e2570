// SPDX-License-Identifier: MIT
// The dialog tests need an application object, and a home and settings folder of their
// own so that no test reaches the user's files.
#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char **argv)
{
    std::string home = (std::filesystem::temp_directory_path() / "orvex-dialogs-XXXXXX").string();
    if (::mkdtemp(home.data()) == nullptr)
        return 1;
    ::setenv("HOME", home.c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
    // Listing the tests runs this program outside the tests' environment too.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    ::testing::InitGoogleTest(&argc, argv);
    QApplication application(argc, argv);
    const int result = RUN_ALL_TESTS();
    std::filesystem::remove_all(home);
    return result;
}
