// SPDX-License-Identifier: MIT
// A stand-in engine that records the compositing calls it receives.
#include <stdint.h>

namespace {
struct Call {
    int32_t routine; // 1 plain blur, 2 filter blur
    uintptr_t buffer;
    int32_t width, height, mul, offsetA, offsetB, mode;
    uint32_t mask;
};
} // namespace

extern "C" {
__attribute__((visibility("default"))) Call RecordedCalls[64];
__attribute__((visibility("default"))) int32_t RecordedCallCount = 0;

static void Record(Call call)
{
    if (RecordedCallCount < 64)
        RecordedCalls[RecordedCallCount] = call;
    ++RecordedCallCount;
}

__attribute__((visibility("default"))) void InitRandomArray(void) {}

__attribute__((visibility("default"))) void BlendPixelRGB32(uint32_t *buffer, int32_t width, int32_t height,
    int32_t mul, int32_t offsetA, int32_t offsetB)
{
    Record({1, reinterpret_cast<uintptr_t>(buffer), width, height, mul, offsetA, offsetB, 0, 0});
}

__attribute__((visibility("default"))) void BlendPixel32Filter(uint32_t *work, uint32_t *display,
    int32_t width, int32_t height, int32_t mul, int32_t offsetA, int32_t offsetB, int32_t mode, uint32_t mask)
{
    (void)display;
    Record({2, reinterpret_cast<uintptr_t>(work), width, height, mul, offsetA, offsetB, mode, mask});
}
}
