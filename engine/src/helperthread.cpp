#include "helperthread.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace orvex::engine {

namespace {

class Helper {
public:
    Helper() : thread_([this] { Serve(); }) {}
    ~Helper()
    {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        wake_.notify_one();
        thread_.join();
    }

    void Offer(HelperThread::Job job, void *context)
    {
        {
            std::lock_guard lock(mutex_);
            job_ = job;
            context_ = context;
            ++generation_;
            ticket_.store(Ticket(generation_, kOffered));
        }
        wake_.notify_one();
    }

    void Finish()
    {
        uint32_t expected = Ticket(generation_, kOffered);
        if (ticket_.compare_exchange_strong(expected, Ticket(generation_, kKeptByCaller))) {
            job_(context_);
            return;
        }
        for (uint32_t seen = expected; (seen & kStateMask) != kDone; seen = ticket_.load(std::memory_order_acquire))
            ticket_.wait(seen);
    }

private:
    // The ticket is the job's generation and its state, so a helper waking late for an
    // old job cannot take it.
    static constexpr uint32_t kOffered = 0, kTaken = 1, kDone = 2, kKeptByCaller = 3, kStateMask = 3;
    static uint32_t Ticket(uint32_t generation, uint32_t state) { return generation << 2 | state; }

    void Serve()
    {
        uint32_t served = 0;
        for (;;) {
            HelperThread::Job job;
            void *context;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [&] { return generation_ != served || stopping_; });
                if (stopping_)
                    return;
                served = generation_;
                job = job_;
                context = context_;
            }
            uint32_t expected = Ticket(served, kOffered);
            if (!ticket_.compare_exchange_strong(expected, Ticket(served, kTaken)))
                continue; // the caller kept it
            job(context);
            ticket_.store(Ticket(served, kDone), std::memory_order_release);
            ticket_.notify_one();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    HelperThread::Job job_ = nullptr;
    void *context_ = nullptr;
    uint32_t generation_ = 0;
    bool stopping_ = false;
    std::atomic<uint32_t> ticket_{0};
    std::thread thread_; // last: starts once everything above exists
};

Helper &TheHelper()
{
    static Helper helper;
    return helper;
}

} // namespace

void HelperThread::Offer(Job job, void *context)
{
    TheHelper().Offer(job, context);
}

void HelperThread::Finish()
{
    TheHelper().Finish();
}

} // namespace orvex::engine
