// SPDX-License-Identifier: MIT
#include "recordingengine.h"

#include <dlfcn.h>
#include <stdexcept>

namespace orvex::test {

namespace {
void *Entry(const char *name)
{
    void *handle = dlopen((kTestBinDir / "libOrvexRecordingEngine.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (handle == nullptr)
        throw std::runtime_error("recording engine not loaded");
    void *entry = dlsym(handle, name);
    dlclose(handle);
    return entry;
}
} // namespace

RecordedCall *RecordedCalls()
{
    return static_cast<RecordedCall *>(Entry("RecordedCalls"));
}

int32_t &RecordedCallCount()
{
    return *static_cast<int32_t *>(Entry("RecordedCallCount"));
}

} // namespace orvex::test
