// SPDX-License-Identifier: MIT
#include "onscreenmessage.h"

#include "clock.h"
#include "enginelibrary.h"
#include "huetopixel.h"
#include "numbertext.h"
#include "settingsstore.h"

#include <algorithm>
#include <cmath>

namespace orvex {

namespace {

constexpr size_t kMaxMessageCharacters = 100;

// The first count characters of UTF-8 text (a character is never split).
std::string FirstCharacters(std::string_view text, size_t count)
{
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i)
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80 && characters++ == count)
            return std::string(text.substr(0, i));
    return std::string(text);
}

std::string MessageLine(std::string_view text)
{
    return FirstCharacters(Trim(text), kMaxMessageCharacters);
}

// Whole minutes left of the countdown, 0 once it has run out (and without one).
int64_t MinutesLeft(const MessageSettings &settings, double elapsedSeconds)
{
    if (settings.countdownMinutes == 0)
        return 0;
    const double remaining = settings.countdownMinutes * 60.0 + 59.0 - std::fabs(elapsedSeconds);
    return std::max<int64_t>(0, static_cast<int64_t>(std::floor(remaining / 60.0)));
}

} // namespace

MessageSettings MessageSettings::Load(const SettingsStore &store)
{
    constexpr std::string_view section = "Advanced";
    MessageSettings s;
    s.text = MessageLine(store.ReadSettingText(section, "LockMessage"));
    s.fontName = store.ReadSettingText(section, "Adv_FontName", "Arial");
    if (s.fontName.empty())
        s.fontName = "Arial";
    s.fontSize = ClampLong(store.ReadSettingLong(section, "Adv_FontSize", 12), 10, 60);
    s.startHue = ClampLong(store.ReadSettingLong(section, "Adv_FontHueV", 180), 0, 359);
    s.hueIncrement = store.ReadSettingLong(section, "Adv_FontHInc", 10);
    s.topRow = store.ReadSettingLong(section, "Adv_FontTOff", 2);
    s.countdownMinutes = store.ReadSettingLong(section, "Adv_CMinutes", 0);
    s.minutesPlaceholder = store.ReadSettingText(section, "Adv_TimeText");
    s.zeroText = store.ReadSettingText(section, "Adv_ZeroText");
    return s;
}

std::string CountdownText(const MessageSettings &settings, double elapsedSeconds)
{
    if (settings.countdownMinutes == 0)
        return settings.text;
    const int64_t minutesLeft = MinutesLeft(settings, elapsedSeconds);
    if (minutesLeft == 0)
        return settings.zeroText;
    const std::string countdown = std::to_string(minutesLeft) + " minute" + (minutesLeft >= 2 ? "s" : "");
    const std::string_view placeholder = Trim(settings.minutesPlaceholder);
    const size_t at = placeholder.empty() ? std::string::npos : settings.text.find(placeholder);
    if (at == std::string::npos)
        return settings.text + " " + countdown;
    return settings.text.substr(0, at) + countdown + settings.text.substr(at + placeholder.size());
}

void OnScreenMessage::Start(MessageSettings settings, int32_t width, int32_t height)
{
    settings_ = std::move(settings);
    // The positions depend on the frame: render again for this run.
    Refit(width, height);
}

void OnScreenMessage::Refit(int32_t width, int32_t height)
{
    width_ = width;
    height_ = height;
    lastText_.reset();
}

void OnScreenMessage::SetText(const std::string &text)
{
    std::string line = MessageLine(text);
    if (line != settings_.text) {
        settings_.text = std::move(line);
        lastText_.reset();
    }
}

void OnScreenMessage::Build()
{
    const double now = clock_.TickCount() * 0.001;
    if (settings_.countdownMinutes != 0 && !messageStart_)
        messageStart_ = now;
    // The text changes at most once a minute: it is built only when the minute does.
    const double elapsed = now - messageStart_.value_or(now);
    const int64_t minutes = MinutesLeft(settings_, elapsed);
    if (lastText_ && minutes == shownMinutes_)
        return;
    shownMinutes_ = minutes;
    std::string text = CountdownText(settings_, elapsed);
    if (text == lastText_)
        return;
    xs_.clear();
    ys_.clear();
    const RenderedText rendered =
        text.empty() ? RenderedText{} : rasteriser_.Render(text, settings_.fontName, settings_.fontSize);
    lastText_ = std::move(text);
    const int32_t left = RoundHalfEven((width_ - rendered.width) * 0.5);
    for (size_t i = 0; i < rendered.xs.size() && xs_.size() < kMaxPixels; ++i) {
        const int32_t x = rendered.xs[i] + left;
        const int64_t row = int64_t(settings_.topRow) + rendered.ys[i];
        if (x >= 0 && x < width_ && row >= 0 && row < height_) {
            xs_.push_back(x);
            ys_.push_back(static_cast<int32_t>(row));
        }
    }
}

void OnScreenMessage::Draw(EngineLibrary &engine, uint32_t *frame)
{
    if (settings_.text.empty())
        return;
    Build();
    if (xs_.empty())
        return;
    if (!messageHue_)
        messageHue_ = settings_.startHue;
    *messageHue_ += settings_.hueIncrement * 0.04;
    // Rows are counted from the frame's top here, so a negative top row stays inside too.
    const uint32_t colour = uint32_t(HueToPixel(RoundHalfEven(*messageHue_) % 360));
    engine.PlotMessage(frame, width_, static_cast<int32_t>(xs_.size()), colour, xs_.data(), ys_.data());
}

} // namespace orvex
