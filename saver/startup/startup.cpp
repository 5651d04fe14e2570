// SPDX-License-Identifier: MIT
#include "startup.h"

#include "settingdescriptors.h"
#include "settingsstore.h"

#include <algorithm>

namespace orvex {

namespace {
constexpr int16_t kPrimaryOnlyMode = 2;
} // namespace

MonitorList BuildMonitorList(const std::vector<PixelRect> &screens, size_t primaryIndex)
{
    MonitorList list;
    if (primaryIndex >= screens.size())
        return list;
    const PixelRect &primary = screens[primaryIndex];
    for (size_t i = 0; i < screens.size(); ++i) {
        const PixelRect relative{screens[i].x - primary.x, screens[i].y - primary.y, screens[i].width,
                                 screens[i].height};
        if (i != primaryIndex)
            list.secondary.push_back(relative);
        list.maxRight = std::max(list.maxRight, relative.x + relative.width);
        list.maxBottom = std::max(list.maxBottom, relative.y + relative.height);
    }
    return list;
}

void PrepareStartup(StartupContext &context, SettingsStore &store, const std::vector<PixelRect> &screens,
                    size_t primaryIndex)
{
    context.monitors = BuildMonitorList(screens, primaryIndex);
    context.exitFromMenu = false;
    context.stopRequested = false;
    if (primaryIndex < screens.size()) {
        context.screenWidthPx = screens[primaryIndex].width;
        context.screenHeightPx = screens[primaryIndex].height;
    }
    context.colourDepth = 32;
    context.resolutions = BuildResolutionList(context.screenWidthPx, context.screenHeightPx);
    // The first run renders at the screen size. Skipped while another process holds the
    // store's lock, so a stopped one cannot delay the first frame; a missing size reads
    // as the screen size anyway.
    if (store.ReadSettingLong(kSectionDirectX, "DX_WinWidth", 0) == 0) {
        store.WriteSettingIfUnlocked(kSectionDirectX, "DX_WinWidth", context.screenWidthPx);
        store.WriteSettingIfUnlocked(kSectionDirectX, "DX_WinHeight", context.screenHeightPx);
    }
    context.runMode = RunMode::DialogPreview;
    context.multiMonitorMode = static_cast<int16_t>(store.ReadSettingLong(kSectionAdvanced, "Adv_MultiMonitor", 0));
    context.perfLogThreshold = store.ReadSettingLong(kSectionDirectX, "DX_WriteLog", 0);
}

void PrepareHeadlessStartup(StartupContext &context, int32_t width, int32_t height)
{
    context.runMode = RunMode::DialogPreview;
    context.screenWidthPx = width;
    context.screenHeightPx = height;
    context.resolutions = BuildResolutionList(width, height);
}

void AdoptHostWindowAsScreen(StartupContext &context, int32_t width, int32_t height)
{
    context.screenWidthPx = width;
    context.screenHeightPx = height;
    context.resolutions = BuildResolutionList(width, height);
    context.monitors = MonitorList{{}, width, height};
}

SaverPlacement PlaceSaverWindow(const StartupContext &context)
{
    if (context.monitors.secondary.empty() || context.multiMonitorMode == kPrimaryOnlyMode)
        return {{0, 0, context.screenWidthPx, context.screenHeightPx}, true};
    return {{0, 0, context.monitors.maxRight, context.monitors.maxBottom}, false};
}

} // namespace orvex
