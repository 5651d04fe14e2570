#pragma once
// Per-frame presentation: the trail blend (with the colour filter or desktop blend),
// then the blit of the finished frame to the presentation target.

#include "framegeometry.h"
#include "presentationtarget.h"
#include "runmode.h"

#include <cstdint>
#include <vector>

namespace orvex {

class EngineLibrary;

// How long the last frame's blend and blit took, in milliseconds.
struct PresentTimes {
    double blendMs = 0;
    double blitMs = 0;
};

// Values that outlive display runs within one process.
struct PresentState {
    int16_t messageDelay = 0;
    int32_t lastDesktopLevel = 0;
    int32_t desktopFadeFrame = 0;
};

enum class BlendRoutine { DesktopMask, Plain, Filter, None };

// Which engine routine composes the frame: the desktop blend only full screen.
BlendRoutine ChooseBlend(RunMode mode, int32_t desktopLevel, int32_t filterType);
// Whether the blit shows the plain work buffer (else the composed display buffer).
bool BlitShowsWorkBuffer(RunMode mode, int32_t desktopLevel, int32_t filterType);

// How the frame reaches the screen for one display run.
struct DisplayLayout {
    RunMode mode = RunMode::DialogPreview;
    int32_t vertOffset = 0;
    // Saver mode: the frame is stretched over the primary screen at the window's origin,
    // and, when mirrorOnMonitors, the plain frame once more onto each secondary monitor.
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    bool mirrorOnMonitors = false;
    std::vector<PixelRect> secondaryMonitors;
};

class FramePresenter {
public:
    FramePresenter(EngineLibrary &engine, PresentationTarget &target);

    // Starts a display run: clears the target and allocates both frame buffers (zero).
    void BeginRun(const FrameGeometry &geometry, DisplayLayout layout);

    uint32_t *WorkBuffer() { return work_.data(); }
    const std::vector<uint32_t> &Work() const { return work_; }
    const std::vector<uint32_t> &Display() const { return display_; }
    const FrameInfoHeader &Header() const { return header_; }
    PresentState &State() { return state_; }
    const PresentTimes &LastTimes() const { return times_; }

    void SetBlendMul(int32_t blendMul) { blendMul_ = blendMul; }
    void SetFilter(int32_t type, uint32_t mask);

    // brightness -1 stands for BlendMul; desktopLevel -1 for the computed level.
    // A fault in any step abandons the rest of this frame only.
    void PresentFrame(int32_t brightness, int32_t desktopLevel);

    // Darkens the picture over a few frames when the saver window closes.
    void ExitFade(int32_t steps, int32_t stepSize);

private:
    void PresentSteps(int32_t brightness, int32_t desktopLevel);
    void Blend(int32_t mul, int32_t level);
    void Blit(int32_t level);

    EngineLibrary &engine_;
    PresentationTarget &target_;
    FrameGeometry geometry_{};
    DisplayLayout layout_;
    FrameInfoHeader header_;
    PresentState state_;
    PresentTimes times_;
    std::vector<uint32_t> work_;
    std::vector<uint32_t> display_;
    int32_t blendMul_ = 97;
    int32_t filterType_ = 0;
    uint32_t filterMask_ = 0;
};

} // namespace orvex
