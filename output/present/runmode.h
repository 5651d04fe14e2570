// SPDX-License-Identifier: MIT
#pragma once

#include <cstdint>

namespace orvex {

// Where a display run shows: inside one of the program's own dialogs, full screen,
// or inside the screen-saver host's preview window.
enum class RunMode : int32_t { DialogPreview = 0, Saver = 1, HostPreview = 2 };

} // namespace orvex
