// SPDX-License-Identifier: MIT
#include "numbertext.h"
#include "settingsstore.h"
#include "tempconfig.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cmath>
#include <limits>
#include <locale>
#include <random>

namespace orvex {
namespace {

constexpr double kDoubleMax = std::numeric_limits<double>::max();
constexpr float kFloatMax = std::numeric_limits<float>::max();

TEST(NumberTextTest, LeadingNumber)
{
    struct Case {
        std::string text;
        std::optional<double> expected;
    };
    const std::vector<Case> cases = {
        {"12.5abc", 12.5}, {"  -3", -3.0}, {"\t+4.", 4.0}, {".25", 0.25}, {"-.5e1x", -5.0},
        {"7e", 7.0}, {"7e+", 7.0}, {"2E-2", 0.02}, {"1,5", 1.0}, {"0x1F", 0.0}, {"1e400", kDoubleMax},
        {"-1e400", -kDoubleMax}, {"1e-400", 0.0}, {"123456789e-999999999999999999999", 0.0},
        {"0.000001e99999999999", kDoubleMax}, {"", std::nullopt}, {"abc", std::nullopt},
        {".", std::nullopt}, {"-", std::nullopt}, {"e5", std::nullopt}, {"\n5", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(LeadingNumber(c.text), c.expected) << '"' << c.text << '"';
    EXPECT_EQ(ParseNumberOrZero("abc"), 0.0);
    EXPECT_EQ(ParseNumberOrZero(" 9x"), 9.0);
}

TEST(NumberTextTest, WholeNumber)
{
    struct Case {
        std::string text;
        std::optional<double> expected;
    };
    const std::vector<Case> cases = {
        {" 42 ", 42.0}, {"\t-0.5\t", -0.5}, {"1e3", 1000.0}, {"3.", 3.0},
        {"12abc", std::nullopt}, {"1 2", std::nullopt}, {"", std::nullopt}, {"  ", std::nullopt},
        {"1e", std::nullopt}, {"1,5", std::nullopt}, {"--1", std::nullopt},
    };
    for (const Case &c : cases)
        EXPECT_EQ(WholeNumber(c.text), c.expected) << '"' << c.text << '"';
    EXPECT_EQ(WholeNumberSingle("1e39"), kFloatMax);
    EXPECT_EQ(WholeNumberSingle("-1e-50"), -0.0f);
    EXPECT_EQ(WholeNumberSingle("x"), std::nullopt);
}

TEST(NumberTextTest, RoundHalfEvenSaturates)
{
    struct Case {
        double value;
        int32_t expected;
    };
    const std::vector<Case> cases = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3},
        {2147483646.5, 2147483646}, {2147483647.4, 2147483647}, {1e300, 2147483647},
        {-2147483648.4, -2147483647 - 1}, {-1e300, -2147483647 - 1}, {std::nan(""), 0},
        {std::numeric_limits<double>::infinity(), 2147483647},
    };
    for (const Case &c : cases)
        EXPECT_EQ(RoundHalfEven(c.value), c.expected) << c.value;
}

TEST(NumberTextTest, ToFloat32StaysFinite)
{
    EXPECT_EQ(ToFloat32(1e300), kFloatMax);
    EXPECT_EQ(ToFloat32(-1e300), -kFloatMax);
    EXPECT_EQ(ToFloat32(std::nan("")), 0.0f);
    EXPECT_EQ(ToFloat32(0.1), 0.1f);
}

TEST(NumberTextTest, FormatDecimalIsShortestAndReadsBackExactly)
{
    EXPECT_EQ(FormatDecimal(0.1f), "0.1");
    EXPECT_EQ(FormatDecimal(-2.0f), "-2");
    EXPECT_EQ(FormatDecimal(1.0f / 3.0f), "0.33333334");
    EXPECT_EQ(FormatDecimal(2.844444513320923f), "2.8444445");
    EXPECT_EQ(FormatDecimal(1e10f), "10000000000");

    std::mt19937 random(7);
    std::uniform_int_distribution<uint32_t> bits;
    int mismatches = 0;
    for (int i = 0; i < 200000; ++i) {
        const float value = std::bit_cast<float>(bits(random));
        if (!std::isfinite(value))
            continue;
        const std::optional<float> back = WholeNumberSingle(FormatDecimal(value));
        mismatches += !back || std::bit_cast<uint32_t>(*back) != std::bit_cast<uint32_t>(value);
    }
    EXPECT_EQ(mismatches, 0);
    for (const float extreme : {kFloatMax, -kFloatMax, std::numeric_limits<float>::denorm_min()})
        EXPECT_EQ(WholeNumberSingle(FormatDecimal(extreme)), extreme);
}

// Runs the test body under a locale whose decimal separator is a comma, as many users have.
class CommaLocaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char *name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "nl_NL.UTF-8"}) {
            if (std::setlocale(LC_ALL, name)) {
                std::locale::global(std::locale(name));
                return;
            }
        }
        GTEST_SKIP() << "no locale with a decimal comma is installed (generate de_DE.UTF-8)";
    }
    void TearDown() override
    {
        std::setlocale(LC_ALL, "C");
        std::locale::global(std::locale::classic());
    }
};

TEST_F(CommaLocaleTest, NumbersKeepThePoint)
{
    ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    EXPECT_EQ(FormatDecimal(0.5f), "0.5");
    EXPECT_EQ(WholeNumber("0.5"), 0.5);
    EXPECT_EQ(LeadingNumber("2.75kg"), 2.75);
    EXPECT_EQ(WithDecimalPoint("0,5"), "0.5");
    EXPECT_EQ(WithDecimalPoint("1.000,5"), "1.000,5");
    EXPECT_EQ(WithDecimalPoint("1,0,5"), "1,0,5");
}

TEST_F(CommaLocaleTest, StoreReadsEitherSeparator)
{
    test::TempConfig config;
    SettingsStore store;
    store.WriteSetting("Lumora", "Point", "0.5");
    store.WriteSetting("Lumora", "Comma", "0,5");
    store.WriteSetting("Lumora", "Long", "3,5");
    store.WriteSetting("Lumora", "Written", 0.25f);
    EXPECT_EQ(store.ReadSettingSingle("Lumora", "Point", 9.0f), 0.5f);
    EXPECT_EQ(store.ReadSettingSingle("Lumora", "Comma", 9.0f), 0.5f);
    EXPECT_EQ(store.ReadSettingLong("Lumora", "Long", 9), 4);
    EXPECT_EQ(store.ReadSettingText("Lumora", "Written"), "0.25");
    EXPECT_EQ(store.ReadSettingSingle("Lumora", "Missing", 1.5f), 1.5f);
}

TEST(PointLocaleTest, CommaIsNotADecimalSeparator)
{
    ASSERT_STREQ(std::localeconv()->decimal_point, ".");
    EXPECT_EQ(WithDecimalPoint("0,5"), "0,5");
}

} // namespace
} // namespace orvex
