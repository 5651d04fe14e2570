// SPDX-License-Identifier: MIT
#include "cometpaths.h"

#include "programrandomtable.h"

#include <algorithm>
#include <cmath>

namespace orvex {

SpherePoint RandomSpherePoint(double radius, ProgramRandomTable &random)
{
    const double y = (2.0 * random.ProgramRandomUnit() - 1.0) * radius;
    const double rho = std::sqrt(std::max(0.0, radius * radius - y * y));
    const double theta = random.ProgramRandomUnit() * 6.28318530717958;
    return {rho * std::cos(theta), y, rho * std::sin(theta)};
}

float BSplinePoint(double p0, double p1, double p2, double p3, double t)
{
    const double value = ((-p0 + 3 * p1 - 3 * p2 + p3) * t * t * t + (3 * p0 - 6 * p1 + 3 * p2) * t * t
                          + (-3 * p0 + 3 * p2) * t + (p0 + 4 * p1 + p2)) / 6.0;
    return static_cast<float>(value);
}

void CometPaths::NewWayPoint(int row, int point, float radius, ProgramRandomTable &random)
{
    const SpherePoint p = RandomSpherePoint(radius, random);
    const int at = row * Entries() + point;
    wayX_[at] = static_cast<float>(p.x);
    wayY_[at] = static_cast<float>(p.y);
    wayZ_[at] = static_cast<float>(p.z + 1.0);
}

void CometPaths::PathInit(int32_t controlPoints, float radius, ProgramRandomTable &random)
{
    n_ = controlPoints;
    t_ = 0;
    cometPhase_ = 0;
    x_.assign(Entries(), 0.0f);
    y_.assign(Entries(), 0.0f);
    z_.assign(Entries(), 0.0f);
    wayX_.assign(4 * Entries(), 0.0f);
    wayY_.assign(4 * Entries(), 0.0f);
    wayZ_.assign(4 * Entries(), 0.0f);
    for (int i = 0; i < n_; ++i)
        for (int row = 0; row < 4; ++row)
            NewWayPoint(row, i, radius, random);
    RecomputePositions();
}

void CometPaths::PathStep(int32_t stepsPerPoint, float biasSpeed, float radius, ProgramRandomTable &random)
{
    if (stepsPerPoint >= 1)
        t_ += 1.0 / stepsPerPoint;
    cometPhase_ += biasSpeed;
    if (cometPhase_ >= static_cast<float>(n_))
        cometPhase_ -= static_cast<float>(n_);
    if (t_ >= 1.0) {
        t_ -= 1.0;
        const int stride = Entries();
        for (int i = 0; i < stride; ++i) {
            for (int row = 0; row < 3; ++row) {
                wayX_[row * stride + i] = wayX_[(row + 1) * stride + i];
                wayY_[row * stride + i] = wayY_[(row + 1) * stride + i];
                wayZ_[row * stride + i] = wayZ_[(row + 1) * stride + i];
            }
            NewWayPoint(3, i, radius, random);
        }
    }
    RecomputePositions();
}

void CometPaths::RecomputePositions()
{
    const int stride = Entries();
    auto curve = [&](const std::vector<float> &way, int i) {
        return BSplinePoint(way[i], way[stride + i], way[2 * stride + i], way[3 * stride + i], t_);
    };
    for (int i = 0; i < stride; ++i) {
        if (i >= n_) {
            x_[i] = x_[i - n_];
            y_[i] = y_[i - n_];
            z_[i] = z_[i - n_];
        } else {
            x_[i] = curve(wayX_, i);
            y_[i] = curve(wayY_, i);
            z_[i] = curve(wayZ_, i);
        }
    }
}

} // namespace orvex
