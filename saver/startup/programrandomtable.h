// SPDX-License-Identifier: MIT
#pragma once
// The program's own table-driven random source (separate from the engine's table):
// 16,384 values in 0..32766 with two readers, each feeding back into the table.

#include <array>
#include <cstdint>
#include <optional>
#include <ostream>

namespace orvex {

class ProgramRandomTable {
public:
    static constexpr int kSize = 16384;

    // Fills the table from a generator seeded with seed, or from the clock when absent.
    explicit ProgramRandomTable(std::optional<uint32_t> seed = std::nullopt);

    // Reader A: a double in [0, 1).
    double ProgramRandomUnit();
    // Reader B: 0..32767.
    int16_t ProgramRandomWord();

    int32_t Entry(int index) const { return table_[index]; }

private:
    int32_t Feedback(int &cursor);

    std::array<int32_t, kSize> table_{};
    int cursorA_ = 0;
    int cursorB_ = 0;
};

// The seed a run should use: the --seed option wins over ORVEX_SEED; none means the clock.
// An ORVEX_SEED that is no seed is reported on warnings, so a script that meant to fix the
// run learns that it did not.
std::optional<uint32_t> ResolveSeed(std::optional<uint32_t> optionSeed, const char *environmentSeed,
                                    std::ostream &warnings);

} // namespace orvex
