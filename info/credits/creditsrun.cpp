// SPDX-License-Identifier: MIT
#include "creditsrun.h"

#include "enginelibrary.h"
#include "guarded.h"
#include "huewheel.h"
#include "numbertext.h"
#include "settingsstore.h"

#include <algorithm>
#include <numbers>

namespace orvex {

namespace {

constexpr int32_t kFloatsPerStar = 8; // x, y, z, vx, vy, vz and two the engine leaves alone
constexpr int32_t kCreditsBlendMul = 96;
constexpr float kStartHuePhase = 1024 * 0.66f * 64; // 43,253.76
constexpr float kStartSwirlAngle = std::numbers::pi_v<float> / 2;
constexpr float kStartVelocityY = 0.005f;
constexpr float kRestartBelowFrameTop = 10;

} // namespace

CreditsSettings ClampedForLoop(CreditsSettings settings)
{
    settings.stars = ClampLong(settings.stars, 10, 2000);
    settings.speed = ClampSingle(settings.speed, 0.0025f, 0.25f);
    settings.scrollStep = ClampSingle(settings.scrollStep, 0.5f, 10.0f);
    return settings;
}

float NextCreditsTop(float top, float creditsHeight, float frameHeight, float step)
{
    if (top < -creditsHeight)
        return frameHeight - kRestartBelowFrameTop;
    return top - step;
}

CreditsRun::CreditsRun(SettingsStore &store, EngineLibrary &engine, int32_t width, int32_t height)
    : target_(width, height), engine_(engine), store_(store),
      loop_(context_, store, engine, clock_, pump_, target_), halfWidth_(width / 2), halfHeight_(height / 2)
{
    context_.runMode = RunMode::DialogPreview;
}

void CreditsRun::Start(const CreditsSettings &settings)
{
    const CreditsSettings clamped = ClampedForLoop(settings);
    stars_ = clamped.stars;
    speed_ = clamped.speed;
    starMotions_.assign(size_t(stars_) * kFloatsPerStar, 0.0f);
    starColours_.assign(size_t(stars_), 0);
    loop_.PrepareRun(false);
    Guarded([&] { loop_.LoadPropsInitDX(); });
    blendMul_ = kCreditsBlendMul;
    loop_.Presenter().SetBlendMul(blendMul_);
    huePhase_ = kStartHuePhase;
    swirlAngle_ = kStartSwirlAngle;
    // The engine places every reborn star from its random table, which is empty until
    // filled: unless a preview ran first, all of them would land outside the picture.
    Guarded([&] { engine_.InitRandomArray(); });
    PlaceStars();
    BuildColourCone();
}

void CreditsRun::PlaceStars()
{
    const int32_t colour = RoundHalfEven(huePhase_);
    for (int32_t i = 0; i < stars_; ++i) {
        float *star = starMotions_.data() + size_t(i) * kFloatsPerStar;
        star[0] = static_cast<float>(2 * context_.random.ProgramRandomUnit() - 1);
        star[1] = static_cast<float>(2 * context_.random.ProgramRandomUnit() - 1);
        star[2] = static_cast<float>(context_.random.ProgramRandomUnit() * 0.9 + 0.1);
        star[4] = kStartVelocityY;
        starColours_[size_t(i)] = colour;
    }
}

void CreditsRun::BuildColourCone()
{
    Guarded([&] {
        colours_.SetWheelSettings(LoadHueWheelSettings(store_));
        colours_.RefreshHueWheel(true, true);
        engine_.CalcHueConeBrightness(colours_.HueWheelTable().data(), colours_.HueConeTable().data(), 1, 100, 0,
                                      100, 90, 0, 0, 0);
    });
}

void CreditsRun::Frame()
{
    FramePresenter &presenter = loop_.Presenter();
    const FrameGeometry &g = loop_.Settings().geometry;
    Guarded([&] {
        engine_.DisplayCreditsLumora(halfWidth_, halfHeight_, g.renderWidth, g.renderWidth, g.yLimit,
                                     presenter.WorkBuffer(), colours_.HueConeTable().data(), stars_,
                                     starMotions_.data(), starColours_.data(), speed_, &huePhase_, &swirlAngle_);
    });
    presenter.PresentFrame(-1, -1);
}

void CreditsRun::LowerBlend()
{
    blendMul_ = std::max(blendMul_ - 1, 0);
    loop_.Presenter().SetBlendMul(blendMul_);
}

void CreditsRun::RaiseBlend()
{
    blendMul_ = std::min(blendMul_ + 1, 100);
    loop_.Presenter().SetBlendMul(blendMul_);
}

int32_t CreditsRun::FrameDelayMs() const
{
    const int32_t delay = loop_.Settings().frameDelayMs;
    return delay >= 1 && delay <= 999 ? delay : 0;
}

} // namespace orvex
