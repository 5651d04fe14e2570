// SPDX-License-Identifier: MIT
#include "videothemes.h"

#include "applytheme.h"
#include "factorythemes.h"
#include "numbertext.h"
#include "settingdescriptors.h"
#include "settingvalues.h"
#include "templatefilenames.h"
#include "templateio.h"
#include "themelist.h"
#include "videosettings.h"

#include <algorithm>
#include <cctype>
#include <set>

namespace orvex {

namespace {

double Declared(const SettingsStore &store, std::string_view key)
{
    return ReadStoredNumber(store, *FindDescriptor(kSectionAdvanced, key));
}

std::string CyclingVideoFileName(int32_t width, int32_t height, int64_t frames, std::string_view themeName,
                                 std::string_view suffix)
{
    std::string name(themeName);
    std::erase_if(name, [](char c) { return c == ':' || c == '/'; });
    std::string file = VideoFileStem() + "_w" + std::to_string(width) + "_h" + std::to_string(height) + "_f"
                       + std::to_string(frames) + "_" + name + std::string(suffix) + ".AVI";
    std::replace(file.begin(), file.end(), ' ', '_');
    return file;
}

std::string Folded(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

} // namespace

std::vector<VideoTheme> VideoCycleThemes(const SettingsStore &store, ProgramRandomTable &random)
{
    ThemeListSettings settings;
    settings.themeFlags = RoundHalfEven(Declared(store, "Adv_ThemeFlags"));
    settings.templateDirectory = store.ReadSettingText(kSectionAdvanced, "Adv_TempDirectory");
    settings.templateFileCount = store.ReadSettingLong(kSectionAdvanced, "Adv_TempFileCount", 0);
    settings.cycleStyle = 0; // from the first entry, in order
    ThemeList list;
    list.Build(settings, random);

    const std::vector<std::string> names = FillThemeList(true);
    std::vector<VideoTheme> themes;
    for (const int32_t entry : list.Entries()) {
        VideoTheme theme;
        theme.number = entry + 1;
        if (entry < ThemeList::kFactoryThemes) {
            theme.factoryTheme = entry + 1;
            theme.name = names[size_t(entry)];
        } else {
            theme.name = store.ReadSettingText(kSectionAdvanced, TemplateFileKey(entry - ThemeList::kFactoryThemes));
            theme.templateFile = list.Folder() + theme.name;
        }
        themes.push_back(std::move(theme));
    }
    return themes;
}

void ApplyVideoTheme(const VideoTheme &theme, StarPropertySet &set, const PropsContext &props)
{
    const auto perfMult = static_cast<float>(Declared(props.store, kKeyPerfMult));
    if (theme.factoryTheme == 0)
        LoadTemplateIntoSettings(theme.templateFile, false, props);
    ApplyTheme(set, props.store, theme.factoryTheme, perfMult);
}

std::vector<std::string> CyclingVideoFileNames(int32_t width, int32_t height, int64_t frames,
                                               std::span<const VideoTheme> themes)
{
    std::vector<std::string> names;
    std::set<std::string> taken;
    for (const VideoTheme &theme : themes) {
        std::string name = CyclingVideoFileName(width, height, frames, theme.name, "");
        // A theme's number is unique in its list, yet a template may be named like the
        // numbered file of another theme: count on until the name is free.
        const std::string numbered = "_" + std::to_string(theme.number);
        for (int again = 1; taken.contains(Folded(name)); ++again)
            name = CyclingVideoFileName(width, height, frames, theme.name,
                                        again == 1 ? numbered : numbered + "_" + std::to_string(again));
        taken.insert(Folded(name));
        names.push_back(std::move(name));
    }
    return names;
}

} // namespace orvex
