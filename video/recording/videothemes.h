// SPDX-License-Identifier: MIT
#pragma once
// The themes the video window records one file each for when it cycles themes: the
// candidates of theme cycling, each once, in order, and the name of each theme's file.

#include "propscontext.h"
#include "starpropertyset.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

class ProgramRandomTable;

struct VideoTheme {
    int32_t number = 0;                 // in the theme list: 1 .. 24 factory themes, templates after
    int32_t factoryTheme = 0;           // 1 .. 24; 0 for a template file
    std::filesystem::path templateFile; // a template file's full path
    std::string name;                   // the factory theme's name or the template's stored file name
};

// The factory themes whose bits are set in Adv_ThemeFlags, in ascending order, then the
// template files named by Adv_TempFile0000 ... in Adv_TempDirectory.
std::vector<VideoTheme> VideoCycleThemes(const SettingsStore &store, ProgramRandomTable &random);

// Fills set with the theme, its stars times Adv_PerfMult; a template file is first loaded
// into the store, as theme cycling does.
void ApplyVideoTheme(const VideoTheme &theme, StarPropertySet &set, const PropsContext &props);

// One file name per theme, in order, like "Orvex_Lumora_w320_h240_f360_Wavering_Comets.AVI":
// frames counts the black frames too; the theme name loses its ":" (and "/", the folder
// separator) and spaces become "_". A name that an earlier theme's file already has (in
// any mix of capitals, which some disks do not tell apart) takes the theme's number,
// "..._Star_Ray_Comets_23.AVI", so that no file of the cycle replaces another.
std::vector<std::string> CyclingVideoFileNames(int32_t width, int32_t height, int64_t frames,
                                               std::span<const VideoTheme> themes);

} // namespace orvex
