// SPDX-License-Identifier: MIT
// Number conversions shared by the engine's per-star and per-colour arithmetic.
#ifndef ORVEX_ENGINE_NUMERIC_H
#define ORVEX_ENGINE_NUMERIC_H

#include <cstdint>
#include <emmintrin.h>

namespace orvex::engine {

// Truncates toward zero. A value outside int32 (or NaN) gives INT32_MIN, the value the
// processor's own conversion yields, so an unsigned range test rejects it as off-screen.
inline int32_t TruncToInt32(double value)
{
    return _mm_cvttsd_si32(_mm_set_sd(value)); // no branch to mispredict
}

} // namespace orvex::engine

#endif
