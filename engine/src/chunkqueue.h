// SPDX-License-Identifier: MIT
// The chunks of one job, shared between the calling thread (from the front) and the
// helper thread (from the back).
#ifndef ORVEX_ENGINE_CHUNKQUEUE_H
#define ORVEX_ENGINE_CHUNKQUEUE_H

#include <atomic>
#include <cstdint>

namespace orvex::engine {

class ChunkQueue {
public:
    // Offers chunks [0, count), count below 65,536; only while no chunk of the last job
    // is in flight.
    void Open(int32_t count)
    {
        count_ = count;
        finishedByHelper_.store(0, std::memory_order_relaxed);
        bounds_.store(Bounds(0, count), std::memory_order_release);
    }

    // The caller's chunks come out in ascending order, the helper's in descending order,
    // so the caller always holds a prefix and the helper the rest.
    bool TakeFront(int32_t &chunk) { return Take(chunk, true); }
    bool TakeBack(int32_t &chunk) { return Take(chunk, false); }

    void HelperFinishedOne()
    {
        finishedByHelper_.fetch_add(1, std::memory_order_release);
        finishedByHelper_.notify_one();
    }

    // Once the caller found nothing left to take: waits for the chunks the helper took.
    void WaitForHelper(int32_t takenByCaller)
    {
        const uint32_t takenByHelper = static_cast<uint32_t>(count_ - takenByCaller);
        for (uint32_t done = finishedByHelper_.load(std::memory_order_acquire); done != takenByHelper;
             done = finishedByHelper_.load(std::memory_order_acquire))
            finishedByHelper_.wait(done, std::memory_order_acquire);
    }

private:
    static constexpr uint32_t Bounds(uint32_t front, uint32_t back) { return front << 16 | back; }

    bool Take(int32_t &chunk, bool fromFront)
    {
        uint32_t bounds = bounds_.load(std::memory_order_acquire);
        for (;;) {
            const uint32_t front = bounds >> 16, back = bounds & 0xFFFF;
            if (front >= back)
                return false;
            const uint32_t next = fromFront ? Bounds(front + 1, back) : Bounds(front, back - 1);
            if (bounds_.compare_exchange_weak(bounds, next, std::memory_order_acq_rel, std::memory_order_acquire)) {
                chunk = static_cast<int32_t>(fromFront ? front : back - 1);
                return true;
            }
        }
    }

    std::atomic<uint32_t> bounds_{0};
    std::atomic<uint32_t> finishedByHelper_{0};
    int32_t count_ = 0;
};

} // namespace orvex::engine

#endif
