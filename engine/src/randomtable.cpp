// SPDX-License-Identifier: MIT
#include "randomtable.h"

#include "OrvexM6.h"
#include "enginestate.h"

namespace orvex::engine {

namespace {
// initial-exec keeps the state in the static TLS block reserved at load, so a thread's
// first call does not make the dynamic loader allocate a TLS block for the library.
thread_local uint32_t generatorState __attribute__((tls_model("initial-exec"))) = 1;
} // namespace

int32_t NextGeneratorOutput()
{
    generatorState = generatorState * 214013u + 2531011u;
    return static_cast<int32_t>((generatorState >> 16) & 0x7FFF);
}

void RandomTable::Fill()
{
    for (int32_t &entry : entries)
        entry = NextGeneratorOutput();
}

} // namespace orvex::engine

extern "C" void InitRandomArray(void)
{
    orvex::engine::randomTable.Fill();
}
