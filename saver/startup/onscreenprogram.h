// SPDX-License-Identifier: MIT
#pragma once
// Every mode that needs the window system: start-up, then the saver, the host preview,
// the -root saver or the settings.

#include "commandline.h"

namespace orvex {

int RunOnScreen(const CommandLine &line, char *programPath);

} // namespace orvex
