// SPDX-License-Identifier: MIT
#pragma once
// A full-screen saver window: frameless, opaque, above other windows, no cursor. Keys,
// mouse buttons and large mouse moves ask it to close; an accepted close fades the
// picture out, shows the cursor again and ends the run. Where one window per monitor is
// needed, the windows share one set of input rules, so moves add up across monitors.

#include "saverinput.h"

#include <QWindow>

#include <atomic>
#include <functional>

namespace orvex {

class Clock;

class SaverWindow final : public QWindow {
public:
    static constexpr const char *kTitle = "ZEVI:Orvex Lumora 3.2";

    // input is read as events arrive: the caller sets its rules when the run starts.
    SaverWindow(Clock &clock, std::atomic<bool> &stopRequested, SaverInput &input);

    // Where the window's top-left corner is, in device pixels from the primary monitor's,
    // so that mouse positions in every window are on one plane.
    void SetDeviceOrigin(QPoint origin) { origin_ = origin; }
    // Presents the closing fade; set once the run loop exists.
    void SetExitFade(std::function<void()> exitFade) { exitFade_ = std::move(exitFade); }
    // Takes the capture a capture key asks for; the saver keeps running.
    void SetCapture(std::function<void(InputAction)> capture) { capture_ = std::move(capture); }

    // The close request every ending input makes. The screen locker protects the desktop,
    // so no password is asked before the window may close.
    void CloseSaverWindow();

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;

private:
    void Act(InputAction action);

    Clock &clock_;
    std::atomic<bool> &stopRequested_;
    SaverInput &input_;
    QPoint origin_;
    std::function<void()> exitFade_;
    std::function<void(InputAction)> capture_;
    bool closing_ = false;
};

} // namespace orvex
