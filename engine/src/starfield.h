// The star step of SetBrightLumora, reachable for tests that compare its two schedules.
#ifndef ORVEX_ENGINE_STARFIELD_H
#define ORVEX_ENGINE_STARFIELD_H

#include "starrecords.h"

#include <cstdint>

namespace orvex::engine {

// Moves, re-spawns and plots starCount stars with the current starFrame. With useHelper
// a large field's upper half is moved on the helper thread; the result is the same.
void StepStars(StarState *states, StarMotion *motions, int32_t starCount, bool useHelper);

} // namespace orvex::engine

#endif
