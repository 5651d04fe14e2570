// SPDX-License-Identifier: MIT
#include "emitterpattern.h"

#include "randomtable.h"
#include "starrecords.h"

#include <cmath>
#include <numbers>

namespace orvex::engine {

namespace {

enum class EmitterShape { Shell, GlobePoints, GlobeLines, DiskXZ, DiskYZ, DisksAllPlanes };

struct EmitterPattern {
    EmitterShape shape;
    int32_t directions; // N of the globe patterns
    float step;         // 2 pi / N as float32
};

constexpr float GlobeStep(int32_t directions)
{
    return static_cast<float>(2 * std::numbers::pi / directions);
}

constexpr EmitterPattern kPatterns[kEmitterPatternCount] = {
    {EmitterShape::Shell, 0, 0.0f},
    {EmitterShape::GlobePoints, 8, GlobeStep(8)},
    {EmitterShape::GlobePoints, 12, GlobeStep(12)},
    {EmitterShape::GlobePoints, 16, GlobeStep(16)},
    {EmitterShape::GlobePoints, 24, GlobeStep(24)},
    {EmitterShape::GlobePoints, 32, GlobeStep(32)},
    {EmitterShape::GlobeLines, 4, GlobeStep(4)},
    {EmitterShape::GlobeLines, 6, GlobeStep(6)},
    {EmitterShape::GlobeLines, 10, GlobeStep(10)},
    {EmitterShape::GlobeLines, 16, GlobeStep(16)},
    {EmitterShape::GlobeLines, 24, GlobeStep(24)},
    {EmitterShape::DiskXZ, 0, 0.0f},
    {EmitterShape::DiskYZ, 0, 0.0f},
    {EmitterShape::DisksAllPlanes, 0, 0.0f},
};

constexpr float kAnglePerDraw = static_cast<float>(2 * std::numbers::pi / 32768);
constexpr int32_t kHalfDraw = 16384;
constexpr int32_t kDiskXZShare = 10922;

// Which of N directions a 15-bit draw picks.
int32_t Direction(int32_t draw, int32_t directions)
{
    return static_cast<int32_t>(draw * static_cast<double>(directions) / 32768);
}

double UniformHeight(int32_t draw, double spread)
{
    return draw * spread / kHalfDraw - spread;
}

double LatitudeHeight(int32_t direction, float step, double spread)
{
    return std::sin(direction * static_cast<double>(step) + std::numbers::pi / 2) * spread;
}

// Velocity of length spread at height vy and azimuth theta.
void SetOnSphere(double vy, double theta, double spread, StarMotion &star)
{
    const float ring = static_cast<float>(std::sqrt(spread * spread - vy * vy));
    star.vx = static_cast<float>(std::cos(theta) * ring);
    star.vy = static_cast<float>(vy);
    star.vz = static_cast<float>(std::sin(theta) * ring);
}

void EmitGlobeLines(const EmitterPattern &pattern, double spread, RandomTable &random, StarMotion &star)
{
    const int32_t r1 = random.Next();
    const int32_t r2 = random.Next();
    const int32_t r3 = random.Next();
    if (r1 < kHalfDraw) { // a latitude circle
        const double vy = LatitudeHeight(Direction(r2, pattern.directions), pattern.step, spread);
        SetOnSphere(vy, r3 * static_cast<double>(kAnglePerDraw), spread, star);
    } else { // a meridian
        SetOnSphere(UniformHeight(r2, spread), Direction(r3, pattern.directions) * static_cast<double>(pattern.step),
            spread, star);
    }
}

void EmitDisk(EmitterShape shape, double spread, RandomTable &random, StarMotion &star)
{
    const float radius = static_cast<float>(random.Next() * spread / 32768);
    const double theta = random.Next() * static_cast<double>(kAnglePerDraw);
    if (shape == EmitterShape::DisksAllPlanes) {
        if (random.Peek() < kDiskXZShare)
            shape = EmitterShape::DiskXZ;
        else if (random.Peek() < kHalfDraw)
            shape = EmitterShape::DiskYZ;
    }
    const float along = static_cast<float>(std::cos(theta) * radius);
    const float across = static_cast<float>(std::sin(theta) * radius);
    switch (shape) {
    case EmitterShape::DiskXZ:
        star.vx = along, star.vy = 0.0f, star.vz = across;
        break;
    case EmitterShape::DiskYZ:
        star.vx = 0.0f, star.vy = along, star.vz = across;
        break;
    default: // the x-y disk of the all-planes pattern
        star.vx = along, star.vy = across, star.vz = 0.0f;
        break;
    }
}

} // namespace

void EmitVelocity(int32_t pattern, double spread, RandomTable &random, StarMotion &star)
{
    if (pattern < 0 || pattern >= kEmitterPatternCount)
        return;
    const EmitterPattern &chosen = kPatterns[pattern];
    switch (chosen.shape) {
    case EmitterShape::Shell: {
        const double vy = UniformHeight(random.Next(), spread);
        SetOnSphere(vy, random.Next() * static_cast<double>(kAnglePerDraw), spread, star);
        break;
    }
    case EmitterShape::GlobePoints: {
        const double vy = LatitudeHeight(Direction(random.Next(), chosen.directions), chosen.step, spread);
        SetOnSphere(vy, Direction(random.Next(), chosen.directions) * static_cast<double>(chosen.step), spread, star);
        break;
    }
    case EmitterShape::GlobeLines:
        EmitGlobeLines(chosen, spread, random, star);
        break;
    default:
        EmitDisk(chosen.shape, spread, random, star);
        break;
    }
}

} // namespace orvex::engine
