// SPDX-License-Identifier: MIT
// One persistent helper thread that lets an engine call use the second core.
#ifndef ORVEX_ENGINE_HELPERTHREAD_H
#define ORVEX_ENGINE_HELPERTHREAD_H

namespace orvex::engine {

// Wake(job, context) has the helper run job(context) once, whenever it gets a core. The
// caller never waits for the helper to wake: a job takes its work from a shared queue,
// so on a busy machine the caller simply does all of it, and a helper that wakes late
// finds nothing left. The job must therefore be harmless to run at any later time.
//
// The thread starts on first use (its creation is the only allocation) and then sleeps
// between jobs; waking it allocates nothing. It is joined when the library is unloaded.
// Where the thread cannot be started, Wake does nothing and the callers do all the work.
class HelperThread {
public:
    using Job = void (*)(void *context);

    static void Wake(Job job, void *context);
};

} // namespace orvex::engine

#endif
