// SPDX-License-Identifier: MIT
#include "advancedvalues.h"

#include "advancedcontrols.h"
#include "factorythemes.h"
#include "numbertext.h"
#include "settingdescriptors.h"
#include "templatefilenames.h"

#include <algorithm>

namespace orvex {

namespace {

constexpr std::string_view kKeyThemeFlags = "Adv_ThemeFlags";
constexpr std::string_view kKeyTempDrive = "Adv_TempDrive";
constexpr std::string_view kKeyTempDirectory = "Adv_TempDirectory";
constexpr std::string_view kKeyTempFileCount = "Adv_TempFileCount";
constexpr std::string_view kDefaultTempDrive = "C:";
constexpr int32_t kAllThemes = (int32_t{1} << kFactoryThemeCount) - 1;
// Template file keys carry four digits.
constexpr int32_t kMaxTemplateFiles = 10000;
constexpr int32_t kFullCircle = 360;

int32_t NumberOf(const std::string &text)
{
    return RoundHalfEven(ParseNumberOrZero(text));
}

// The entry of the control of hue wheel division d.
std::string &Division(AdvancedValues &values, int d)
{
    const auto controls = AdvancedControls();
    const auto found = std::ranges::find(controls, d, &AdvancedControl::division);
    return values.controls[static_cast<size_t>(found - controls.begin())];
}

// As the hue wheel is loaded: each division at least the one before it.
void HoldDivisionsAscending(AdvancedValues &values)
{
    for (int d = 1; d < kDivisionCount; ++d) {
        std::string &division = Division(values, d);
        division = std::to_string(std::max(NumberOf(Division(values, d - 1)), NumberOf(division)));
    }
}

void HoldDivisionBetweenNeighbours(AdvancedValues &values, int d)
{
    const int32_t low = d > 0 ? NumberOf(Division(values, d - 1)) : 0;
    const int32_t high = d + 1 < kDivisionCount ? NumberOf(Division(values, d + 1)) : kFullCircle;
    std::string &division = Division(values, d);
    division = std::to_string(ClampLong(NumberOf(division), low, high));
}

TemplateSelection LoadTemplateSelection(const SettingsStore &store)
{
    TemplateSelection templates;
    templates.drive = store.ReadSettingText(kSectionAdvanced, kKeyTempDrive, kDefaultTempDrive);
    templates.directory = store.ReadSettingText(kSectionAdvanced, kKeyTempDirectory);
    const int32_t stored = store.ReadSettingLong(kSectionAdvanced, kKeyTempFileCount, 0);
    const int32_t count = ClampLong(stored, 0, kMaxTemplateFiles);
    for (int32_t k = 0; k < count; ++k)
        templates.files.push_back(store.ReadSettingText(kSectionAdvanced, TemplateFileKey(k)));
    return templates;
}

} // namespace

AdvancedValues LoadAdvancedValues(const SettingsStore &store, bool cycleThemes)
{
    AdvancedValues values;
    for (const AdvancedControl &control : AdvancedControls())
        values.controls.push_back(
            ShownText(control, store.ReadSettingText(kSectionAdvanced, control.key, LoadDefaultText(control))));
    HoldDivisionsAscending(values);
    values.themeFlags =
        ClampLong(store.ReadSettingLong(kSectionAdvanced, kKeyThemeFlags, kDefaultThemeFlags), 0, kAllThemes);
    values.cycleThemes = cycleThemes;
    values.templates = LoadTemplateSelection(store);
    return values;
}

void ApplyAdvancedDefaults(AdvancedValues &values)
{
    const auto controls = AdvancedControls();
    for (size_t i = 0; i < controls.size(); ++i) {
        const AdvancedControl &control = controls[i];
        if (control.defaults == DefaultsRule::LoadDefault)
            values.controls[i] = ShownText(control, LoadDefaultText(control));
        else if (control.defaults == DefaultsRule::Value)
            values.controls[i] = ShownText(control, control.defaultsValue);
    }
    values.themeFlags = kDefaultThemeFlags;
    values.cycleThemes = true;
}

void LeaveAdvancedControl(AdvancedValues &values, size_t i)
{
    const AdvancedControl &control = AdvancedControls()[i];
    values.controls[i] = CheckedText(control, values.controls[i]);
    if (control.division >= 0)
        HoldDivisionBetweenNeighbours(values, control.division);
}

bool StoreAdvancedValues(const AdvancedValues &values, SettingsStore &store)
{
    bool written = true;
    const auto write = [&](std::string_view key, const SettingValue &value) {
        written = store.WriteSetting(kSectionAdvanced, key, value) && written;
    };
    store.BeginBatch();
    const auto controls = AdvancedControls();
    for (size_t i = 0; i < controls.size(); ++i)
        write(controls[i].key, StoredText(controls[i], values.controls[i]));
    write(kKeyThemeFlags, values.themeFlags);
    write(kKeyTempDrive, values.templates.drive);
    write(kKeyTempDirectory, values.templates.directory);
    const auto count = static_cast<int32_t>(std::min<size_t>(values.templates.files.size(), kMaxTemplateFiles));
    write(kKeyTempFileCount, count);
    for (int32_t k = 0; k < count; ++k)
        write(TemplateFileKey(k), values.templates.files[k]);
    return store.CommitBatch() && written;
}

AdvancedDialogValues HueWheelFields(const AdvancedValues &values)
{
    AdvancedDialogValues fields;
    const auto controls = AdvancedControls();
    for (size_t i = 0; i < controls.size(); ++i)
        if (controls[i].hueWheelField >= 0)
            fields.txtHueWheel[controls[i].hueWheelField] = values.controls[i];
    return fields;
}

} // namespace orvex
