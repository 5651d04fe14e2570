// SPDX-License-Identifier: MIT
// The six per-pixel exports: the three trail blends, the video copy, desktop scaling and
// message stamping.
#include "OrvexM6.h"

#include "colourmask.h"
#include "trailblur.h"

#include <cstddef>

namespace orvex::engine {

namespace {

// Copies final work rows through the mask into the display, columns 1 .. width-2.
struct FilteredCopy {
    const uint32_t *work;
    uint32_t *display;
    int32_t width;
    ColourMask mask;

    void operator()(int32_t firstRow, int32_t endRow) const
    {
        for (int32_t y = firstRow; y < endRow; ++y) {
            const ptrdiff_t row = static_cast<ptrdiff_t>(y) * width;
            for (int32_t x = 1; x < width - 1; ++x)
                display[row + x] = mask.Apply(work[row + x]);
        }
    }
};

// Adds the scaled, masked stars of final work rows onto the 24-bit desktop rows.
struct DesktopBlend {
    const uint32_t *work;
    const uint8_t *desktop; // top row; later rows lie lower in memory
    uint32_t *display;
    int32_t width;
    uint32_t starMul;
    ColourMask mask;

    void operator()(int32_t firstRow, int32_t endRow) const
    {
        for (int32_t y = firstRow; y < endRow; ++y) {
            const ptrdiff_t row = static_cast<ptrdiff_t>(y) * width;
            const uint8_t *desk = desktop - static_cast<ptrdiff_t>(y) * 3 * width;
            for (int32_t x = 1; x < width - 1; ++x)
                display[row + x] = Blend(desk + 3 * x, mask.Apply(work[row + x]));
        }
    }

    // Unsaturated: a byte that overflows carries into the next one.
    uint32_t Blend(const uint8_t *desk, uint32_t star) const
    {
        const uint32_t back = desk[0] | desk[1] << 8 | static_cast<uint32_t>(desk[2]) << 16;
        return (back * 256 + ((star & 0xFFu) * starMul & 0xFF00u) + ((star & 0xFF00u) * starMul & 0xFF0000u)
                   + ((star & 0xFF0000u) * starMul & 0xFF000000u))
            >> 8;
    }
};

BlurGeometry Geometry(uint32_t *buffer, int32_t width, int32_t height, int32_t mul, int32_t offsetA, int32_t offsetB)
{
    return BlurGeometry{buffer, width, height, mul, offsetA, offsetB};
}

} // namespace

} // namespace orvex::engine

using namespace orvex::engine;

extern "C" void BlendPixelRGB32(uint32_t *buffer, int32_t width, int32_t height, int32_t mul,
    int32_t offsetA, int32_t offsetB)
{
    TrailBlur(Geometry(buffer, width, height, mul, offsetA, offsetB), [](int32_t, int32_t) {});
}

extern "C" void BlendPixel32Filter(uint32_t *work, uint32_t *display, int32_t width, int32_t height,
    int32_t mul, int32_t offsetA, int32_t offsetB, int32_t mode, uint32_t mask)
{
    const ColourMask filter{mode == 1 ? MaskMode::And : MaskMode::Xor, mask};
    TrailBlur(Geometry(work, width, height, mul, offsetA, offsetB), FilteredCopy{work, display, width, filter});
}

extern "C" void BlendPixelDeskRGB32Mask(uint32_t *work, const uint8_t *desktop, uint32_t *display,
    int32_t width, int32_t height, int32_t mul, int32_t starMul, int32_t offsetA,
    int32_t offsetB, int32_t mode, uint32_t mask)
{
    const DesktopBlend blend{work, desktop, display, width, static_cast<uint32_t>(starMul),
        ColourMask{static_cast<MaskMode>(mode), mask}};
    TrailBlur(Geometry(work, width, height, mul, offsetA, offsetB), blend);
}

extern "C" void CopyRGBtoBMP(const uint32_t *work, uint8_t *image, int32_t width, int32_t pitch,
    int32_t rows, int32_t mode, uint32_t mask, int32_t pixelDepth)
{
    const ColourMask filter{static_cast<MaskMode>(mode), mask};
    const bool blueFirst = pixelDepth == 32;
    for (int32_t y = 0; y < rows; ++y) {
        const uint32_t *source = work + static_cast<ptrdiff_t>(y) * pitch;
        uint8_t *target = image + static_cast<ptrdiff_t>(rows - 1 - y) * 3 * width;
        for (int32_t x = 0; x < width; ++x, target += 3) {
            const uint32_t pixel = filter.Apply(source[x]);
            const uint8_t blue = pixel & 0xFF, green = (pixel >> 8) & 0xFF, red = (pixel >> 16) & 0xFF;
            target[0] = blueFirst ? blue : red;
            target[1] = green;
            target[2] = blueFirst ? red : blue;
        }
    }
}

extern "C" void MultDesktopIntensity(uint8_t *bytes, int32_t count, int32_t intensity)
{
    const uint32_t scale = static_cast<uint32_t>(intensity);
    for (int32_t i = 0; i < count; ++i)
        bytes[i] = static_cast<uint8_t>((bytes[i] * scale) >> 8);
}

extern "C" void PlotMessage(uint32_t *pixels, int32_t pitch, int32_t count, uint32_t colour,
    const int32_t *xs, const int32_t *ys)
{
    for (int32_t i = 0; i < count; ++i)
        pixels[static_cast<ptrdiff_t>(ys[i]) * pitch + xs[i]] = colour;
}
