// SPDX-License-Identifier: MIT
// DisplayCreditsLumora: the credits window's star field flying toward the viewer, each
// star growing a cross-shaped glow as it comes closer.
#include "OrvexM6.h"

#include "enginestate.h"
#include "numeric.h"
#include "starrecords.h"

#include <cmath>
#include <cstddef>

namespace orvex::engine {

namespace {

struct GlowOffset {
    int8_t dx, dy;
};

// One step of the glow: drawn while the star is closer than `nearerThan`.
struct GlowStep {
    double nearerThan;
    int32_t level;
    int32_t count;
    GlowOffset offsets[4];
};

constexpr GlowStep kGlow[] = {
    {INFINITY, 63, 1, {{0, 0}}},
    {0.9, 45, 2, {{-1, 0}, {1, 0}}},
    {0.8, 45, 2, {{0, -1}, {0, 1}}},
    {0.6, 30, 4, {{-2, 0}, {2, 0}, {0, -2}, {0, 2}}},
    {0.5, 20, 4, {{-4, 0}, {4, 0}, {0, -4}, {0, 4}}},
    {0.4, 15, 4, {{-2, -2}, {-2, 2}, {2, -2}, {2, 2}}},
    {0.3, 10, 4, {{-6, 0}, {6, 0}, {0, -6}, {0, 6}}},
    {0.2, 0, 4, {{-4, -4}, {-4, 4}, {4, -4}, {4, 4}}},
    {0.1, 0, 4, {{-8, 0}, {8, 0}, {0, -8}, {0, 8}}},
};

constexpr float kPhaseStep = 16.0f;
constexpr float kPhaseWrap = 65536.0f;
constexpr float kSwirlStep = 0.0031415927f; // a full turn in 2,000 frames
constexpr float kBirthSpeed = 0.005f;
constexpr float kDrift = -0.000025f;
constexpr int32_t kRandomRebirthAbove = 32701;
constexpr double kClosest = 0.01;
constexpr float kBirthDepth = 0.1f;
constexpr float kFarthest = 0.9f;
constexpr int32_t kRowMask = 0xFFC0;

struct Swirl {
    float birthX, birthY;
    float driftX, driftY;
};

Swirl TurnSwirl(float &angle)
{
    angle = static_cast<float>(angle + static_cast<double>(kSwirlStep));
    const double c = std::cos(angle), s = std::sin(angle);
    return Swirl{static_cast<float>(kBirthSpeed * c), static_cast<float>(kBirthSpeed * s),
        static_cast<float>(kDrift * c), static_cast<float>(kDrift * s)};
}

void Reborn(StarMotion &star, int32_t &colour, const Swirl &swirl, float huePhase, RandomTable &random)
{
    star.x = static_cast<float>(2 * random.NextUnit() - 1);
    star.y = static_cast<float>(2 * random.NextUnit() - 1);
    star.z = static_cast<float>(random.NextUnit() * kBirthDepth + kFarthest);
    star.vx = swirl.birthX;
    star.vy = swirl.birthY;
    colour = TruncToInt32((random.Next() & 63) * 64 + static_cast<double>(huePhase));
}

void AppendGlow(int32_t sx, int32_t sy, double z, int32_t colour, const CreditsGeometry &geometry, PlotSegment &plots)
{
    const uint32_t *row = geometry.colourTable + (colour & kRowMask);
    for (const GlowStep &step : kGlow) {
        if (!(z < step.nearerThan))
            return;
        for (int32_t i = 0; i < step.count; ++i) {
            const int32_t px = sx + step.offsets[i].dx;
            const int32_t py = sy + step.offsets[i].dy;
            if (static_cast<uint32_t>(px) < static_cast<uint32_t>(geometry.columnLimit)
                && static_cast<uint32_t>(py) < static_cast<uint32_t>(geometry.rowLimit))
                plots.Append(py * geometry.pitch + px, row[step.level]);
        }
    }
}

} // namespace

} // namespace orvex::engine

using namespace orvex::engine;

extern "C" void DisplayCreditsLumora(int32_t halfWidth, int32_t halfHeight, int32_t width, int32_t pitch,
    int32_t height, uint32_t *pixels, const uint32_t *colourTable, int32_t starCount,
    float *starMotions, int32_t *starColours, float speed, float *huePhase, float *swirlAngle)
{
    CreditsGeometry &geometry = creditsGeometry;
    geometry = CreditsGeometry{width - 2, height - 2, pitch, colourTable};
    uint32_t *plotBase = pixels + 2 * static_cast<ptrdiff_t>(pitch) + 1;
    PlotSegment plots = plotList.OpenAll();

    *huePhase = *huePhase + kPhaseStep;
    if (*huePhase >= kPhaseWrap)
        *huePhase = *huePhase - kPhaseWrap;
    const Swirl swirl = TurnSwirl(*swirlAngle);
    const float scaleX = static_cast<float>(halfWidth), scaleY = static_cast<float>(halfHeight);

    auto *motions = reinterpret_cast<StarMotion *>(starMotions);
    for (int32_t i = 0; i < starCount; ++i) {
        StarMotion &star = motions[i];
        star.vx = star.vx + swirl.driftX;
        star.vy = star.vy + swirl.driftY;
        star.x = star.x + star.vx;
        star.y = star.y + star.vy;
        star.z = star.z - speed;
        const int32_t draw = randomTable.Next(); // drawn for every star, whatever z says
        if (draw > kRandomRebirthAbove || !(star.z >= kClosest))
            Reborn(star, starColours[i], swirl, *huePhase, randomTable);
        const double w = 1.0 / star.z;
        const int32_t sx = TruncToInt32((w * star.x + 1) * scaleX);
        const int32_t sy = TruncToInt32((w * star.y + 1) * scaleY);
        AppendGlow(sx, sy, star.z, starColours[i], geometry, plots);
    }
    plots.PlotInto(plotBase);
}
