// SPDX-License-Identifier: MIT
#include "OrvexM6.h"
#include "emitterpattern.h"
#include "enginestate.h"
#include "starrecords.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

using namespace orvex::engine;

// The emitted velocity of every pattern, over many births.
TEST(EmitterPattern, EachPatternKeepsItsGeometry)
{
    constexpr double a = 0.01;
    const int32_t globeDirections[] = {0, 8, 12, 16, 24, 32, 4, 6, 10, 16, 24};
    InitRandomArray();
    for (int32_t pattern = 0; pattern < kEmitterPatternCount; ++pattern) {
        for (int32_t birth = 0; birth < 400; ++birth) {
            StarMotion star{};
            EmitVelocity(pattern, a, randomTable, star);
            const double speed = std::sqrt(star.vx * star.vx + star.vy * star.vy + star.vz * star.vz);
            if (pattern <= 10) {
                ASSERT_NEAR(speed, a, 1e-6) << pattern;
            } else {
                ASSERT_LE(speed, a * (1 + 1e-6)) << pattern;
            }
            if (pattern >= 1 && pattern <= 10) {
                const int32_t directions = globeDirections[pattern];
                const double step = 2 * std::numbers::pi / directions;
                bool onLatitude = false; // vy is a * cos(k * step) for some k
                for (int32_t k = 0; k < directions; ++k)
                    onLatitude = onLatitude || std::abs(star.vy / a - std::cos(k * step)) < 1e-6;
                const double ring = std::hypot(star.vx, star.vz);
                const double azimuth = std::atan2(star.vz, star.vx) / step;
                // At the poles the ring is a point and has no azimuth.
                const bool onMeridian = ring < 1e-6 * a || std::abs(azimuth - std::round(azimuth)) < 1e-4;
                if (pattern <= 5) {
                    ASSERT_TRUE(onLatitude && onMeridian) << pattern;
                } else {
                    ASSERT_TRUE(onLatitude || onMeridian) << pattern;
                }
            }
            if (pattern == 11) {
                ASSERT_EQ(star.vy, 0.0f);
            } else if (pattern == 12) {
                ASSERT_EQ(star.vx, 0.0f);
            } else if (pattern == 13) {
                ASSERT_TRUE(star.vx == 0.0f || star.vy == 0.0f || star.vz == 0.0f);
            }
        }
    }
    StarMotion kept{0, 0, 0, 1, 2, 3, {0, 0}};
    const int32_t cursor = randomTable.cursorA;
    EmitVelocity(14, a, randomTable, kept);
    EXPECT_EQ(kept.vx, 1.0f);
    EXPECT_EQ(randomTable.cursorA, cursor) << "an unknown pattern draws nothing";
}

} // namespace
