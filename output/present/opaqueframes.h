// SPDX-License-Identifier: MIT
#pragma once
// Passes frames on with their unused fourth byte made opaque. Qt 6.4's Wayland backing
// store hands the compositor buffers with alpha whatever the window's format says, so that
// byte is read as alpha there, and the desktop shows through a frame whose byte is zero.

#include "presentationtarget.h"

#include <vector>

namespace orvex {

class OpaqueFrames final : public PresentationTarget {
public:
    explicit OpaqueFrames(PresentationTarget &target) : target_(target) {}

    int32_t InnerWidth() const override { return target_.InnerWidth(); }
    int32_t InnerHeight() const override { return target_.InnerHeight(); }
    void Resize(int32_t width, int32_t height) override { target_.Resize(width, height); }
    void Clear() override { target_.Clear(); }
    void Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect stretchTo) override;
    void SetOverlayText(const std::string &text) override { target_.SetOverlayText(text); }
    void FinishPresenting() override { target_.FinishPresenting(); }

private:
    PresentationTarget &target_;
    std::vector<uint32_t> opaque_;
};

} // namespace orvex
