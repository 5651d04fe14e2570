// SPDX-License-Identifier: MIT
#pragma once
// The headless renderer: runs the real frame pipeline into an offscreen target and
// writes the last frame as a PNG. The same options and seed give the same picture.

#include "commandline.h"

namespace orvex {

// 0 on success; 1 with a message on stderr when the picture cannot be written.
int RunSnapshot(const SnapshotOptions &options);

} // namespace orvex
