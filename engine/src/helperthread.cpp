// SPDX-License-Identifier: MIT
#include "helperthread.h"

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

    void Wake(HelperThread::Job job, void *context)
    {
        {
            std::lock_guard lock(mutex_);
            job_ = job;
            context_ = context;
            ++wakeCount_;
        }
        wake_.notify_one();
    }

private:
    void Serve()
    {
        uint32_t served = 0;
        std::unique_lock lock(mutex_);
        for (;;) {
            wake_.wait(lock, [&] { return wakeCount_ != served || stopping_; });
            if (stopping_)
                return;
            served = wakeCount_;
            const HelperThread::Job job = job_;
            void *const context = context_;
            lock.unlock();
            job(context);
            lock.lock();
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    HelperThread::Job job_ = nullptr;
    void *context_ = nullptr;
    uint32_t wakeCount_ = 0;
    bool stopping_ = false;
    std::thread thread_; // last: starts once everything above exists
};

} // namespace

namespace {

// One attempt per process: where no thread may be started, the callers simply do all
// the work themselves, and nothing is thrown across the library's C boundary.
Helper *StartHelper() noexcept
{
    try {
        static Helper helper;
        return &helper;
    } catch (...) {
        return nullptr;
    }
}

} // namespace

void HelperThread::Wake(Job job, void *context)
{
    static Helper *const helper = StartHelper();
    if (helper == nullptr)
        return;
    try {
        helper->Wake(job, context);
    } catch (...) {
        // A lock that cannot be taken leaves the job to the caller, like a late helper.
    }
}

} // namespace orvex::engine
