// SPDX-License-Identifier: MIT
#include "themebudget.h"

#include "numbertext.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace orvex {

void ThemeBudget::StartTheme()
{
    themeFrameCount_ = 0;
    fadeCounter_ = 0;
}

bool ThemeBudget::ThemeDue()
{
    if (framesPerTheme_ < 1)
        return false;
    if (themeFrameCount_ < INT32_MAX)
        ++themeFrameCount_;
    return themeFrameCount_ > framesPerTheme_;
}

bool ThemeBudget::ThemeFrameEnd(int32_t stars, int32_t &starsOut)
{
    if (!ThemeDue())
        return false;
    ++fadeCounter_;
    const double share = 0.5 * (1.0 + std::cos(std::numbers::pi * fadeCounter_ / kFadeFrames));
    starsOut = std::max(1, RoundHalfEven(stars * share));
    if (fadeCounter_ >= kFadeFrames) {
        fadeCounter_ = 0;
        starsOut = 0;
        return true;
    }
    return false;
}

} // namespace orvex
