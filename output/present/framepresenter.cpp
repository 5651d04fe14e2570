// SPDX-License-Identifier: MIT
#include "framepresenter.h"

#include "enginelibrary.h"
#include "frameratemeter.h"
#include "framestats.h"
#include "onscreenmessage.h"
#include "videoframesink.h"
#include "numbertext.h"

#include <algorithm>
#include <chrono>

namespace orvex {

BlendRoutine ChooseBlend(RunMode mode, int32_t desktopLevel, int32_t filterType)
{
    if (mode == RunMode::Saver && desktopLevel > 0)
        return BlendRoutine::DesktopMask;
    switch (filterType) {
    case 0: return BlendRoutine::Plain;
    case 1:
    case 2: return BlendRoutine::Filter;
    default: return BlendRoutine::None;
    }
}

bool BlitShowsWorkBuffer(RunMode mode, int32_t desktopLevel, int32_t filterType)
{
    if (mode == RunMode::Saver)
        return filterType == 0 && desktopLevel == 0;
    return filterType == 0;
}

FramePresenter::FramePresenter(EngineLibrary &engine, PresentationTarget &target)
    : engine_(engine), target_(target)
{
}

void FramePresenter::BeginRun(const FrameGeometry &geometry, DisplayLayout layout)
{
    geometry_ = geometry;
    layout_ = std::move(layout);
    header_ = MakeFrameInfoHeader(target_.InnerWidth(), geometry.renderHeight);
    target_.Clear();
    const size_t pixels = size_t(geometry.renderWidth) * size_t(geometry.renderHeight);
    work_ = display_ = refresh_ = {};
    ownMemory_ = {};
    framesSkipped_ = 0;
    std::span<uint32_t> memory = target_.FrameMemory(pixels);
    if (memory.size() < 2 * pixels) {
        ownMemory_.assign(2 * pixels, 0u);
        memory = ownMemory_;
    } else {
        std::fill(memory.begin(), memory.end(), 0u);
    }
    paced_ = target_.PacesFrames();
    // The target's memory is read at the refresh: a frame sent waits there meanwhile.
    if (paced_ && memory.size() >= 3 * pixels)
        refresh_ = memory.subspan(2 * pixels, pixels);
    work_ = memory.first(pixels);
    display_ = memory.subspan(pixels, pixels);
}

uint32_t *FramePresenter::WorkBuffer()
{
    target_.FinishPresenting();
    return work_.data();
}

void FramePresenter::SetFilter(int32_t type, uint32_t mask)
{
    filterType_ = type;
    filterMask_ = mask;
}

void FramePresenter::SetFrameRateMeter(FrameRateMeter *meter, bool overlay)
{
    meter_ = meter;
    overlay_ = meter != nullptr && overlay;
    target_.SetOverlayText({});
}

void FramePresenter::PresentFrame(int32_t brightness, int32_t desktopLevel)
{
    if (work_.empty())
        return;
    try {
        PresentSteps(brightness, desktopLevel);
    } catch (...) {
        // The running saver shows nothing and goes on: the next frame starts afresh.
    }
}

bool FramePresenter::PacedFrame() const
{
    // The overlay is drawn over the frame at once, and one window spanning the monitors
    // (X11) takes the monitors' frames beside it at once too.
    return paced_ && !overlay_ && (refresh_.empty() || layout_.secondaryMonitors.empty());
}

void FramePresenter::PresentSteps(int32_t brightness, int32_t desktopLevel)
{
    target_.FinishPresenting();
    if (stats_)
        stats_->FrameStart();
    if (brightness == -1)
        brightness = blendMul_;
    const int32_t level = DesktopLevel(desktopLevel);
    using Steady = std::chrono::steady_clock;
    const auto start = Steady::now();
    Blend(brightness + 720, level);
    StampMessage();
    if (stats_)
        stats_->BlendDone();
    const auto blended = Steady::now();
    if (meter_) {
        meter_->FrameShown(framesSkipped_);
        if (overlay_)
            target_.SetOverlayText(meter_->Text());
    }
    if (!PacedFrame())
        Blit(level, false);
    else if (target_.TakesFrame())
        Blit(level, true);
    else
        ++framesSkipped_;
    if (videoSink_)
        videoSink_->FramePresented(*this);
    const auto shown = Steady::now();
    if (stats_)
        stats_->FrameShown(framesSkipped_);
    times_.blendMs = std::chrono::duration<double, std::milli>(blended - start).count();
    times_.blitMs = std::chrono::duration<double, std::milli>(shown - blended).count();
}

bool FramePresenter::DesktopShown() const
{
    const size_t frameBytes = size_t(geometry_.renderWidth) * size_t(geometry_.renderHeight) * 3;
    return layout_.mode == RunMode::Saver && desktop_.InUse() && desktopPicture_.Size() == frameBytes;
}

int32_t FramePresenter::DesktopLevel(int32_t requested)
{
    // Without a picture of the desktop (none could be taken) the stars show alone.
    if (!DesktopShown())
        return 0;
    return requested != -1 ? requested : NextDesktopLevel(desktop_, state_.desktopFadeFrame);
}

void FramePresenter::StampMessage()
{
    if (layout_.mode != RunMode::Saver)
        return;
    // The first saver frame shows no message.
    if (state_.messageDelay != 1) {
        ++state_.messageDelay;
        return;
    }
    if (message_)
        message_->Draw(engine_, work_.data());
}

void FramePresenter::Blend(int32_t mul, int32_t level)
{
    const int32_t width = geometry_.renderWidth;
    const TrailOffsets t = ComputeTrailOffsets(layout_.vertOffset, width);
    const int32_t firstRow = layout_.vertOffset >= 3 ? t.skipRows : 0;
    const int32_t rows = geometry_.renderHeight - t.skipRows;
    uint32_t *work = work_.data() + size_t(firstRow) * width;
    switch (ChooseBlend(layout_.mode, level, filterType_)) {
    case BlendRoutine::Plain:
        engine_.BlendPixelRGB32(work, width, rows, mul, t.offsetA, t.offsetB);
        break;
    case BlendRoutine::Filter:
        engine_.BlendPixel32Filter(work, display_.data(), width, rows, mul, t.offsetA, t.offsetB,
                                   filterType_, filterMask_);
        break;
    case BlendRoutine::DesktopMask: {
        // The engine walks the bottom-up desktop from its last row in memory, the frame's top.
        const uint8_t *desktopTop = desktopPicture_.ScaledTo(level, engine_).data() + size_t(geometry_.renderHeight - 1) * width * 3;
        engine_.BlendPixelDeskRGB32Mask(work, desktopTop, display_.data(), width, rows, mul, 255 - level, t.offsetA,
                                        t.offsetB, filterType_, filterMask_);
        break;
    }
    case BlendRoutine::None:
        break;
    }
}

PixelRect FramePresenter::Destination() const
{
    if (layout_.mode != RunMode::Saver)
        return {0, 0, geometry_.renderWidth, geometry_.renderHeight};
    return {0, 0, layout_.screenWidth, layout_.screenHeight};
}

const uint32_t *FramePresenter::Shown(int32_t level) const
{
    return BlitShowsWorkBuffer(layout_.mode, level, filterType_) ? work_.data() : display_.data();
}

void FramePresenter::Blit(int32_t level, bool atRefresh)
{
    const int32_t width = geometry_.renderWidth;
    const int32_t height = geometry_.renderHeight;
    const uint32_t *shown = Shown(level);
    if (atRefresh && !refresh_.empty()) {
        // The refresh reads the frame later, from a buffer that nothing writes until then:
        // one copy here lets the next frames go on meanwhile. (Blending straight into it
        // cost the engine's slower filtered pass; the X server's own copy cost more.)
        std::copy(shown, shown + refresh_.size(), refresh_.data());
        shown = refresh_.data();
    }
    const auto present = [&](const uint32_t *frame, PixelRect to) {
        if (atRefresh)
            target_.PresentAtRefresh(frame, width, height, to);
        else
            target_.Present(frame, width, height, to);
    };
    present(shown, Destination());
    if (layout_.mode == RunMode::Saver && layout_.mirrorOnMonitors)
        for (const PixelRect &monitor : layout_.secondaryMonitors)
            present(work_.data(), monitor);
}

void FramePresenter::ExitFade(int32_t steps, int32_t stepSize)
{
    const int32_t count = int64_t(steps) * stepSize >= 91 ? RoundHalfEven(90.0 / stepSize) : steps;
    const bool desktop = DesktopShown();
    for (int32_t i = 1; i <= count; ++i) {
        // Each step of the fade is seen, however fast they come.
        if (PacedFrame())
            target_.AwaitRefresh();
        if (desktop)
            PresentFrame(-1, ClosingDesktopLevel(desktop_.percent, i, count));
        else
            PresentFrame(90 - i * stepSize, -1);
    }
}

} // namespace orvex
