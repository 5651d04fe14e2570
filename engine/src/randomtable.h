// SPDX-License-Identifier: MIT
// The engine's shared random source: a table of 15-bit values walked by three cursors.
#ifndef ORVEX_ENGINE_RANDOMTABLE_H
#define ORVEX_ENGINE_RANDOMTABLE_H

#include <cstdint>

namespace orvex::engine {

struct RandomTable {
    static constexpr int32_t kSize = 16384;
    static constexpr int32_t kMask = kSize - 1;

    // Refills every entry from the calling thread's generator; the cursors stay.
    void Fill();

    // Cursor A: returns the next entry and folds it into the one before (the table drifts).
    int32_t Next() { return Advance(cursorA); }
    // Cursor B: the same feedback step, scaled to [0, 1).
    double NextUnit() { return Advance(cursorB) * 0x1p-15; }
    // Cursor C: reads without feedback.
    int32_t Peek()
    {
        cursorC = (cursorC + 1) & kMask;
        return entries[cursorC];
    }

    int32_t entries[kSize] = {};
    int32_t cursorA = 0;
    int32_t cursorB = 0;
    int32_t cursorC = 0;

private:
    int32_t Advance(int32_t &cursor)
    {
        const int32_t current = cursor;
        const int32_t next = (current + 1) & kMask;
        cursor = next;
        entries[current] ^= entries[next];
        return entries[next];
    }
};

// The C runtime's classic linear congruential step, kept per thread and starting at 1.
int32_t NextGeneratorOutput();

} // namespace orvex::engine

#endif
