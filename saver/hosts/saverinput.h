// SPDX-License-Identifier: MIT
#pragma once
// What the saver window's input does to the run: which keys, buttons and mouse moves end
// it, and which keys take a capture instead while captures are on.

#include <cstdint>

namespace orvex {

class SettingsStore;

enum class InputAction { None, Close, CopyToClipboard, SaveToFileAsWallpaper, SaveToFile };

class SaverInput {
public:
    // Key codes of the capture keys (the same numbers as the window system's key codes).
    static constexpr int kSpaceKey = 32;
    static constexpr int kDKey = 68;
    static constexpr int kFKey = 70;

    SaverInput(bool ignoreMouseMoves, bool captureKeysOn)
        : ignoreMouseMoves_(ignoreMouseMoves), captureKeysOn_(captureKeysOn) {}
    // Adv_MouseMove and Adv_ScreenCapt: each is on exactly when its text is "1".
    static SaverInput FromSettings(const SettingsStore &store);

    InputAction KeyDown(int key) const;
    // A key that produces the character: every character ends the run but a capture key's.
    InputAction KeyPress(char32_t character) const;
    InputAction MouseButton() const { return InputAction::Close; }
    // x, y in pixels of the window; tick from the millisecond clock. The fourth move of
    // more than 75 pixels from the last counted position within 10 seconds ends the run.
    InputAction MouseMove(float x, float y, uint32_t tick);

    int32_t MoveCount() const { return moveCount_; }

private:
    bool ignoreMouseMoves_;
    bool captureKeysOn_;
    int32_t moveCount_ = 0;
    uint32_t moveFirstTick_ = 0;
    float moveLastX_ = 0;
    float moveLastY_ = 0;
};

} // namespace orvex
