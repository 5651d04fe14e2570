// SPDX-License-Identifier: MIT
// The star step of SetBrightLumora, reachable for tests that compare its schedules.
#ifndef ORVEX_ENGINE_STARFIELD_H
#define ORVEX_ENGINE_STARFIELD_H

#include "starrecords.h"

#include <cstdint>

namespace orvex::engine {

// Moves, re-spawns and plots starCount stars with the current starFrame. With useHelper
// a large field's upper half is moved on the helper thread, and with fourAtOnce (which
// needs AVX2) stars move four at a time; the result is the same either way.
void StepStars(StarState *states, StarMotion *motions, int32_t starCount, bool useHelper, bool fourAtOnce);

} // namespace orvex::engine

#endif
