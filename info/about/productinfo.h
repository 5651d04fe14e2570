// SPDX-License-Identifier: MIT
#pragma once
// Who and what the program is: the lines the about box, the credits header and the
// diagnostics show.

#include <string>
#include <vector>

namespace orvex {

inline constexpr const char *kProductName = "Orvex Lumora";

// The build's version, three parts (for example 3.2.0).
std::string ProductVersion();

// The credits window's header: the product name, its version and the ownership line
// (the copyright line templates carry).
std::vector<std::string> ProductHeaderLines();

} // namespace orvex
