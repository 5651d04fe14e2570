// SPDX-License-Identifier: MIT
#include "desktopblend.h"

#include "enginelibrary.h"
#include "numbertext.h"

#include <cmath>
#include <numbers>

namespace orvex {

int32_t NextDesktopLevel(const DesktopSettings &settings, int32_t &fadeFrame)
{
    const double half = settings.percent * 256.0 / 200.0;
    if (settings.frames <= 0)
        return static_cast<int32_t>(std::trunc(settings.percent * 256.0 / 100.0));
    if (fadeFrame <= settings.frames)
        ++fadeFrame;
    // A half cosine from almost the full desktop down to the chosen strength.
    const double amplitude = 127.0 - half;
    const double swing = std::sin(std::numbers::pi * fadeFrame / (settings.frames + 1) + std::numbers::pi / 2);
    return RoundHalfEven(std::trunc(amplitude * swing) + half + 127.0);
}

int32_t ClosingDesktopLevel(int32_t percent, int32_t i, int32_t count)
{
    return RoundHalfEven(255.0 - (100 - percent) * 2.55 * (count - i) / count);
}

void DesktopPicture::SetImage(std::vector<uint8_t> bottomUp24)
{
    image_ = std::move(bottomUp24);
    scaledLevel_ = -1;
}

const std::vector<uint8_t> &DesktopPicture::ScaledTo(int32_t level, EngineLibrary &engine)
{
    if (level != scaledLevel_) {
        scaled_ = image_;
        engine.MultDesktopIntensity(scaled_.data(), static_cast<int32_t>(scaled_.size()), level);
        scaledLevel_ = level;
    }
    return scaled_;
}

} // namespace orvex
