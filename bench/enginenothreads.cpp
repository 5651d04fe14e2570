// SPDX-License-Identifier: MIT
// Preloaded by the on-screen benchmark: thread starts asked for by the engine library
// fail (as on a machine whose other core is busy), every other thread starts as usual,
// so the saver's window system keeps its own threads.
#include <cerrno>
#include <cstring>
#include <dlfcn.h>
#include <execinfo.h>
#include <pthread.h>

namespace {

bool CalledFromTheEngine()
{
    void *frames[24];
    const int count = backtrace(frames, 24);
    for (int i = 0; i < count; ++i) {
        Dl_info info{};
        if (dladdr(frames[i], &info) != 0 && info.dli_fname != nullptr && std::strstr(info.dli_fname, "libOrvexM6"))
            return true;
    }
    return false;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int pthread_create(pthread_t *thread, const pthread_attr_t *attributes,
                                                                     void *(*start)(void *), void *argument)
{
    using Create = int (*)(pthread_t *, const pthread_attr_t *, void *(*)(void *), void *);
    static const auto next = reinterpret_cast<Create>(dlsym(RTLD_NEXT, "pthread_create"));
    if (CalledFromTheEngine() || next == nullptr)
        return EAGAIN;
    return next(thread, attributes, start, argument);
}
