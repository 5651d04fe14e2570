// SPDX-License-Identifier: MIT
// Preloaded to make every thread start fail, as under a tight per-user thread limit.
#include <cerrno>
#include <pthread.h>

extern "C" __attribute__((visibility("default"))) int pthread_create(pthread_t *, const pthread_attr_t *,
                                                                     void *(*)(void *), void *)
{
    return EAGAIN;
}
