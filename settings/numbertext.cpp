#include "numbertext.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace orvex {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Length of the longest prefix of text that forms a decimal number: sign, digits,
// point, digits, and an exponent only when digits follow it.
size_t NumberPrefixLength(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const size_t expStart = j;
        while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])))
            ++j;
        if (j > expStart)
            i = j;
    }
    return i;
}

double ParsePrefix(std::string_view number)
{
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec == std::errc::result_out_of_range)
        return number.front() == '-' ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
    return value;
}

} // namespace

std::string_view Trim(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::optional<double> LeadingNumber(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    const size_t length = NumberPrefixLength(text);
    if (length == 0)
        return std::nullopt;
    return ParsePrefix(text.substr(0, length));
}

double ParseNumberOrZero(std::string_view text)
{
    return LeadingNumber(text).value_or(0.0);
}

std::optional<double> WholeNumber(std::string_view text)
{
    text = Trim(text);
    const size_t length = NumberPrefixLength(text);
    if (length == 0 || length != text.size())
        return std::nullopt;
    return ParsePrefix(text);
}

int32_t RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(value); // the default mode rounds halves to even
    if (rounded >= 2147483647.0)
        return std::numeric_limits<int32_t>::max();
    if (rounded <= -2147483648.0)
        return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(rounded);
}

float ToFloat32(double value)
{
    if (std::isnan(value))
        return 0.0f;
    constexpr double kMax = std::numeric_limits<float>::max();
    if (value >= kMax)
        return std::numeric_limits<float>::max();
    if (value <= -kMax)
        return -std::numeric_limits<float>::max();
    return static_cast<float>(value);
}

std::string FormatDecimal(float value)
{
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

} // namespace orvex
