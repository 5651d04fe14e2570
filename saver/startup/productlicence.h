// SPDX-License-Identifier: MIT
#pragma once
// Who holds the copyright of the program and under which licence it is released, as
// --version and the about box tell it.

namespace orvex {

inline constexpr const char *kCopyrightLine = "Copyright (c) 2026 The Orvex Lumora authors";
inline constexpr const char *kLicenceLine = "License MIT: <https://opensource.org/license/mit>.";
inline constexpr const char *kFreeSoftwareLine = "This is free software: you are free to change and redistribute it.";
inline constexpr const char *kNoWarrantyLine = "There is NO WARRANTY, to the extent permitted by law.";

} // namespace orvex
