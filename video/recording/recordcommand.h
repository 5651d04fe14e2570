// SPDX-License-Identifier: MIT
#pragma once
// --record: the real frame pipeline into a video file without any window or display,
// for scripts and servers. The same options and seed give the same decoded frames.
// The user's settings are read, never written.

#include "commandline.h"

namespace orvex {

// 0 when the file is complete and in place; 1 with a message on stderr otherwise (any
// earlier file of that name is then left as it was, unless a stop signal ended the run:
// then the file holds the frames written so far).
int RunRecord(const RecordOptions &options);

} // namespace orvex
