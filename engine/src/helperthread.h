// One persistent helper thread that lets an engine call use the second core.
#ifndef ORVEX_ENGINE_HELPERTHREAD_H
#define ORVEX_ENGINE_HELPERTHREAD_H

namespace orvex::engine {

// A job is offered to the helper and run exactly once: by the helper if it takes the job
// in time, otherwise by the caller inside Finish(). On a busy machine a helper that is
// not scheduled therefore never holds the caller up.
//
// The thread starts on first use (its creation is the only allocation) and then sleeps
// between jobs; offering a job allocates nothing. Only the engine's one calling thread
// offers jobs, and every engine call finishes its job before it returns.
class HelperThread {
public:
    using Job = void (*)(void *context);

    static void Offer(Job job, void *context);
    // Returns once the offered job has run, here or on the helper.
    static void Finish();
};

} // namespace orvex::engine

#endif
