// SPDX-License-Identifier: MIT
#include "numbertext.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstring>
#include <limits>

namespace orvex {

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

size_t SkipDigits(std::string_view text, size_t i)
{
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

// Length of the longest prefix of text that forms a decimal number: sign, digits,
// point, digits, and an exponent only when digits follow it.
size_t NumberPrefixLength(std::string_view text)
{
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    const size_t integerEnd = SkipDigits(text, i);
    size_t digits = integerEnd - i;
    i = integerEnd;
    if (i < text.size() && text[i] == '.') {
        const size_t fractionEnd = SkipDigits(text, i + 1);
        digits += fractionEnd - (i + 1);
        i = fractionEnd;
    }
    if (digits == 0)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        const size_t exponentEnd = SkipDigits(text, j);
        if (exponentEnd > j)
            i = exponentEnd;
    }
    return i;
}

// Decimal order of magnitude of a well-formed number (floor(log10 |x|), roughly),
// saturated; only its sign matters, to tell overflow from underflow.
long long DecimalOrder(std::string_view number)
{
    const size_t exponentAt = number.find_first_of("eE");
    long long exponent = 0;
    if (exponentAt != std::string_view::npos) {
        std::string_view digits = number.substr(exponentAt + 1);
        const bool negative = !digits.empty() && digits.front() == '-';
        if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
            digits.remove_prefix(1);
        if (std::from_chars(digits.data(), digits.data() + digits.size(), exponent).ec != std::errc())
            exponent = std::numeric_limits<int>::max(); // far beyond any floating-point range
        if (negative)
            exponent = -exponent;
        number = number.substr(0, exponentAt);
    }
    const size_t point = std::min(number.find('.'), number.size());
    const size_t firstNonZero = number.find_first_of("123456789");
    if (firstNonZero == std::string_view::npos)
        return std::numeric_limits<int>::min();
    const long long order = firstNonZero < point ? static_cast<long long>(point - firstNonZero) - 1
                                                 : -static_cast<long long>(firstNonZero - point);
    return order + exponent;
}

// Converts a well-formed number; beyond the type's range the result saturates to its
// largest finite value and below it becomes zero, so stored text never yields inf.
template <typename Real>
Real ParseNumber(std::string_view number)
{
    if (!number.empty() && number.front() == '+')
        number.remove_prefix(1);
    Real value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
    if (result.ec != std::errc::result_out_of_range)
        return value;
    const bool negative = number.front() == '-';
    const Real magnitude = DecimalOrder(number) > 0 ? std::numeric_limits<Real>::max() : Real(0);
    return negative ? -magnitude : magnitude;
}

template <typename Real>
std::optional<Real> WholeNumberAs(std::string_view text)
{
    text = Trim(text);
    const size_t length = NumberPrefixLength(text);
    if (length == 0 || length != text.size())
        return std::nullopt;
    return ParseNumber<Real>(text);
}

bool LocaleUsesDecimalComma()
{
    const std::lconv *conventions = std::localeconv();
    return conventions && std::strcmp(conventions->decimal_point, ",") == 0;
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
    return ParseNumber<double>(text.substr(0, length));
}

double ParseNumberOrZero(std::string_view text)
{
    return LeadingNumber(text).value_or(0.0);
}

std::optional<double> WholeNumber(std::string_view text)
{
    return WholeNumberAs<double>(text);
}

std::optional<float> WholeNumberSingle(std::string_view text)
{
    return WholeNumberAs<float>(text);
}

std::string WithDecimalPoint(std::string_view text)
{
    std::string result(text);
    const size_t comma = result.find(',');
    const bool oneComma = comma != std::string::npos && result.find(',', comma + 1) == std::string::npos;
    if (oneComma && result.find('.') == std::string::npos && LocaleUsesDecimalComma())
        result[comma] = '.';
    return result;
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
    // Fixed notation of the largest float or the smallest subnormal fits well within this.
    char text[64];
    const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    return std::string(text, result.ptr);
}

} // namespace orvex
