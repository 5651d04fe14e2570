// SPDX-License-Identifier: MIT
#pragma once
// Counts a theme's frames: after FramesPerTheme frames at full strength, the star count
// fades along a raised cosine over 300 frames and the theme ends.

#include <cstdint>

namespace orvex {

class ThemeBudget {
public:
    static constexpr int32_t kFadeFrames = 300;

    // framesPerTheme < 1 means the theme never ends on its own.
    explicit ThemeBudget(int32_t framesPerTheme = 0) : framesPerTheme_(framesPerTheme) {}

    void SetFramesPerTheme(int32_t framesPerTheme) { framesPerTheme_ = framesPerTheme; }
    void StartTheme();

    // Counts one frame; true once the theme's frames are used up (and from then on).
    bool ThemeDue();
    // Counts one frame and, during the fade, sets starsOut; true when the fade is over
    // (starsOut is then 0).
    bool ThemeFrameEnd(int32_t stars, int32_t &starsOut);

    int32_t FadeCounter() const { return fadeCounter_; }
    int32_t ThemeFrameCount() const { return themeFrameCount_; }

private:
    int32_t framesPerTheme_;
    int32_t themeFrameCount_ = 0;
    int32_t fadeCounter_ = 0;
};

} // namespace orvex
