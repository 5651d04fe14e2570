// SPDX-License-Identifier: MIT
#include "applytheme.h"
#include "factorythemes.h"
#include "numbertext.h"
#include "propsfixture.h"
#include "runtimeproperties.h"
#include "settingdescriptors.h"

namespace orvex::test {
namespace {

// The theme tables as plain numbers, kept apart from the text rows they are checked against.
constexpr double kStarValues[24][16] = {
    {50000, 5000, 0.98, 0, 0, 50, 97, 0, 6, 400, 4, 3000, 250, 25, 5000, 10},
    {40000, 500, 0.995, 0.001, 0, 12, 93, 0, 10, 1000, 80, 20, 10, 0, 500, 10},
    {42000, 0, 0.99, 0, 0, 50, 98, 0, 8, 1000, 5, 15, 10, 0, 50, 10},
    {45000, 0, 0.99, 0, 0, 10, 95, 0, 12, 250, 8, 15, 10, 0, 50, 20},
    {40000, 0, 0.99, 0, 0, 60, 97, 0, 4, 250, 30, 15, 10, 0, 50, 6},
    {50000, 0, 0.99, 0, 0, 10, 97, 0, 14, 2500, 8, 15, 10, 0, 50, 30},
    {40000, 0, 0.99, 0, 0, 25, 94, 0, 8, 400, 7, 100, 0, 0, 0, 10},
    {40000, 500, 0.99, 0, 0, 15, 96, 0, 40, 2000, 99, 10, 10, 0, 0, 10},
    {40000, 500, 0.99, 0, 0, 15, 98, 0, 30, 1000, 30, 10, 50, 0, 0, 15},
    {45000, 0, 0.90, 0, 0, 20, 94, 0, 20, 2000, 80, 0, 10, 50, 20, 25},
    {50000, 0, 0.97, 0, 0, 10, 96, 0, 20, 1250, 99, 0, 10, 25, 25, 70},
    {40000, 0, 0.93, 0, 0, 10, 95, 0, 16, 3000, 10, 0, 5, 250, 25, 25},
    {42000, 0, 0.99, 0, 0, 25, 95, 0, 12, 1500, 8, 15, 10, 0, 50, 15},
    {25000, 500, 0.99, 0, 250, 20, 90, 3, 4, 100, 1, 100, 0, 0, 0, 10},
    {35000, 1000, 0.99, 0, 0, 12, 88, 1, 6, 1600, 10, 0, 10, 100, 100, 10},
    {40000, 160, 0.995, 0, 400, 3, 96, 9, 12, 2000, 6, 8800, 10, 0, 2000, 5},
    {40000, 0, 0.90, 0, 200, 30, 95, 10, 7, 1000, 1, 0, 20, 400, 0, 10},
    {40000, 0, 0.90, 0, 200, 15, 93, 6, 6, 1000, 3, 0, 20, 400, 0, 10},
    {40000, 0, 0.85, 0, 0, 75, 93, 9, 5, 2000, 1, 0, 50, 5000, 0, 18},
    {32000, 0, 0.96, 0, 30, 15, 95, 2, 10, 2000, 6, 0, 10, 2000, 0, 30},
    {12000, 0, 0.90, 0, 30, 50, 96, 9, 12, 2250, 4, 0, 10, 200, 0, 18},
    {32000, 0, 0.90, 0, 30, 12, 92, 2, 8, 1250, 60, 0, 10, 200, 0, 15},
    {42000, 0, 0.99, 0, 30, 16, 93, 6, 10, 2000, 12, 0, 10, 100, 0, 40},
    {35000, 0, 0.90, 0, 50, 3, 95, 8, 6, 2000, 60, 0, 2, 20, 500, 10},
};

// HWC_ConeBright, ConeBlack, ConeBBias, ConeTwist, WedgeMin, WedgeMax, WedgeFra, StartFra,
// StartAng, then StarCycleProps.
constexpr double kColourValues[24][10] = {
    {100, 25, 150, 30, 30, 90, 600, 2400, 210, 1},
    {100, 20, 160, 30, 30, 75, 2400, 4000, 0, 1},
    {85, 20, 160, 30, 20, 60, 3000, 6000, 180, 1},
    {80, 30, 120, 30, 40, 100, 360, 8000, 240, 1},
    {100, 20, 160, 30, 45, 135, 2000, 3000, 240, 1},
    {90, 30, 160, 75, 40, 80, 1200, 1800, 240, 1},
    {75, 20, 160, 30, 45, 75, 360, 8000, 20, 1},
    {100, 35, 240, 45, 30, 60, 900, 9999, 215, 1},
    {100, 30, 200, -30, 30, 45, 600, 4000, 345, 1},
    {100, 30, 200, 30, 30, 125, 900, 4800, 240, 1},
    {100, 30, 150, 30, 40, 145, 1200, 3300, 240, 1},
    {100, 30, 120, 30, 50, 100, 1800, 3000, 15, 1},
    {90, 20, 160, 30, 40, 120, 350, 3000, 240, 1},
    {80, 25, 130, 30, 0, 60, 2400, 4000, 0, 1},
    {100, 20, 140, 30, 15, 45, 3000, 4000, 240, 1},
    {80, 60, 150, 90, 30, 60, 1000, 8000, 200, 1},
    {100, 20, 180, 30, 40, 120, 360, 8000, 240, 1},
    {100, 20, 200, 30, 45, 150, 720, 10000, 315, 1},
    {100, 30, 360, 30, 60, 120, 720, 4800, 210, 1},
    {100, 40, 160, 30, 45, 120, 7200, 2400, 60, 1},
    {100, 20, 160, 30, 120, 240, 720, 4000, 180, 1},
    {100, 20, 160, 30, 50, 100, 2400, 1350, 210, 1},
    {100, 20, 160, 30, 75, 140, 2100, 7200, 210, 1},
    {100, 20, 160, 30, 60, 180, 7200, 12500, 150, 1},
};

// Cycle indexes 0-8, low / high / frames each.
constexpr double kCycleValues[24][27] = {
    {250, 9999, 2400, 0.95, 0.98, 1800, 0, 0, 2400, 100, 100, 6000, 1250, 5000, 1200, 100, 400, 1800, 0, 50, 4800, 5000, 9999, 3600, 0, 0, 3000},
    {500, 1000, 2400, 0.96, 0.99, 1500, 0.01, 0.03, 1800, 100, 100, 6000, 1200, 5000, 6000, 25, 125, 3600, 100, 300, 4000, 0, 1000, 3000, 0, 0, 3000},
    {250, 750, 2400, 0.92, 0.97, 1500, 0.01, 0.03, 1800, 100, 100, 6000, 7500, 9999, 6000, 10, 200, 3600, 0, 0, 8000, 4000, 9800, 3000, 0, 0, 3000},
    {0, 0, 2400, 0.90, 0.92, 6000, 0, 0, 2400, 100, 100, 6000, 4000, 8000, 5000, 25, 100, 3600, 10, 100, 4800, 0, 0, 2400, 0, 0, 3000},
    {250, 9999, 2400, 0.94, 0.99, 2400, 0, 0, 2400, 100, 100, 6000, 25, 1000, 400, 30, 150, 1200, 0, 50, 2400, 5000, 8500, 4000, 0, 0, 3000},
    {0, 0, 2400, 0.94, 0.97, 2400, 0, 0, 2400, 100, 100, 6000, 5000, 8500, 2000, 25, 100, 1200, 50, 100, 1800, 100, 100, 2400, 0, 0, 3000},
    {0, 0, 2400, 0.94, 0.97, 360, 0, 0, 1800, 100, 100, 6000, 1200, 5000, 60, 100, 250, 360, 0, 0, 8000, 4000, 9999, 720, 0, 0, 3000},
    {0, 0, 2400, 0.95, 0.98, 1500, 0, 0, 1800, 100, 100, 6000, 0, 10, 1200, 0, 20, 720, 0, 0, 1000, 6000, 9999, 2000, 0, 0, 3000},
    {0, 1000, 2400, 0.95, 0.98, 1500, 0, 0, 1800, 100, 100, 6000, 75, 250, 500, 25, 75, 360, 0, 0, 1000, 9999, 9999, 2000, 0, 0, 3000},
    {0, 0, 2400, 0.92, 0.98, 1800, 0, 0, 2400, 100, 100, 6000, 0, 0, 2000, 10, 30, 2500, 250, 75, 1800, 10, 50, 5400, 0, 0, 3000},
    {0, 0, 2400, 0.94, 0.98, 1950, 0, 0, 2400, 100, 100, 6000, 0, 0, 2000, 10, 40, 2000, 400, 25, 2050, 0, 250, 3600, 0, 0, 3000},
    {0, 0, 2400, 0.97, 0.92, 2100, 0, 0, 2400, 100, 100, 6000, 0, 0, 2000, 5, 25, 2300, 200, 800, 2200, 25, 100, 2400, 0, 0, 3000},
    {0, 0, 2400, 0.93, 0.97, 1500, 0, 0, 2400, 100, 100, 6000, 7000, 300, 1000, 1000, 0, 975, 0, 0, 1800, 2500, 9999, 720, 0, 0, 3000},
    {250, 500, 2400, 0.95, 0.99, 1500, 0, 0, 1800, 100, 100, 6000, 500, 9999, 6000, 10, 100, 3600, 0, 50, 8000, 0, 1000, 3000, 0, 0, 3000},
    {400, 800, 2400, 0.98, 0.99, 3200, 0, 0, 1800, 100, 100, 6000, 0, 0, 1200, 6, 16, 3600, 50, 150, 4500, 0, 200, 6000, 0, 0, 3000},
    {160, 200, 5000, 0.98, 0.995, 3000, 0, 0, 1800, 100, 100, 6000, 7500, 9000, 5200, 7, 15, 3600, 0, 0, 1200, 2400, 1500, 8000, 400, 400, 3000},
    {0, 0, 2400, 0.87, 1.0, 3000, 0, 0, 2400, 100, 100, 6000, 0, 0, 2400, 15, 30, 3600, 400, 400, 2400, 0, 0, 2400, 200, 200, 3000},
    {125, 800, 2400, 0.75, 1.0, 2750, 0, 0, 2400, 100, 100, 6000, 0, 0, 2400, 8, 32, 4200, 300, 500, 2400, 0, 0, 2400, 250, 175, 3000},
    {0, 0, 2400, 0.75, 0.995, 600, 0, 0, 2400, 100, 100, 6000, 0, 200, 2700, 30, 50, 3600, 9999, 9999, 2400, 0, 0, 2400, 1, 1, 600},
    {0, 0, 2400, 0.90, 0.99, 2000, 0, 0, 2400, 100, 100, 6000, 0, 0, 2400, 25, 0, 2005, 0, 1000, 2010, 0, 0, 2400, 300, 0, 2015},
    {0, 0, 2400, 0, 0, 3200, 0, 0, 2400, 100, 100, 6000, 0, 0, 2400, 4, 8, 4500, 200, 200, 3000, 0, 0, 2400, 150, 200, 1250},
    {0, 0, 2400, 0.80, 0.80, 3200, 0, 0, 2400, 100, 100, 6000, 0, 0, 2400, 3, 7, 3600, 25, 32, 3000, 0, 0, 2400, 100, 200, 900},
    {0, 100, 2400, 0.99, 0.995, 3000, 0, 0, 2400, 100, 100, 6000, 0, 0, 2400, 3, 7, 3600, 200, 500, 3010, 0, 0, 2400, 0, 0, 1250},
    {0, 0, 2400, 0.0, 0.998, 120, 0, 0, 2400, 100, 100, 6000, 0, 0, 2400, 1, 3, 4500, 15, 15, 3000, 1000, 500, 2110, 20, 200, 2100},
};

double ExpectedField(int theme, int field)
{
    if (field < 16)
        return kStarValues[theme][field];
    if (field >= 20 && field <= 23)
        return kColourValues[theme][field - 20];
    if (field >= 25 && field <= 30)
        return kColourValues[theme][field - 21];
    return kCycleValues[theme][field - 31];
}

TEST(FactoryThemes, EveryFieldOfEveryRowHoldsItsTableValue)
{
    for (int theme = 1; theme <= kFactoryThemeCount; ++theme) {
        const std::string_view row = GetFactoryThemeRow(theme);
        for (int field = 0; field < kThemeRowFieldCount; ++field) {
            SCOPED_TRACE(testing::Message() << "theme " << theme << " field " << field);
            const std::string_view text = GetRowField(row, field);
            if ((field >= 16 && field <= 19) || field == 24) {
                EXPECT_EQ(text, "");
                continue;
            }
            const auto number = WholeNumber(text);
            ASSERT_TRUE(number.has_value()) << "'" << text << "'";
            EXPECT_DOUBLE_EQ(*number, ExpectedField(theme - 1, field));
        }
    }
}

TEST(FactoryThemes, RowsHaveTheFixedLayout)
{
    for (int theme = 1; theme <= kFactoryThemeCount; ++theme) {
        const std::string_view row = GetFactoryThemeRow(theme);
        EXPECT_EQ(std::count(row.begin(), row.end(), ','), kThemeRowFieldCount) << theme;
        EXPECT_TRUE(row.ends_with(", ")) << theme;
        EXPECT_EQ(GetRowField(row, kThemeRowFieldCount), "") << "the element after the last field is empty";
    }
    EXPECT_EQ(GetFactoryThemeRow(0), "");
    EXPECT_EQ(GetFactoryThemeRow(25), "");
}

TEST(FactoryThemes, RowFieldsAreTrimmedAndMissingFieldsEmpty)
{
    EXPECT_EQ(GetRowField("  12,  abc def ,,-0.5, ", 0), "12");
    EXPECT_EQ(GetRowField("  12,  abc def ,,-0.5, ", 1), "abc def");
    EXPECT_EQ(GetRowField("  12,  abc def ,,-0.5, ", 2), "");
    EXPECT_EQ(GetRowField("  12,  abc def ,,-0.5, ", 3), "-0.5");
    EXPECT_EQ(GetRowField("  12,  abc def ,,-0.5, ", 9), "");
    EXPECT_EQ(GetRowField("", 0), "");
}

TEST(FactoryThemes, ThemeListWithAndWithoutNone)
{
    const auto all = FillThemeList(false);
    ASSERT_EQ(all.size(), 25u);
    EXPECT_EQ(all[0], "< NONE >");
    EXPECT_EQ(all[15], "Star Ray Comets");
    EXPECT_EQ(all[23], "Star Ray Comets");
    EXPECT_EQ(all[24], "Pulsing Sphere Chain");
    const auto themes = FillThemeList(true);
    ASSERT_EQ(themes.size(), 24u);
    EXPECT_EQ(themes[0], "Fast Cycle 4 Bias Spans");
}

TEST(FactoryThemes, DefaultFlagsLeaveOutThemes9And12And21)
{
    for (int bit = 0; bit < 24; ++bit)
        EXPECT_EQ((kDefaultThemeFlags >> bit & 1) == 0, bit == 8 || bit == 11 || bit == 20) << bit;
    EXPECT_EQ(kDefaultThemeFlags >> 24, 0);
    EXPECT_EQ(FindDescriptor(kSectionAdvanced, "Adv_ThemeFlags")->factoryDefault, std::to_string(kDefaultThemeFlags));
}

class ApplyThemeTest : public PropsFixture {};

TEST_F(ApplyThemeTest, ThemeOneIsTheFactoryDefaultsExceptOneCycleLength)
{
    StarPropertySet set;
    ApplyTheme(set, store, 1, 1.0f);
    StarPropertySet expected;
    expected.cycles.frames[8] = 3000;
    EXPECT_EQ(set, expected);
}

TEST_F(ApplyThemeTest, FactoryStarsFollowTheRunMultiplierNotTheStoredOne)
{
    // Without theme cycling the run's multiplier is 1 whatever the store says.
    store.WriteSetting(kSectionAdvanced, "Adv_PerfMult", 0.5f);
    StarPropertySet set;
    ApplyTheme(set, store, 2, 1.0f);
    EXPECT_EQ(set.Int(StarProperty::Stars), 40000);
    ApplyTheme(set, store, 2, 0.5f);
    EXPECT_EQ(set.Int(StarProperty::Stars), 20000);
    EXPECT_FLOAT_EQ(set.Float(StarProperty::Persist), 0.995f);
    EXPECT_FLOAT_EQ(set.cycles.low[2], 0.01f);
}

TEST_F(ApplyThemeTest, StoredStarsFollowTheGivenMultiplier)
{
    store.WriteSetting(kSectionLumora, "Stars", 40000);
    store.WriteSetting(kSectionAdvanced, "Adv_PerfMult", 0.5f);
    StarPropertySet set;
    ApplyTheme(set, store, 0, 1.0f);
    EXPECT_EQ(set.Int(StarProperty::Stars), 40000);
    ApplyTheme(set, store, 0, 1.5f);
    EXPECT_EQ(set.Int(StarProperty::Stars), 60000);
}

TEST_F(ApplyThemeTest, SwingsRunBothWaysAndFromZero)
{
    StarPropertySet set;
    ApplyTheme(set, store, 24, 1.0f);
    EXPECT_FLOAT_EQ(set.cycles.low[1], 0.0f);
    EXPECT_FLOAT_EQ(set.cycles.high[1], 0.998f);
    EXPECT_EQ(set.cycles.frames[1], 120);
    ApplyTheme(set, store, 12, 1.0f);
    EXPECT_FLOAT_EQ(set.cycles.low[1], 0.97f);
    EXPECT_FLOAT_EQ(set.cycles.high[1], 0.92f);
}

TEST_F(ApplyThemeTest, EveryThemePicksUpTheStoredDisplayEffects)
{
    store.WriteSetting(kSectionDirectX, "DX_FilterIndex", 6);
    store.WriteSetting(kSectionDirectX, "DX_FilterMaskR", 300);
    store.WriteSetting(kSectionDirectX, "DX_DesktopPercent", 40);
    for (int theme : {0, 5}) {
        StarPropertySet set;
        ApplyTheme(set, store, theme, 1.0f);
        EXPECT_EQ(set.effects.filterIndex, 6);
        EXPECT_EQ(set.effects.maskRed, 255);
        EXPECT_EQ(set.effects.desktopPercent, 40);
    }
}

} // namespace
} // namespace orvex::test
