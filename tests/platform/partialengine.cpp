// SPDX-License-Identifier: MIT
// A stand-in engine that exports only InitRandomArray, to exercise missing entries.
#include <stdint.h>

extern "C" {

__attribute__((visibility("default"))) int32_t PartialEngineInitCalls = 0;

__attribute__((visibility("default"))) void InitRandomArray(void)
{
    ++PartialEngineInitCalls;
}
}
