// SPDX-License-Identifier: MIT
// A stand-in engine that records the hue-cone calls it receives and marks the table.
#include <stdint.h>

namespace {
struct ConeCall {
    uintptr_t hueWheel, coneTable;
    int32_t force, coneBright, coneBlack, coneBBias, coneTwist;
    float bubbleLevel, bubbleSpan, bubblePos;
};
} // namespace

extern "C" {
__attribute__((visibility("default"))) ConeCall LastConeCall;
__attribute__((visibility("default"))) int32_t ConeCallCount = 0;

__attribute__((visibility("default"))) void CalcHueConeBrightness(const uint32_t *hueWheel, uint32_t *coneTable,
    int32_t force, int32_t coneBright, int32_t coneBlack, int32_t coneBBias, int32_t coneTwist, float bubbleLevel,
    float bubbleSpan, float bubblePos)
{
    LastConeCall = {reinterpret_cast<uintptr_t>(hueWheel), reinterpret_cast<uintptr_t>(coneTable), force, coneBright,
                    coneBlack, coneBBias, coneTwist, bubbleLevel, bubbleSpan, bubblePos};
    ++ConeCallCount;
    for (int32_t i = 0; i < 65536; ++i)
        coneTable[i] = hueWheel[i / 64];
}
}
