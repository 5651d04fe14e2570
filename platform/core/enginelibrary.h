// SPDX-License-Identifier: MIT
#pragma once
// Run-time binding of the effect engine: the library is opened by file name when the
// first export is called, and each export is looked up by name on its own first call.
// A missing library or entry throws EngineError, which the calling step catches.

#include "OrvexM6.h"

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace orvex {

class EngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EngineLibrary {
public:
    // Looks in each of searchDirs first, then on the normal library search path.
    explicit EngineLibrary(std::string fileName = "libOrvexM6.so",
                           std::vector<std::filesystem::path> searchDirs = DefaultSearchDirs());
    ~EngineLibrary();
    EngineLibrary(const EngineLibrary &) = delete;
    EngineLibrary &operator=(const EngineLibrary &) = delete;

    static std::filesystem::path ExecutableDir();
    // The executable's folder (the build tree), then the engine's private folder of the
    // installed tree, found from the executable's place.
    static std::vector<std::filesystem::path> DefaultSearchDirs();

    // The file the library was loaded from; empty until the first export was called.
    std::filesystem::path LoadedFile() const;

    void InitRandomArray();
    void SetBrightLumora(int32_t halfWidth, int32_t halfHeight, int32_t xLimit, int32_t pitch,
        int32_t topMargin, int32_t yLimit, uint32_t *pixels, const uint32_t *colourTable,
        int32_t starCount, int32_t *starStates, float *starMotions,
        const float *pathX, const float *pathY, const float *pathZ,
        float speed, float persist, float hueStart, float gravity, int32_t hueSwing,
        int32_t emitPattern, int32_t locVOff, int32_t brightAgeInc, int32_t biasTableHold,
        int32_t cometControl, int32_t cometBiasPnt, float cometBiasExp, float cometPhase,
        float cometSplnExp, float cometSolWind, float cometScalMul);
    void CalcHueConeBrightness(const uint32_t *hueWheel, uint32_t *coneTable, int32_t force,
        int32_t coneBright, int32_t coneBlack, int32_t coneBBias, int32_t coneTwist,
        float bubbleLevel, float bubbleSpan, float bubblePos);
    void DisplayCreditsLumora(int32_t halfWidth, int32_t halfHeight, int32_t width, int32_t pitch,
        int32_t height, uint32_t *pixels, const uint32_t *colourTable, int32_t starCount,
        float *starMotions, int32_t *starColours, float speed, float *huePhase, float *swirlAngle);
    void BlendPixelRGB32(uint32_t *buffer, int32_t width, int32_t height, int32_t mul,
        int32_t offsetA, int32_t offsetB);
    void BlendPixel32Filter(uint32_t *work, uint32_t *display, int32_t width, int32_t height,
        int32_t mul, int32_t offsetA, int32_t offsetB, int32_t mode, uint32_t mask);
    void BlendPixelDeskRGB32Mask(uint32_t *work, const uint8_t *desktop, uint32_t *display,
        int32_t width, int32_t height, int32_t mul, int32_t starMul, int32_t offsetA,
        int32_t offsetB, int32_t mode, uint32_t mask);
    void CopyRGBtoBMP(const uint32_t *work, uint8_t *image, int32_t width, int32_t pitch,
        int32_t rows, int32_t mode, uint32_t mask, int32_t pixelDepth);
    void MultDesktopIntensity(uint8_t *bytes, int32_t count, int32_t intensity);
    void PlotMessage(uint32_t *pixels, int32_t pitch, int32_t count, uint32_t colour,
        const int32_t *xs, const int32_t *ys);

private:
    template <typename Fn>
    Fn *Bind(Fn *&slot, const char *name)
    {
        if (slot == nullptr)
            slot = reinterpret_cast<Fn *>(Symbol(name));
        return slot;
    }
    void *Symbol(const char *name);
    void Open();

    std::string fileName_;
    std::vector<std::filesystem::path> searchDirs_;
    void *handle_ = nullptr;

    decltype(::InitRandomArray) *initRandomArray_ = nullptr;
    decltype(::SetBrightLumora) *setBrightLumora_ = nullptr;
    decltype(::CalcHueConeBrightness) *calcHueConeBrightness_ = nullptr;
    decltype(::DisplayCreditsLumora) *displayCreditsLumora_ = nullptr;
    decltype(::BlendPixelRGB32) *blendPixelRGB32_ = nullptr;
    decltype(::BlendPixel32Filter) *blendPixel32Filter_ = nullptr;
    decltype(::BlendPixelDeskRGB32Mask) *blendPixelDeskRGB32Mask_ = nullptr;
    decltype(::CopyRGBtoBMP) *copyRGBtoBMP_ = nullptr;
    decltype(::MultDesktopIntensity) *multDesktopIntensity_ = nullptr;
    decltype(::PlotMessage) *plotMessage_ = nullptr;
};

} // namespace orvex
