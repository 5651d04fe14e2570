// SPDX-License-Identifier: MIT
#include "biastable.h"

#include <cmath>

namespace orvex::engine {

void BiasTable::Rebuild(float exponent)
{
    for (int32_t i = 1; i <= kPairs; ++i) {
        const double weight = std::pow(i / static_cast<double>(kPairs), static_cast<double>(exponent));
        const double half = (1.0 - weight) * 0.5;
        values[2 * (i - 1)] = static_cast<float>(half + 0.5);
        values[2 * (i - 1) + 1] = static_cast<float>(0.5 - half);
    }
}

} // namespace orvex::engine
