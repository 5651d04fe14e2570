// SPDX-License-Identifier: MIT
#pragma once
// The capture keys of the saver window: Space copies the frame to the clipboard, F saves
// it to the next capture file, D saves it and makes it the desktop wallpaper.

#include "desktopwallpaper.h"
#include "qtclipboard.h"
#include "saverinput.h"
#include "screencapture.h"

namespace orvex {

class SaverCapture {
public:
    // Captures go to the folder CaptureFolder chooses for this process.
    explicit SaverCapture(SettingsStore &store);

    // Anything but a capture action does nothing.
    void Take(InputAction action, const FramePresenter &presenter);

private:
    QtClipboard clipboard_;
    DesktopWallpaper wallpaper_;
    ScreenCapture capture_;
};

} // namespace orvex
