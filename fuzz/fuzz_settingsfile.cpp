// SPDX-License-Identifier: MIT
// Arbitrary bytes as a settings file: parsing must never misbehave, whatever it
// understood must survive being written out and read again, value for value, and no
// stored text may read as an infinite or undefined number.
#include "numbertext.h"
#include "regfile.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

bool SameHive(const orvex::RegFile &a, const orvex::RegFile &b)
{
    const auto &left = a.Sections();
    const auto &right = b.Sections();
    if (left.size() != right.size())
        return false;
    for (size_t s = 0; s < left.size(); ++s) {
        if (left[s].path != right[s].path || left[s].values.size() != right[s].values.size())
            return false;
        for (size_t v = 0; v < left[s].values.size(); ++v) {
            const orvex::RegValue &x = left[s].values[v];
            const orvex::RegValue &y = right[s].values[v];
            if (x.name != y.name || x.text != y.text)
                return false;
        }
    }
    return true;
}

bool FiniteOrAbsent(std::optional<double> number)
{
    return !number || std::isfinite(*number);
}

bool ReadsAsFiniteNumbers(const orvex::RegFile &hive)
{
    for (const orvex::RegSection &section : hive.Sections()) {
        for (const orvex::RegValue &value : section.values) {
            const std::optional<float> single = orvex::WholeNumberSingle(value.text);
            if (!FiniteOrAbsent(orvex::WholeNumber(value.text)) || !FiniteOrAbsent(orvex::LeadingNumber(value.text))
                || (single && !std::isfinite(*single)))
                return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const orvex::RegFile parsed = orvex::RegFile::Parse(std::string_view(reinterpret_cast<const char *>(data), size));
    const orvex::RegFile reparsed = orvex::RegFile::Parse(parsed.Serialise());
    if (reparsed.Status() != orvex::RegFile::Health::Clean || !SameHive(parsed, reparsed) || !ReadsAsFiniteNumbers(parsed))
        std::abort();
    return 0;
}
