// SPDX-License-Identifier: MIT
#include "enginelibrary.h"

#include <dlfcn.h>
#include <link.h>
#include <unistd.h>

namespace orvex {

EngineLibrary::EngineLibrary(std::string fileName, std::vector<std::filesystem::path> searchDirs)
    : fileName_(std::move(fileName)), searchDirs_(std::move(searchDirs))
{
}

EngineLibrary::~EngineLibrary()
{
    if (handle_ != nullptr)
        dlclose(handle_);
}

std::filesystem::path EngineLibrary::ExecutableDir()
{
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : self.parent_path();
}

std::vector<std::filesystem::path> EngineLibrary::DefaultSearchDirs()
{
    const std::filesystem::path exe = ExecutableDir();
    if (exe.empty())
        return {};
    return {exe, (exe / ORVEX_ENGINE_DIR_FROM_PROGRAM).lexically_normal()};
}

std::filesystem::path EngineLibrary::LoadedFile() const
{
    // The loader's own record: a library found on the normal search path has a full name too.
    link_map *map = nullptr;
    if (handle_ == nullptr || dlinfo(handle_, RTLD_DI_LINKMAP, &map) != 0 || map == nullptr)
        return {};
    return map->l_name;
}

void EngineLibrary::Open()
{
    for (const auto &dir : searchDirs_) {
        if (dir.empty())
            continue;
        handle_ = dlopen((dir / fileName_).c_str(), RTLD_NOW | RTLD_LOCAL);
        if (handle_ != nullptr)
            return;
    }
    handle_ = dlopen(fileName_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr)
        throw EngineError("cannot load " + fileName_ + ": " + dlerror());
}

void *EngineLibrary::Symbol(const char *name)
{
    if (handle_ == nullptr)
        Open();
    void *entry = dlsym(handle_, name);
    if (entry == nullptr)
        throw EngineError(fileName_ + " has no entry " + name);
    return entry;
}

void EngineLibrary::InitRandomArray()
{
    Bind(initRandomArray_, "InitRandomArray")();
}

void EngineLibrary::SetBrightLumora(int32_t halfWidth, int32_t halfHeight, int32_t xLimit, int32_t pitch,
    int32_t topMargin, int32_t yLimit, uint32_t *pixels, const uint32_t *colourTable,
    int32_t starCount, int32_t *starStates, float *starMotions,
    const float *pathX, const float *pathY, const float *pathZ,
    float speed, float persist, float hueStart, float gravity, int32_t hueSwing,
    int32_t emitPattern, int32_t locVOff, int32_t brightAgeInc, int32_t biasTableHold,
    int32_t cometControl, int32_t cometBiasPnt, float cometBiasExp, float cometPhase,
    float cometSplnExp, float cometSolWind, float cometScalMul)
{
    Bind(setBrightLumora_, "SetBrightLumora")(halfWidth, halfHeight, xLimit, pitch, topMargin, yLimit,
        pixels, colourTable, starCount, starStates, starMotions, pathX, pathY, pathZ, speed, persist,
        hueStart, gravity, hueSwing, emitPattern, locVOff, brightAgeInc, biasTableHold, cometControl,
        cometBiasPnt, cometBiasExp, cometPhase, cometSplnExp, cometSolWind, cometScalMul);
}

void EngineLibrary::CalcHueConeBrightness(const uint32_t *hueWheel, uint32_t *coneTable, int32_t force,
    int32_t coneBright, int32_t coneBlack, int32_t coneBBias, int32_t coneTwist,
    float bubbleLevel, float bubbleSpan, float bubblePos)
{
    Bind(calcHueConeBrightness_, "CalcHueConeBrightness")(hueWheel, coneTable, force, coneBright,
        coneBlack, coneBBias, coneTwist, bubbleLevel, bubbleSpan, bubblePos);
}

void EngineLibrary::DisplayCreditsLumora(int32_t halfWidth, int32_t halfHeight, int32_t width,
    int32_t pitch, int32_t height, uint32_t *pixels, const uint32_t *colourTable, int32_t starCount,
    float *starMotions, int32_t *starColours, float speed, float *huePhase, float *swirlAngle)
{
    Bind(displayCreditsLumora_, "DisplayCreditsLumora")(halfWidth, halfHeight, width, pitch, height,
        pixels, colourTable, starCount, starMotions, starColours, speed, huePhase, swirlAngle);
}

void EngineLibrary::BlendPixelRGB32(uint32_t *buffer, int32_t width, int32_t height, int32_t mul,
    int32_t offsetA, int32_t offsetB)
{
    Bind(blendPixelRGB32_, "BlendPixelRGB32")(buffer, width, height, mul, offsetA, offsetB);
}

void EngineLibrary::BlendPixel32Filter(uint32_t *work, uint32_t *display, int32_t width, int32_t height,
    int32_t mul, int32_t offsetA, int32_t offsetB, int32_t mode, uint32_t mask)
{
    Bind(blendPixel32Filter_, "BlendPixel32Filter")(work, display, width, height, mul, offsetA, offsetB,
        mode, mask);
}

void EngineLibrary::BlendPixelDeskRGB32Mask(uint32_t *work, const uint8_t *desktop, uint32_t *display,
    int32_t width, int32_t height, int32_t mul, int32_t starMul, int32_t offsetA, int32_t offsetB,
    int32_t mode, uint32_t mask)
{
    Bind(blendPixelDeskRGB32Mask_, "BlendPixelDeskRGB32Mask")(work, desktop, display, width, height, mul,
        starMul, offsetA, offsetB, mode, mask);
}

void EngineLibrary::CopyRGBtoBMP(const uint32_t *work, uint8_t *image, int32_t width, int32_t pitch,
    int32_t rows, int32_t mode, uint32_t mask, int32_t pixelDepth)
{
    Bind(copyRGBtoBMP_, "CopyRGBtoBMP")(work, image, width, pitch, rows, mode, mask, pixelDepth);
}

void EngineLibrary::MultDesktopIntensity(uint8_t *bytes, int32_t count, int32_t intensity)
{
    Bind(multDesktopIntensity_, "MultDesktopIntensity")(bytes, count, intensity);
}

void EngineLibrary::PlotMessage(uint32_t *pixels, int32_t pitch, int32_t count, uint32_t colour,
    const int32_t *xs, const int32_t *ys)
{
    Bind(plotMessage_, "PlotMessage")(pixels, pitch, count, colour, xs, ys);
}

} // namespace orvex
