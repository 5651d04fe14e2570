// SPDX-License-Identifier: MIT
#include "tempconfig.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace orvex::test {

TempConfig::TempConfig()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "orvex-settings-XXXXXX").string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder");
    folder_ = pattern;
    if (const char *previous = std::getenv("XDG_CONFIG_HOME")) {
        previous_ = previous;
        hadPrevious_ = true;
    }
    ::setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
}

TempConfig::~TempConfig()
{
    if (hadPrevious_)
        ::setenv("XDG_CONFIG_HOME", previous_.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
    std::error_code ignored;
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, ignored);
    std::filesystem::remove_all(folder_, ignored);
}

std::string ReadBytes(const std::filesystem::path &file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::filesystem::path &file, const std::string &bytes)
{
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
}

} // namespace orvex::test
