// SPDX-License-Identifier: MIT
#include "saverinput.h"

#include "settingdescriptors.h"
#include "settingsstore.h"

#include <cmath>
#include <cstdlib>

namespace orvex {

namespace {
constexpr float kLargeMovePixels = 75;
constexpr int32_t kMovesToClose = 4;
constexpr int64_t kMoveWindowMs = 10000;
} // namespace

SaverInput SaverInput::FromSettings(const SettingsStore &store)
{
    return SaverInput(store.ReadSettingText(kSectionAdvanced, "Adv_MouseMove", "0") == "1",
                      store.ReadSettingText(kSectionAdvanced, "Adv_ScreenCapt", "0") == "1");
}

InputAction SaverInput::KeyDown(int key) const
{
    if (captureKeysOn_) {
        switch (key) {
        case kSpaceKey: return InputAction::CopyToClipboard;
        case kDKey: return InputAction::SaveToFileAsWallpaper;
        case kFKey: return InputAction::SaveToFile;
        default: break;
        }
    }
    return InputAction::Close;
}

InputAction SaverInput::KeyPress(char32_t character) const
{
    const bool captureCharacter = character == U' ' || character == U'D' || character == U'd' ||
                                  character == U'F' || character == U'f';
    return captureKeysOn_ && captureCharacter ? InputAction::None : InputAction::Close;
}

InputAction SaverInput::MouseMove(float x, float y, uint32_t tick)
{
    if (ignoreMouseMoves_ || std::hypot(x - moveLastX_, y - moveLastY_) <= kLargeMovePixels)
        return InputAction::None;
    // The window is checked before counting: moves spread over more than ten seconds
    // start a new count instead of ending the run.
    if (moveFirstTick_ != 0 && std::llabs(int64_t(static_cast<int32_t>(tick - moveFirstTick_))) > kMoveWindowMs) {
        moveFirstTick_ = 0;
        moveCount_ = 0;
    }
    if (++moveCount_ == kMovesToClose)
        return InputAction::Close;
    moveLastX_ = x;
    moveLastY_ = y;
    if (moveFirstTick_ == 0)
        moveFirstTick_ = tick;
    return InputAction::None;
}

} // namespace orvex
