// SPDX-License-Identifier: MIT
#pragma once
// Message text drawn with Qt into an image, then scanned for its lit pixels. A font
// family the system lacks falls back to the default sans font.

#include "onscreenmessage.h"

namespace orvex {

class QtTextRasteriser final : public TextRasteriser {
public:
    RenderedText Render(const std::string &text, const std::string &fontName, int32_t pointSize) override;
};

} // namespace orvex
