// SPDX-License-Identifier: MIT
// Precomputed star life lengths, handed out in turn to reborn stars.
#ifndef ORVEX_ENGINE_LIFETIMERING_H
#define ORVEX_ENGINE_LIFETIMERING_H

#include <cstdint>

namespace orvex::engine {

struct RandomTable;

struct LifetimeRing {
    static constexpr int32_t kSize = 64;
    static constexpr int32_t kRebuildDistance = 32;

    // Rebuilds the ring when the persistence key has moved at least kRebuildDistance
    // from the key it was built for; smaller drifts keep the old lives.
    void Update(int32_t persistKey, RandomTable &random);
    int32_t Take()
    {
        const int32_t life = lives[cursor];
        cursor = (cursor + 1) & (kSize - 1);
        return life;
    }

    int32_t lives[kSize] = {};
    int32_t cursor = 0;
    int32_t key = -64;

private:
    static int32_t DrawLife(int32_t persistKey, RandomTable &random);
};

} // namespace orvex::engine

#endif
