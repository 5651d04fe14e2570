// SPDX-License-Identifier: MIT
#pragma once
// The monitors as Qt sees them, in device pixels on the virtual desktop.

#include "presentationtarget.h"

#include <cstddef>
#include <vector>

namespace orvex {

struct ScreenLayout {
    std::vector<PixelRect> screens;
    size_t primary = 0;

    static ScreenLayout FromQt();
};

} // namespace orvex
