// SPDX-License-Identifier: MIT
// Arbitrary bytes as a template file: every key the program reads is looked up, and the
// values, parsed as a template load parses them, must reach the engine inside its ranges.
#include "cycleranges.h"
#include "numbertext.h"
#include "runtimeproperties.h"
#include "settingdescriptors.h"
#include "templatetext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

using namespace orvex;

double TemplateNumber(const TemplateText &text, std::string_view section, std::string_view key,
                      std::string_view fallback)
{
    const auto value = text.Value(section, key);
    return ParseNumberOrZero(value ? *value : fallback);
}

void Require(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckEngineRanges(const RuntimeProperties &run)
{
    Require(run.stars >= 10 && run.stars <= 99999);
    Require(run.emitPattern >= 0 && run.emitPattern <= 13);
    Require(run.cometControl >= 4 && run.cometControl <= 99);
    Require(run.cometBiasPnt >= 1 && run.cometBiasPnt <= 99);
    Require(run.brightAgeInc >= 0 && run.brightAgeInc <= 64);
    Require(run.locVOff >= 0 && run.locVOff <= 9999);
    for (float value : {run.speed, run.persist, run.gravity, run.cometBiasExp, run.cometBiasSpd, run.cometSplnExp,
                        run.cometSolWind, run.cometScalMul})
        Require(std::isfinite(value) && value >= 0 && value <= 20);
    Require(run.colour.coneBlack >= 0 && run.colour.coneBlack <= 100);
    Require(run.colour.coneBright >= 0 && run.colour.coneBright <= 100);
    Require(run.colour.coneBBias >= 0 && run.colour.coneBBias <= 999);
    Require(run.colour.coneTwist >= -999 && run.colour.coneTwist <= 999);
    Require(run.colour.wedgeFra >= 1 && run.colour.startFra >= 1);
    for (int i = 0; i < kCycleCount; ++i)
        Require(run.cycles.frames[i] >= 1 && std::isfinite(run.cycles.low[i]) && std::isfinite(run.cycles.high[i]));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const TemplateText text(bytes);

    StarPropertySet set;
    for (const SettingDescriptor &descriptor : SettingDescriptors()) {
        const double value = TemplateNumber(text, descriptor.section, descriptor.key, descriptor.factoryDefault);
        if (descriptor.property)
            set.Set(*descriptor.property, value);
    }
    for (int i = 0; i < kCycleCount; ++i) {
        set.cycles.low[i] = ToFloat32(TemplateNumber(text, kSectionCycleProps, CycleKey(i, CyclePart::Min), "0"));
        set.cycles.high[i] = ToFloat32(TemplateNumber(text, kSectionCycleProps, CycleKey(i, CyclePart::Max), "0"));
        set.cycles.frames[i] = RoundHalfEven(TemplateNumber(text, kSectionCycleProps, CycleKey(i, CyclePart::Fra), "0"));
    }
    CheckEngineRanges(ToRuntimeProperties(set));

    // Names taken from the input itself reach the header and key matching too.
    const std::string_view input = bytes;
    (void)text.Value(input.substr(0, 8), input.substr(std::min<size_t>(8, size), 8));
    return 0;
}
