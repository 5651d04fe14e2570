#include "framepresenter.h"

#include "enginelibrary.h"
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
    work_.assign(pixels, 0u);
    display_.assign(pixels, 0u);
}

void FramePresenter::SetFilter(int32_t type, uint32_t mask)
{
    filterType_ = type;
    filterMask_ = mask;
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

void FramePresenter::PresentSteps(int32_t brightness, [[maybe_unused]] int32_t desktopLevel)
{
    if (brightness == -1)
        brightness = blendMul_;
    // The desktop level only matters once a desktop picture is captured; none is taken yet.
    const int32_t level = 0;
    using Steady = std::chrono::steady_clock;
    const auto start = Steady::now();
    Blend(brightness + 720, level);
    const auto blended = Steady::now();
    Blit(level);
    const auto shown = Steady::now();
    times_.blendMs = std::chrono::duration<double, std::milli>(blended - start).count();
    times_.blitMs = std::chrono::duration<double, std::milli>(shown - blended).count();
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
    case BlendRoutine::DesktopMask:
    case BlendRoutine::None:
        break;
    }
}

void FramePresenter::Blit(int32_t level)
{
    const int32_t width = geometry_.renderWidth;
    const int32_t height = geometry_.renderHeight;
    const bool plain = BlitShowsWorkBuffer(layout_.mode, level, filterType_);
    const uint32_t *source = plain ? work_.data() : display_.data();
    if (layout_.mode != RunMode::Saver) {
        target_.Present(source, width, height, {0, 0, width, height});
        return;
    }
    target_.Present(source, width, height, {0, 0, layout_.screenWidth, layout_.screenHeight});
    if (layout_.mirrorOnMonitors)
        for (const PixelRect &monitor : layout_.secondaryMonitors)
            target_.Present(work_.data(), width, height, monitor);
}

void FramePresenter::ExitFade(int32_t steps, int32_t stepSize)
{
    const int32_t count = int64_t(steps) * stepSize >= 91 ? RoundHalfEven(90.0 / stepSize) : steps;
    for (int32_t i = 1; i <= count; ++i)
        PresentFrame(90 - i * stepSize, -1);
}

} // namespace orvex
