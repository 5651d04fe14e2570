// SPDX-License-Identifier: MIT
#pragma once
// Access to the calls recorded by libOrvexRecordingEngine.so, loaded by EngineLibrary.

#include <cstdint>
#include <filesystem>

namespace orvex::test {

struct RecordedCall {
    int32_t routine; // 1 plain blur, 2 filter blur
    uintptr_t buffer;
    int32_t width, height, mul, offsetA, offsetB, mode;
    uint32_t mask;
};

inline const std::filesystem::path kTestBinDir = ORVEX_TEST_BIN_DIR;

// Valid once the library is loaded (after the first engine call through EngineLibrary).
RecordedCall *RecordedCalls();
int32_t &RecordedCallCount();

} // namespace orvex::test
