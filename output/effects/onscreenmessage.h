// SPDX-License-Identifier: MIT
#pragma once
// The line of text the full-screen saver stamps near the top of every frame, with an
// optional countdown of minutes. The text is rendered only when it changes (once a minute
// at most); every frame stamps the kept pixel positions in a colour whose hue travels
// round the wheel.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orvex {

class Clock;
class EngineLibrary;
class SettingsStore;

struct MessageSettings {
    std::string text;           // trimmed, at most 100 characters; empty: no message
    std::string fontName = "Arial";
    int32_t fontSize = 12;      // points, 10 .. 60
    int32_t startHue = 180;     // degrees, 0 .. 359
    int32_t hueIncrement = 10;  // the hue moves by this x 0.04 degrees a frame
    int32_t topRow = 2;         // first buffer row of the message
    int32_t countdownMinutes = 0;
    std::string minutesPlaceholder; // replaced by the minutes left inside text
    std::string zeroText;           // shown once the countdown has run out

    static MessageSettings Load(const SettingsStore &store);
};

// "1 minute" or "N minutes", put in place of the placeholder (or after the text), or the
// zero text once no whole minute is left. elapsedSeconds counts from the first showing.
std::string CountdownText(const MessageSettings &settings, double elapsedSeconds);

// The lit pixels of a text rendered in a font: positions relative to the text's top-left.
struct RenderedText {
    int32_t width = 0;
    std::vector<int32_t> xs, ys;
};

class TextRasteriser {
public:
    virtual ~TextRasteriser() = default;
    virtual RenderedText Render(const std::string &text, const std::string &fontName, int32_t pointSize) = 0;
};

class OnScreenMessage {
public:
    static constexpr size_t kMaxPixels = 20000;

    OnScreenMessage(TextRasteriser &rasteriser, Clock &clock) : rasteriser_(rasteriser), clock_(clock) {}

    // For the next display run, whose frames are width x height.
    void Start(MessageSettings settings, int32_t width, int32_t height);

    // The frames became width x height in the middle of a run: the same text, placed anew.
    void Refit(int32_t width, int32_t height);

    // A theme's name shown in place of the stored message.
    void SetText(const std::string &text);

    // Brings the text up to date (re-rendering it when it changed) and stamps it into the
    // frame: only pixels inside the frame are kept, so nothing is written past its edges.
    void Draw(EngineLibrary &engine, uint32_t *frame);

    const std::string &Text() const { return lastText_ ? *lastText_ : settings_.text; }
    size_t PixelCount() const { return xs_.size(); }

private:
    void Build();

    TextRasteriser &rasteriser_;
    Clock &clock_;
    MessageSettings settings_;
    int32_t width_ = 0;
    int32_t height_ = 0;
    // Kept for the life of the process: a new display run carries on where the last ended.
    std::optional<double> messageStart_;
    std::optional<double> messageHue_;
    std::optional<std::string> lastText_; // none: not rendered for this run yet
    int64_t shownMinutes_ = 0;
    std::vector<int32_t> xs_, ys_;
};

} // namespace orvex
