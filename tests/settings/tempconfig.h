// SPDX-License-Identifier: MIT
#pragma once
// A private XDG_CONFIG_HOME for one test, removed with everything in it afterwards, so
// no test touches the real user's settings.

#include <filesystem>
#include <string>

namespace orvex::test {

class TempConfig {
public:
    TempConfig();
    ~TempConfig();
    TempConfig(const TempConfig &) = delete;
    TempConfig &operator=(const TempConfig &) = delete;

    const std::filesystem::path &Folder() const { return folder_; }
    std::filesystem::path SettingsFile() const { return folder_ / "Orvex" / "Lumora.reg"; }

private:
    std::filesystem::path folder_;
    std::string previous_;
    bool hadPrevious_ = false;
};

std::string ReadBytes(const std::filesystem::path &file);
void WriteBytes(const std::filesystem::path &file, const std::string &bytes);

} // namespace orvex::test
