// SPDX-License-Identifier: MIT
#include "programrandomtable.h"

#include "numbertext.h"

#include <chrono>
#include <random>

namespace orvex {

ProgramRandomTable::ProgramRandomTable(std::optional<uint32_t> seed)
{
    const uint32_t effectiveSeed = seed.value_or(static_cast<uint32_t>(
        std::chrono::system_clock::now().time_since_epoch().count()));
    std::mt19937 generator(effectiveSeed);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    for (auto &entry : table_)
        entry = static_cast<int32_t>(unit(generator) * 32767.0);
}

int32_t ProgramRandomTable::Feedback(int &cursor)
{
    const int i = cursor;
    const int next = (i + 1) % kSize;
    table_[i] ^= table_[next];
    cursor = next;
    return table_[i];
}

double ProgramRandomTable::ProgramRandomUnit()
{
    return Feedback(cursorA_) / 32768.0;
}

int16_t ProgramRandomTable::ProgramRandomWord()
{
    return static_cast<int16_t>(Feedback(cursorB_));
}

std::optional<uint32_t> ResolveSeed(std::optional<uint32_t> optionSeed, const char *environmentSeed,
                                    std::ostream &warnings)
{
    if (optionSeed)
        return optionSeed;
    if (environmentSeed == nullptr)
        return std::nullopt;
    const auto number = WholeNumber(environmentSeed);
    if (!number || *number < 0 || *number > 4294967295.0) {
        warnings << "orvex-lumora: ORVEX_SEED=\"" << environmentSeed
                 << "\" is not a whole number from 0 to 4294967295; the seed comes from the clock\n";
        return std::nullopt;
    }
    return static_cast<uint32_t>(*number);
}

} // namespace orvex
