// SPDX-License-Identifier: MIT
#pragma once
// The help document and its topics. The dialogs open help by topic number (as they
// opened the Windows help file "Orvex_Gen.hlp"); each number is an anchor of one HTML
// document shipped beside the program.

#include <filesystem>
#include <string_view>

namespace orvex {

inline constexpr int kHelpContents = 0;        // Help > Contents...
inline constexpr int kHelpSearch = 11;         // Help > Search...: the contents, typing goes to the find field
inline constexpr int kHelpProperties = 1000;   // the properties dialog
inline constexpr int kHelpTemplateFiles = 3500; // the template file dialog's Help button
inline constexpr int kHelpVideo = 4600;        // the video window
inline constexpr int kHelpCredits = 6100;      // the about box and the credits window
inline constexpr int kHelpAdvanced = 8000;     // the advanced settings dialog's Help button

inline constexpr std::string_view kHelpFileName = "Orvex_Gen.html";

// The anchor a topic opens at; an unknown topic opens the contents.
std::string_view HelpAnchor(int topic);

// The help document beside the program (the build tree), else in the install tree's
// share/orvex-lumora; empty when neither holds it.
std::filesystem::path FindHelpFile(const std::filesystem::path &programDir);

} // namespace orvex
