// SPDX-License-Identifier: MIT
#pragma once
// Values given on the command line (-theme, -delay, -stars) that replace the stored
// settings for one run. Hosts that configure savers by command line (XScreenSaver's
// settings page) pass them on every start, so they are never written back: the settings
// file stays the user's own.

#include <cstdint>
#include <optional>

namespace orvex {

struct RunOverrides {
    // -theme random: a factory theme drawn afresh at every theme change.
    static constexpr int32_t kRandomTheme = -1;

    std::optional<int32_t> theme;        // 0 the stored settings, 1..24 a factory theme, or kRandomTheme
    std::optional<int32_t> frameDelayMs; // 0..999, in place of Adv_TimeDelay
    std::optional<int32_t> stars;        // in place of every theme's star count (clamped as any count)

    bool operator==(const RunOverrides &) const = default;
};

} // namespace orvex
