// SPDX-License-Identifier: MIT
#pragma once
// One saver frame target made of a target per monitor, for window systems where no
// window may span monitors. Each rectangle the presenter draws is in pixels from the
// primary monitor's top-left corner; it goes to the monitor holding its top-left corner,
// moved into that monitor's own pixels. Everything else goes to every monitor, but frame
// memory: no one monitor's memory could show the frame on all, so the presenter keeps it.

#include "presentationtarget.h"

#include <vector>

namespace orvex {

class MonitorTargets final : public PresentationTarget {
public:
    struct Monitor {
        PixelRect place; // from the primary's top-left corner
        PresentationTarget *target;
    };

    // The first monitor is the primary: it tells the rendering size.
    explicit MonitorTargets(std::vector<Monitor> monitors) : monitors_(std::move(monitors)) {}

    int32_t InnerWidth() const override { return monitors_.front().target->InnerWidth(); }
    int32_t InnerHeight() const override { return monitors_.front().target->InnerHeight(); }
    void Resize(int32_t width, int32_t height) override;
    void Clear() override;
    void Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo) override;
    void SetOverlayText(const std::string &text) override;
    void FinishPresenting() override;
    // Paced when every monitor is: a frame is taken once each can show it.
    bool PacesFrames() const override;
    bool TakesFrame() override;
    void AwaitRefresh() override;
    void PresentAtRefresh(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo) override;

private:
    // The monitor holding the rectangle's top-left corner, with the rectangle in its pixels.
    const Monitor *Holding(PixelRect &rect) const;

    std::vector<Monitor> monitors_;
};

} // namespace orvex
