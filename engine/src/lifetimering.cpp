// SPDX-License-Identifier: MIT
#include "lifetimering.h"

#include "randomtable.h"

#include <cstdlib>

namespace orvex::engine {

namespace {
constexpr int32_t kImmortalKey = 32767;
constexpr int32_t kImmortalLife = 1000000;
constexpr int32_t kLongLivedKey = 32735;
constexpr int32_t kLongLifeBase = 1024;
constexpr int32_t kLongLifeMask = 0xFFF;
constexpr int32_t kLongestGeometricLife = 4096;
} // namespace

void LifetimeRing::Update(int32_t persistKey, RandomTable &random)
{
    if (std::llabs(static_cast<int64_t>(persistKey) - key) < kRebuildDistance)
        return;
    key = persistKey;
    for (int32_t &life : lives)
        life = DrawLife(persistKey, random);
}

int32_t LifetimeRing::DrawLife(int32_t persistKey, RandomTable &random)
{
    if (persistKey >= kImmortalKey)
        return kImmortalLife;
    if (persistKey >= kLongLivedKey)
        return (random.Next() & kLongLifeMask) + kLongLifeBase;
    if (persistKey == 0)
        return 1;
    // Geometric life: survive each frame while the draw stays below the key.
    int32_t frames = 1;
    while (random.Next() < persistKey && frames < kLongestGeometricLife)
        ++frames;
    return frames;
}

} // namespace orvex::engine
