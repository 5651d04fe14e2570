// SPDX-License-Identifier: MIT
#pragma once
// The full-screen saver's windows and the one target its frames go to. On X11 one window
// covers every monitor the saver uses and the presenter places the frame on each inside
// it. A Wayland surface shows on one output at most, so there every output the saver uses
// gets a full-screen window of its own, and the frames are shared out among them.

#include "monitortargets.h"
#include "saverinput.h"
#include "saverwindow.h"
#include "windowtarget.h"

#include <atomic>
#include <functional>
#include <memory>
#include <vector>

namespace orvex {

class Clock;
struct StartupContext;

class SaverWindows {
public:
    // Opens and shows the windows.
    SaverWindows(Clock &clock, StartupContext &context);
    ~SaverWindows();
    SaverWindows(const SaverWindows &) = delete;
    SaverWindows &operator=(const SaverWindows &) = delete;

    PresentationTarget &Target();
    // The window on the primary monitor, the only one on X11.
    SaverWindow &Primary() { return *windows_.front(); }

    // Read when the run starts (the settings may change between runs).
    void SetInputRules(SaverInput input) { input_ = input; }
    // The fade runs once, whichever window closes first.
    void SetExitFade(std::function<void()> exitFade);
    void SetCapture(const std::function<void(InputAction)> &capture);
    void RestoreCursor();

private:
    SaverWindow &Open(Clock &clock, std::atomic<bool> &stopRequested);

    SaverInput input_{false, false};
    std::vector<std::unique_ptr<SaverWindow>> windows_;
    std::vector<std::unique_ptr<WindowTarget>> targets_;
    std::unique_ptr<MonitorTargets> monitors_;
    bool faded_ = false;
};

} // namespace orvex
