// SPDX-License-Identifier: MIT
// What the processor the library runs on offers beyond the x86-64 baseline.
#ifndef ORVEX_ENGINE_PROCESSOR_H
#define ORVEX_ENGINE_PROCESSOR_H

namespace orvex::engine {

inline bool ProcessorHasAvx2()
{
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    return hasAvx2;
}

} // namespace orvex::engine

#endif
