// Star pixels collected during an engine call and drawn at its end, brighter wins.
#ifndef ORVEX_ENGINE_PLOTLIST_H
#define ORVEX_ENGINE_PLOTLIST_H

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

// A stretch of the plot list filled in order by one thread.
class PlotSegment {
public:
    constexpr PlotSegment() = default;
    explicit PlotSegment(PlotRecord *first) : first_(first) {}

    void Append(int32_t index, uint32_t colour) { first_[count_++] = PlotRecord{index, PixelBrightness(colour), colour}; }
    int32_t Count() const { return count_; }

    // Replaces a pixel only when the record is strictly brighter, in list order.
    void PlotInto(uint32_t *base) const { PlotWindow(base, INT32_MIN, INT32_MAX); }

    // The same for the records whose index lies in [low, high), so that two threads can
    // plot one list into disjoint parts of a buffer.
    void PlotWindow(uint32_t *base, int32_t low, int32_t high) const
    {
        // Stars land all over the buffer: fetching pixels a few records ahead hides the misses.
        constexpr int32_t kPrefetchAhead = 24;
        for (int32_t i = 0; i < count_; ++i) {
            if (i + kPrefetchAhead < count_) {
                const int32_t ahead = first_[i + kPrefetchAhead].index;
                if (ahead >= low && ahead < high)
                    __builtin_prefetch(base + ahead, 1);
            }
            const PlotRecord &record = first_[i];
            if (record.index < low || record.index >= high)
                continue;
            uint32_t &pixel = base[record.index];
            if (PixelBrightness(pixel) < record.brightness)
                pixel = record.colour;
        }
    }

private:
    PlotRecord *first_ = nullptr;
    int32_t count_ = 0;
};

class PlotList {
public:
    static constexpr int32_t kCapacity = 200000;

    // An empty segment starting at record `start`; an engine call starts at 0.
    PlotSegment Open(int32_t start = 0) { return PlotSegment(records_ + start); }

private:
    PlotRecord records_[kCapacity] = {};
};

} // namespace orvex::engine

#endif
