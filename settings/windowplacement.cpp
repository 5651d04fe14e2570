// SPDX-License-Identifier: MIT
#include "windowplacement.h"

#include "numbertext.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace orvex {

namespace {

constexpr int32_t kFieldDigits = 5;
constexpr int64_t kLargestField = 99999;
constexpr int32_t kNeverSaved = -1;
constexpr int32_t kMaximisedState = 2;

int64_t ToTwips(int32_t pixels)
{
    return std::clamp<int64_t>(int64_t(pixels) * kTwipsPerPixel, 0, kLargestField);
}

int32_t ToPixels(double twips)
{
    return RoundHalfEven(std::clamp<double>(twips, 0, kLargestField) / kTwipsPerPixel);
}

// Leading number of the field-th group of 5 characters; 0 where the text is shorter.
double FieldAt(std::string_view text, size_t field)
{
    const size_t start = field * kFieldDigits;
    return start < text.size() ? ParseNumberOrZero(text.substr(start, kFieldDigits)) : 0.0;
}

} // namespace

std::string WindowStateText(const WindowGeometry &window)
{
    return window.maximised ? "2" : "0";
}

std::optional<std::string> WindowSizeText(const WindowGeometry &window)
{
    if (window.minimised)
        return std::nullopt;
    const WindowRect &r = window.normal;
    const std::array<int64_t, 4> twips = {ToTwips(r.left), ToTwips(r.top), ToTwips(r.width), ToTwips(r.height)};
    std::string text;
    for (const int64_t field : twips) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%05lld", static_cast<long long>(field));
        text += digits;
    }
    return text;
}

WindowPlacement ParseWindowPlacement(int32_t windowState, std::string_view windowSize)
{
    WindowPlacement placement;
    if (windowState == kNeverSaved) {
        placement.centre = true;
        return placement;
    }
    placement.maximised = windowState == kMaximisedState;
    windowSize = Trim(windowSize);
    if (!placement.maximised && !windowSize.empty()) {
        placement.rect = WindowRect{ToPixels(FieldAt(windowSize, 0)), ToPixels(FieldAt(windowSize, 1)),
                                    ToPixels(FieldAt(windowSize, 2)), ToPixels(FieldAt(windowSize, 3))};
    }
    return placement;
}

void SaveWindowPlacement(SettingsStore &store, std::string_view section, const WindowGeometry &window)
{
    store.WriteSetting(section, "WindowState", WindowStateText(window));
    if (const std::optional<std::string> size = WindowSizeText(window))
        store.WriteSetting(section, "WindowSize", *size);
}

WindowPlacement RestoreWindowPlacement(const SettingsStore &store, std::string_view section)
{
    const int32_t state = store.ReadSettingLong(section, "WindowState", kNeverSaved);
    return ParseWindowPlacement(state, store.ReadSettingText(section, "WindowSize"));
}

WindowRect CenterWindow(const WindowRect &window, int32_t screenWidth, int32_t screenHeight)
{
    WindowRect centred = window;
    centred.left = RoundHalfEven((double(screenWidth) - window.width) * 0.5);
    centred.top = RoundHalfEven((double(screenHeight) - window.height) * 0.5);
    return centred;
}

} // namespace orvex
