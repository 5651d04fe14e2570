// SPDX-License-Identifier: MIT
#pragma once
// The comet's control points, each wandering on its own uniform cubic B-spline through
// random way points on a sphere centred at (0, 0, 1) in front of the camera.

#include <cstdint>
#include <vector>

namespace orvex {

class ProgramRandomTable;

struct SpherePoint {
    double x, y, z;
};

// A point uniformly distributed over the sphere of the given radius around the origin.
SpherePoint RandomSpherePoint(double radius, ProgramRandomTable &random);

// Uniform cubic B-spline through four points at t in [0, 1].
float BSplinePoint(double p0, double p1, double p2, double p3, double t);

class CometPaths {
public:
    // Sizes the arrays for controlPoints (n) points and picks the first way points.
    void PathInit(int32_t controlPoints, float radius, ProgramRandomTable &random);
    // Moves every point one frame along its path and the bias points along the spline.
    void PathStep(int32_t stepsPerPoint, float biasSpeed, float radius, ProgramRandomTable &random);

    // n + 3 positions; entries n, n + 1, n + 2 repeat entries 0, 1, 2.
    const float *PathX() const { return x_.data(); }
    const float *PathY() const { return y_.data(); }
    const float *PathZ() const { return z_.data(); }
    int32_t ControlPoints() const { return n_; }
    float CometPhase() const { return cometPhase_; }
    double PathT() const { return t_; }

private:
    int Entries() const { return n_ + 3; }
    void NewWayPoint(int row, int point, float radius, ProgramRandomTable &random);
    void RecomputePositions();

    int32_t n_ = 0;
    double t_ = 0;
    float cometPhase_ = 0;
    std::vector<float> x_, y_, z_;
    // Four way points per control point: row r of point i at r * Entries() + i.
    std::vector<float> wayX_, wayY_, wayZ_;
};

} // namespace orvex
