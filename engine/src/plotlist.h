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

class PlotList {
public:
    static constexpr int32_t kCapacity = 200000;

    void Clear() { count_ = 0; }
    void Append(int32_t index, uint32_t colour)
    {
        records_[count_++] = PlotRecord{index, PixelBrightness(colour), colour};
    }
    int32_t Count() const { return count_; }
    const PlotRecord *Records() const { return records_; }

    // Replaces a pixel only when the record is strictly brighter, in list order.
    void PlotInto(uint32_t *base) const { PlotRange(base, 0, count_); }
    void PlotRange(uint32_t *base, int32_t first, int32_t end) const;

    // Lets a caller fill a stretch of the list by index (parallel star steps) and then
    // declare the count.
    PlotRecord *Slots() { return records_; }
    void SetCount(int32_t count) { count_ = count; }

private:
    PlotRecord records_[kCapacity] = {};
    int32_t count_ = 0;
};

inline void PlotList::PlotRange(uint32_t *base, int32_t first, int32_t end) const
{
    // Stars land all over the buffer: fetching pixels a few records ahead hides the misses.
    constexpr int32_t kPrefetchAhead = 24;
    for (int32_t i = first; i < end; ++i) {
        if (i + kPrefetchAhead < end)
            __builtin_prefetch(base + records_[i + kPrefetchAhead].index, 1);
        const PlotRecord &record = records_[i];
        uint32_t &pixel = base[record.index];
        if (PixelBrightness(pixel) < record.brightness)
            pixel = record.colour;
    }
}

} // namespace orvex::engine

#endif
