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

namespace orvex {

namespace {

double Declared(const SettingsStore &store, std::string_view key)
{
    return ReadStoredNumber(store, *FindDescriptor(kSectionAdvanced, key));
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

std::string CyclingVideoFileName(int32_t width, int32_t height, int64_t frames, std::string_view themeName)
{
    std::string name(themeName);
    std::erase_if(name, [](char c) { return c == ':' || c == '/'; });
    std::string file = VideoFileStem() + "_w" + std::to_string(width) + "_h" + std::to_string(height) + "_f"
                       + std::to_string(frames) + "_" + name + ".AVI";
    std::replace(file.begin(), file.end(), ' ', '_');
    return file;
}

} // namespace orvex
