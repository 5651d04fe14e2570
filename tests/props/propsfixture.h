// SPDX-License-Identifier: MIT
#pragma once
// A settings store and template files in a fresh temporary folder (XDG_CONFIG_HOME
// points there too, so nothing can reach the user's own settings).

#include "propscontext.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace orvex::test {

class PropsFixture : public ::testing::Test {
protected:
    PropsFixture() { ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1); }
    ~PropsFixture() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path Path(const std::string &name) const { return folder_ / name; }

    static std::string ReadFile(const std::filesystem::path &path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void WriteFile(const std::filesystem::path &path, const std::string &text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }

    static std::filesystem::path MakeTempFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "props-test-XXXXXX").string();
        return ::mkdtemp(pattern.data());
    }

    std::filesystem::path folder_ = MakeTempFolder();
    SettingsStore store{folder_ / "Orvex" / "Lumora.reg"};
    TemplateFile templates;
    PropsContext context{store, templates, {1280, 1024}};
};

// Runs a scope under a locale whose decimal separator is a comma.
class CommaLocale {
public:
    CommaLocale() : previous_(std::setlocale(LC_ALL, nullptr))
    {
        active_ = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr || std::setlocale(LC_ALL, "de_DE.utf8") != nullptr;
    }
    ~CommaLocale() { std::setlocale(LC_ALL, previous_.c_str()); }
    bool Active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};

} // namespace orvex::test
