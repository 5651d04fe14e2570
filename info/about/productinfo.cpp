// SPDX-License-Identifier: MIT
#include "productinfo.h"

#include "templateio.h"

namespace orvex {

std::string ProductVersion()
{
    return ORVEX_VERSION;
}

std::vector<std::string> ProductHeaderLines()
{
    return {kProductName, "Version " + ProductVersion(), std::string(kTemplateCopyright)};
}

} // namespace orvex
