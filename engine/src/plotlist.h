// SPDX-License-Identifier: MIT
// Star pixels collected during an engine call and drawn at its end, brighter wins.
#ifndef ORVEX_ENGINE_PLOTLIST_H
#define ORVEX_ENGINE_PLOTLIST_H

#include <climits>
#include <cstdint>

namespace orvex::engine {

// Blue + green + red for a pixel whose byte 3 is zero; a nonzero byte 3 counts 256-fold.
constexpr int32_t PixelBrightness(uint32_t pixel)
{
    return static_cast<int32_t>(pixel & 0xFF) + static_cast<int32_t>((pixel >> 8) & 0xFF)
        + (static_cast<int32_t>(pixel) >> 16);
}

struct PlotRecord {
    int32_t index;
    int32_t brightness;
    uint32_t colour;
};

// A stretch of the plot list filled in order by one thread. Records below the split
// index fill it from the front, the others from the back, so the two halves of the
// buffer can be plotted apart (and at the same time): a pixel's records stay in order.
class PlotSegment {
public:
    constexpr PlotSegment() = default;
    PlotSegment(PlotRecord *first, int32_t capacity, int32_t splitIndex)
        : first_(first), capacity_(capacity), splitIndex_(splitIndex)
    {
    }

    void Append(int32_t index, uint32_t colour) { AppendIf(true, index, colour); }
    // The record always lands in the next free slot, which stays free unless it is kept.
    void AppendIf(bool kept, int32_t index, uint32_t colour)
    {
        const bool upper = index >= splitIndex_;
        const int32_t slot = upper ? capacity_ - 1 - upperCount_ : lowerCount_;
        first_[slot] = PlotRecord{index, PixelBrightness(colour), colour};
        upperCount_ += kept & upper;
        lowerCount_ += kept & !upper;
    }
    int32_t Count() const { return lowerCount_ + upperCount_; }

    // Replaces a pixel only when the record is strictly brighter, in list order.
    void PlotInto(uint32_t *base) const
    {
        PlotLower(base);
        PlotUpper(base);
    }
    void PlotLower(uint32_t *base) const { Plot(base, first_, lowerCount_, 1); }
    void PlotUpper(uint32_t *base) const { Plot(base, first_ + capacity_ - 1, upperCount_, -1); }

private:
    static void Plot(uint32_t *base, const PlotRecord *record, int32_t count, int32_t direction)
    {
        // Stars land all over the buffer: fetching pixels a few records ahead hides the misses.
        constexpr int32_t kPrefetchAhead = 24;
        for (int32_t i = 0; i < count; ++i, record += direction) {
            if (i + kPrefetchAhead < count)
                __builtin_prefetch(base + record[kPrefetchAhead * direction].index, 1);
            uint32_t &pixel = base[record->index];
            if (PixelBrightness(pixel) < record->brightness)
                pixel = record->colour;
        }
    }

    PlotRecord *first_ = nullptr;
    int32_t capacity_ = 0;
    int32_t splitIndex_ = 0;
    int32_t lowerCount_ = 0;
    int32_t upperCount_ = 0;
};

class PlotList {
public:
    static constexpr int32_t kCapacity = 200000;

    // An empty segment of `capacity` records from record `start`, split at splitIndex.
    PlotSegment Open(int32_t start, int32_t capacity, int32_t splitIndex)
    {
        return PlotSegment(records_ + start, capacity, splitIndex);
    }
    // The whole list as one segment that is not split.
    PlotSegment OpenAll() { return Open(0, kCapacity, INT32_MAX); }

private:
    PlotRecord records_[kCapacity] = {};
};

} // namespace orvex::engine

#endif
