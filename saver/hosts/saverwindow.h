// SPDX-License-Identifier: MIT
#pragma once
// The full-screen saver window: frameless, above other windows, no cursor. Keys, mouse
// buttons and large mouse moves ask it to close; an accepted close fades the picture
// out, shows the cursor again and ends the run.

#include "saverinput.h"

#include <QWindow>

#include <atomic>
#include <functional>

namespace orvex {

class Clock;

class SaverWindow final : public QWindow {
public:
    static constexpr const char *kTitle = "ZEVI:Orvex Lumora 3.2";

    SaverWindow(Clock &clock, std::atomic<bool> &stopRequested);

    // Read when the run starts (the settings may change between runs).
    void SetInputRules(SaverInput input) { input_ = input; }
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
    SaverInput input_{false, false};
    std::function<void()> exitFade_;
    std::function<void(InputAction)> capture_;
    bool closing_ = false;
};

} // namespace orvex
