// SPDX-License-Identifier: MIT
#pragma once
// The desktop's clipboard through Qt. On X11 a copied image is served by its owner: this
// program keeps it until it exits, a clipboard manager keeps it after that.

#include "clipboard.h"

namespace orvex {

class QtClipboard final : public Clipboard {
public:
    // Does nothing without a QGuiApplication, which owns the clipboard.
    void SetImage(const uint32_t *pixels, int32_t width, int32_t height) override;
};

} // namespace orvex
