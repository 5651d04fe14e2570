// SPDX-License-Identifier: MIT
/* OrvexM6 — the effect engine of Orvex Lumora.
 *
 * Pixels are 32-bit little-endian words: byte 0 blue, byte 1 green, byte 2 red,
 * byte 3 zero. Buffers are rows top first, `pitch` pixels per row.
 * The library keeps only static state (random table, lifetime ring, bias table,
 * plot list), allocates nothing per call (its one helper thread is started on first
 * use), throws nothing and checks no preconditions: callers clamp every value.
 * All exports must be called from one thread at a time.
 */
#ifndef ORVEXM6_H
#define ORVEXM6_H

#include <stdint.h>

#if defined(ORVEXM6_BUILDING)
#define ORVEXM6_API __attribute__((visibility("default")))
#else
#define ORVEXM6_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Refills the 16,384-entry random table from the calling thread's generator; cursors stay.
 * Pre: none. */
ORVEXM6_API void InitRandomArray(void);

/* Advances and plots one frame of the star field; may use a helper thread inside the call.
 * Pre: 0 <= starCount <= 200,000 records in both star arrays; cometControl, cometBiasPnt >= 1; path arrays of cometControl + 3 closed points; 0 <= cometPhase < cometControl; emitPattern 0..13; rows < yLimit and columns < xLimit inside pixels; InitRandomArray called once before. */
ORVEXM6_API void SetBrightLumora(int32_t halfWidth, int32_t halfHeight, int32_t xLimit, int32_t pitch,
    int32_t topMargin, int32_t yLimit, uint32_t *pixels, const uint32_t *colourTable,
    int32_t starCount, int32_t *starStates, float *starMotions,
    const float *pathX, const float *pathY, const float *pathZ,
    float speed, float persist, float hueStart, float gravity, int32_t hueSwing,
    int32_t emitPattern, int32_t locVOff, int32_t brightAgeInc, int32_t biasTableHold,
    int32_t cometControl, int32_t cometBiasPnt, float cometBiasExp, float cometPhase,
    float cometSplnExp, float cometSolWind, float cometScalMul);

/* Fills coneTable (65,536 entries) from hueWheel (1,024); force 1 always rebuilds, else only a moved bubble.
 * Pre: coneBright 0..100, coneBlack 0..100, coneBBias 0..999, coneTwist -999..999. */
ORVEXM6_API void CalcHueConeBrightness(const uint32_t *hueWheel, uint32_t *coneTable, int32_t force,
    int32_t coneBright, int32_t coneBlack, int32_t coneBBias, int32_t coneTwist,
    float bubbleLevel, float bubbleSpan, float bubblePos);

/* One frame of the credits star field; huePhase and swirlAngle are in/out.
 * Pre: 0 <= starCount <= 6,896 records; rows < height and columns < width inside pixels (pitch per row). */
ORVEXM6_API void DisplayCreditsLumora(int32_t halfWidth, int32_t halfHeight, int32_t width, int32_t pitch,
    int32_t height, uint32_t *pixels, const uint32_t *colourTable, int32_t starCount,
    float *starMotions, int32_t *starColours, float speed, float *huePhase, float *swirlAngle);

/* Trail blur in place of rows 1..height-2, columns 1..width-2.
 * Pre: width is the buffer's pitch; offsetA and offsetB (bytes) stay inside the buffer from every blurred row. */
ORVEXM6_API void BlendPixelRGB32(uint32_t *buffer, int32_t width, int32_t height, int32_t mul,
    int32_t offsetA, int32_t offsetB);

/* Trail blur of work plus its copy through the mask (mode 1 AND, else XOR) into display rows 0..height-3.
 * Pre: as BlendPixelRGB32; display has the shape of work. */
ORVEXM6_API void BlendPixel32Filter(uint32_t *work, uint32_t *display, int32_t width, int32_t height,
    int32_t mul, int32_t offsetA, int32_t offsetB, int32_t mode, uint32_t mask);

/* Trail blur of work plus its stars, scaled by starMul / 256 and masked (mode 0 plain, 1 AND, 2 XOR), added onto the desktop into display.
 * Pre: as BlendPixelRGB32; desktop is the top row (last in memory) of height bottom-up rows of 3 * width bytes; starMul 0..255. */
ORVEXM6_API void BlendPixelDeskRGB32Mask(uint32_t *work, const uint8_t *desktop, uint32_t *display,
    int32_t width, int32_t height, int32_t mul, int32_t starMul, int32_t offsetA,
    int32_t offsetB, int32_t mode, uint32_t mask);

/* Converts rows of work into bottom-up 24-bit rows of 3 * width bytes; pixelDepth 32 writes B,G,R, else R,G,B.
 * Pre: work holds rows rows of pitch >= width pixels; image holds rows * 3 * width bytes; mode 0..2. */
ORVEXM6_API void CopyRGBtoBMP(const uint32_t *work, uint8_t *image, int32_t width, int32_t pitch,
    int32_t rows, int32_t mode, uint32_t mask, int32_t pixelDepth);

/* Scales count bytes by intensity / 256, rounding down; count <= 0 does nothing.
 * Pre: intensity 0..255. */
ORVEXM6_API void MultDesktopIntensity(uint8_t *bytes, int32_t count, int32_t intensity);

/* Sets pixels[ys[i] * pitch + xs[i]] = colour for i < count; count <= 0 does nothing.
 * Pre: every coordinate lies inside the buffer. */
ORVEXM6_API void PlotMessage(uint32_t *pixels, int32_t pitch, int32_t count, uint32_t colour,
    const int32_t *xs, const int32_t *ys);

#ifdef __cplusplus
}
#endif

#endif
