// SPDX-License-Identifier: MIT
#include "screencapture.h"

#include "bmpfile.h"
#include "clipboard.h"
#include "framepresenter.h"
#include "settingsstore.h"
#include "wallpapersetter.h"

#include <algorithm>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

namespace {

constexpr std::string_view kSection = "Advanced";
constexpr std::string_view kKeyIndex = "Adv_ImageBufferIndex";
constexpr std::string_view kKeyMax = "Adv_ImageBufferMax";
constexpr int32_t kDefaultMax = 100;

constexpr int32_t kFilterAnd = 1;
constexpr int32_t kFilterXor = 2;

// The frame as the screen shows it: the mask applies to buffer pixels, as in the
// engine's filter blend, so the capture has the colours of the screen.
CapturedFrame CaptureFrame(const FramePresenter &presenter)
{
    const FrameGeometry &size = presenter.Geometry();
    const std::span<const uint32_t> work = presenter.Work();
    CapturedFrame frame{size.renderWidth, size.renderHeight, {}};
    frame.pixels.assign(work.begin(), work.begin() + ptrdiff_t(frame.width) * frame.height);
    const uint32_t mask = presenter.FilterMask();
    switch (presenter.FilterType()) {
    case kFilterAnd:
        std::ranges::for_each(frame.pixels, [mask](uint32_t &pixel) { pixel &= mask; });
        break;
    case kFilterXor:
        std::ranges::for_each(frame.pixels, [mask](uint32_t &pixel) { pixel ^= mask; });
        break;
    default:
        break;
    }
    return frame;
}

// Before the first display run there is no frame to take.
bool HasFrame(const FramePresenter &presenter)
{
    return !presenter.Work().empty();
}

} // namespace

std::filesystem::path CaptureFileName(const std::filesystem::path &folder, int32_t number)
{
    return folder / ("Orvex_Lumora_ScreenCapture_" + std::to_string(number) + ".bmp");
}

ScreenCapture::ScreenCapture(SettingsStore &store, std::filesystem::path folder, Clipboard &clipboard,
                             WallpaperSetter &wallpaper)
    : store_(store), folder_(std::move(folder)), clipboard_(clipboard), wallpaper_(wallpaper)
{
}

void ScreenCapture::CopyFrameToClipboard(const FramePresenter &presenter)
{
    if (!HasFrame(presenter))
        return;
    try {
        CopyToClipboard(presenter);
    } catch (const std::exception &) {
        // No memory for the copy: the saver goes on without it.
    }
}

bool ScreenCapture::SaveFrameToFile(const FramePresenter &presenter, bool setWallpaper)
{
    if (!HasFrame(presenter))
        return false;
    try {
        const std::filesystem::path file = CaptureFileName(folder_, NextFileNumber());
        const CapturedFrame frame = CopyToClipboard(presenter);
        std::error_code ignored; // a folder that cannot be made fails the write below
        std::filesystem::create_directories(folder_, ignored);
        if (!WriteBmp(file, frame.pixels.data(), frame.width, frame.height))
            return false;
        if (setWallpaper)
            wallpaper_.SetWallpaper(file);
        return true;
    } catch (const std::exception &) {
        return false;
    }
}

CapturedFrame ScreenCapture::CopyToClipboard(const FramePresenter &presenter)
{
    CapturedFrame frame = CaptureFrame(presenter);
    clipboard_.SetImage(frame.pixels.data(), frame.width, frame.height);
    return frame;
}

// An index outside the rotation (a lowered maximum, a hand-edited value) is brought back
// into it, so no file beyond the maximum's number is ever written.
int32_t ScreenCapture::NextFileNumber()
{
    const int32_t count = std::max(1, store_.ReadSettingLong(kSection, kKeyMax, kDefaultMax));
    const int32_t index = std::max(0, unstoredIndex_.value_or(store_.ReadSettingLong(kSection, kKeyIndex, 0))) % count;
    const int32_t next = (index + 1) % count;
    if (store_.WriteSettingIfUnlocked(kSection, kKeyIndex, next))
        unstoredIndex_.reset();
    else
        unstoredIndex_ = next;
    return index + 1;
}

} // namespace orvex
