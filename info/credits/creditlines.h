// SPDX-License-Identifier: MIT
#pragma once
// The lines the credits window scrolls below its header.

#include <string>
#include <vector>

namespace orvex {

std::vector<std::string> CreditLines();

} // namespace orvex
