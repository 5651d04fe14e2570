// SPDX-License-Identifier: MIT
// The 14 ways a reborn star is thrown out of the comet spline.
#ifndef ORVEX_ENGINE_EMITTERPATTERN_H
#define ORVEX_ENGINE_EMITTERPATTERN_H

#include <cstdint>

namespace orvex::engine {

struct RandomTable;
struct StarMotion;

constexpr int32_t kEmitterPatternCount = 14;

// Writes the birth velocity for pattern 0..13 with speed spread; any other pattern
// draws nothing and leaves the previous velocity.
void EmitVelocity(int32_t pattern, double spread, RandomTable &random, StarMotion &star);

} // namespace orvex::engine

#endif
