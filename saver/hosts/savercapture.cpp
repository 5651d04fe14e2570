// SPDX-License-Identifier: MIT
#include "savercapture.h"

#include "capturefolder.h"

#include <cstdlib>

namespace orvex {

namespace {

std::string CurrentDesktop()
{
    const char *desktop = std::getenv("XDG_CURRENT_DESKTOP");
    return desktop != nullptr ? desktop : "";
}

} // namespace

SaverCapture::SaverCapture(SettingsStore &store)
    : wallpaper_(CurrentDesktop()),
      capture_(store, CaptureFolder(CaptureEnvironment::FromProcess()), clipboard_, wallpaper_)
{
}

void SaverCapture::Take(InputAction action, const FramePresenter &presenter)
{
    switch (action) {
    case InputAction::CopyToClipboard:
        capture_.CopyFrameToClipboard(presenter);
        break;
    case InputAction::SaveToFile:
        capture_.SaveFrameToFile(presenter, false);
        break;
    case InputAction::SaveToFileAsWallpaper:
        capture_.SaveFrameToFile(presenter, true);
        break;
    case InputAction::Close:
    case InputAction::None:
        break;
    }
}

} // namespace orvex
