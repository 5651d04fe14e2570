// Number conversions shared by the engine's per-star and per-colour arithmetic.
#ifndef ORVEX_ENGINE_NUMERIC_H
#define ORVEX_ENGINE_NUMERIC_H

#include <cstdint>

namespace orvex::engine {

// Truncates toward zero. A value outside int32 (or NaN) gives INT32_MIN, the value the
// processor's own conversion yields, so an unsigned range test rejects it as off-screen.
inline int32_t TruncToInt32(double value)
{
    if (value > -2147483649.0 && value < 2147483648.0)
        return static_cast<int32_t>(value);
    return INT32_MIN;
}

} // namespace orvex::engine

#endif
