// SPDX-License-Identifier: MIT
#pragma once
// Per-frame presentation: the trail blend (with the colour filter or desktop blend),
// then the blit of the finished frame to the presentation target.

#include "desktopblend.h"
#include "framegeometry.h"
#include "presentationtarget.h"
#include "runmode.h"

#include <cstdint>
#include <span>
#include <vector>

namespace orvex {

class EngineLibrary;
class FrameRateMeter;
class FrameStats;
class OnScreenMessage;
class VideoFrameSink;

// How long the last frame's blend and blit took, in milliseconds.
struct PresentTimes {
    double blendMs = 0;
    double blitMs = 0;
};

// Values that outlive display runs within one process.
struct PresentState {
    int16_t messageDelay = 0;
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

    // Starts a display run: clears the target and allocates the frame buffers (zero): the
    // work and display buffers, and for a target that paces frames to its refresh a third
    // that each frame sent is copied into, kept as it is until the refresh has read it.
    void BeginRun(const FrameGeometry &geometry, DisplayLayout layout);

    // For writing the next frame: waits until the target has read the last one.
    uint32_t *WorkBuffer();
    std::span<const uint32_t> Work() const { return work_; }
    std::span<const uint32_t> Display() const { return display_; }
    const FrameInfoHeader &Header() const { return header_; }
    PresentState &State() { return state_; }
    const PresentTimes &LastTimes() const { return times_; }
    // Frames of this run not sent to a target that paces them: a newer one came before
    // the refresh.
    int64_t FramesSkipped() const { return framesSkipped_; }

    void SetBlendMul(int32_t blendMul) { blendMul_ = blendMul; }
    void SetFilter(int32_t type, uint32_t mask);
    int32_t FilterType() const { return filterType_; }
    uint32_t FilterMask() const { return filterMask_; }
    const FrameGeometry &Geometry() const { return geometry_; }
    // The desktop under the stars (saver mode only): its strength and fade, and the picture
    // taken at the start, bottom-up rows of the rendering width x 3 bytes.
    void SetDesktop(DesktopSettings settings) { desktop_ = settings; }
    void SetDesktopImage(std::vector<uint8_t> bottomUp24) { desktopPicture_.SetImage(std::move(bottomUp24)); }
    // Saver mode: stamped into every frame from the second on; may be null.
    void SetMessage(OnScreenMessage *message) { message_ = message; }
    // Told where each frame's time goes; may be null.
    void SetStats(FrameStats *stats) { stats_ = stats; }
    // Given every frame after its blit while a video is recorded; null records nothing.
    void SetVideoSink(VideoFrameSink *sink) { videoSink_ = sink; }
    // Counts every presented frame; overlay shows its figures over each. Null counts none.
    void SetFrameRateMeter(FrameRateMeter *meter, bool overlay);

    // brightness -1 stands for BlendMul; desktopLevel -1 for the computed level.
    // A fault in any step abandons the rest of this frame only.
    void PresentFrame(int32_t brightness, int32_t desktopLevel);

    // Darkens the picture over a few frames when the saver window closes.
    void ExitFade(int32_t steps, int32_t stepSize);

private:
    void PresentSteps(int32_t brightness, int32_t desktopLevel);
    // Whether this frame goes to the target at its refresh, rather than at once.
    bool PacedFrame() const;
    // Whether this run shows a desktop picture of the frame's size.
    bool DesktopShown() const;
    int32_t DesktopLevel(int32_t requested);
    void StampMessage();
    void Blend(int32_t mul, int32_t level);
    // Where the finished frame goes, and which buffer holds it.
    PixelRect Destination() const;
    const uint32_t *Shown(int32_t level) const;
    // atRefresh: for a target that paces frames, once it takes one.
    void Blit(int32_t level, bool atRefresh);

    EngineLibrary &engine_;
    PresentationTarget &target_;
    FrameGeometry geometry_{};
    DisplayLayout layout_;
    FrameInfoHeader header_;
    PresentState state_;
    PresentTimes times_;
    std::vector<uint32_t> ownMemory_; // the buffers, unless the target provides memory
    std::span<uint32_t> work_;
    std::span<uint32_t> display_;
    bool paced_ = false;          // the target shows at most a frame a refresh
    std::span<uint32_t> refresh_; // the frame it reads at the refresh, where that is later
    int64_t framesSkipped_ = 0;
    int32_t blendMul_ = 97;
    int32_t filterType_ = 0;
    uint32_t filterMask_ = 0;
    DesktopSettings desktop_;
    DesktopPicture desktopPicture_;
    OnScreenMessage *message_ = nullptr;
    FrameStats *stats_ = nullptr;
    VideoFrameSink *videoSink_ = nullptr;
    FrameRateMeter *meter_ = nullptr;
    bool overlay_ = false;
};

} // namespace orvex
