// SPDX-License-Identifier: MIT
#include "colorframestep.h"
#include "huepicture.h"
#include "propertysources.h"
#include "propsfixture.h"
#include "runtimeproperties.h"

#include <dlfcn.h>

#include <cmath>
#include <set>

namespace orvex::test {
namespace {

uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue)
{
    return red | green << 8 | blue << 16;
}

HueWheelSettings Wheel(std::array<const char *, 9> fields)
{
    AdvancedDialogValues dialog;
    for (size_t i = 0; i < fields.size(); ++i)
        dialog.txtHueWheel[i] = fields[i];
    return LoadHueWheelSettings(dialog);
}

const HueWheelSettings kDefaultWheel = Wheel({"100", "150", "180", "255", "315", "0", "0", "0", "0"});

TEST(HueWheel, DefaultDivisionsAndTheirColours)
{
    EXPECT_EQ(kDefaultWheel.divisions, (std::array<int32_t, 5>{284, 427, 512, 725, 896}));
    EXPECT_EQ(kDefaultWheel.lengths, (std::array<int32_t, 5>{143, 85, 213, 171, 128}));
    EXPECT_EQ(HueWheelColour(kDefaultWheel, 0), Rgb(255, 55, 55));
    EXPECT_EQ(HueWheelColour(kDefaultWheel, 284), Rgb(255, 255, 55));
    EXPECT_EQ(HueWheelColour(kDefaultWheel, 427), Rgb(55, 255, 55));
    EXPECT_EQ(HueWheelColour(kDefaultWheel, 512), Rgb(55, 255, 255));
    EXPECT_EQ(HueWheelColour(kDefaultWheel, 725), Rgb(55, 55, 255));
    EXPECT_EQ(HueWheelColour(kDefaultWheel, 896), Rgb(255, 55, 255));
    EXPECT_EQ(HueWheelColour(kDefaultWheel, 142), Rgb(255, 155, 55));
    EXPECT_EQ(HueWheelColour(kDefaultWheel, 1024 + 284), HueWheelColour(kDefaultWheel, 284));
    EXPECT_EQ(HueWheelColour(kDefaultWheel, -1), HueWheelColour(kDefaultWheel, 1023));
}

TEST(HueWheel, DivisionsNeverDescendAndEmptySegmentsAreSkipped)
{
    const HueWheelSettings wheel = Wheel({"100", "50", "400", "0", "360", "0", "0", "0", "0"});
    EXPECT_EQ(wheel.divisions, (std::array<int32_t, 5>{284, 284, 1024, 1024, 1024}));
    EXPECT_EQ(wheel.lengths[0], 0);
    EXPECT_EQ(wheel.lengths[4], 0);
    EXPECT_EQ(HueWheelColour(wheel, 284), Rgb(55, 255, 55)) << "yellow-to-green is empty";
    const HueWheelSettings atZero = Wheel({"0", "0", "0", "0", "0", "0", "0", "0", "0"});
    EXPECT_EQ(HueWheelColour(atZero, 0), Rgb(255, 55, 255));
    EXPECT_EQ(HueWheelColour(atZero, 1023), Rgb(255, 55, 55));
}

TEST(HueWheel, BubbleValuesAreScaledFromTheirFields)
{
    const HueWheelSettings wheel = Wheel({"100", "150", "180", "255", "315", "90", "150", "9999", "20000"});
    EXPECT_FLOAT_EQ(wheel.bubbleStart, static_cast<float>(90 * kDegreesToWheel));
    EXPECT_FLOAT_EQ(wheel.bubbleLevel, 1.0f);
    EXPECT_FLOAT_EQ(wheel.bubbleSpan, 1023.8976f);
    EXPECT_FLOAT_EQ(wheel.bubbleSpeed, 9.999f);
}

class HueWheelStore : public PropsFixture {};

TEST_F(HueWheelStore, StoreReadsUseDefaultsAndClamps)
{
    EXPECT_EQ(LoadHueWheelSettings(store).divisions, kDefaultWheel.divisions);
    store.WriteSetting(kSectionAdvanced, "Adv_HueWheel1", 50);
    store.WriteSetting(kSectionAdvanced, "Adv_HWB_Level", 500);
    const HueWheelSettings wheel = LoadHueWheelSettings(store);
    EXPECT_EQ(wheel.divisions[1], 284);
    EXPECT_FLOAT_EQ(wheel.bubbleLevel, 1.0f);
}

TEST(ColorSettings, RowFieldsFollowTheStartFieldAndSkipItsFifth)
{
    StarPropertySet set;
    const ColourRuntime colour = LoadColorSettings(set, "x, 1, 2, 3, 4, 99, 10, 20, 30, 40.5, 90, ", 1);
    EXPECT_EQ(colour.coneBright, 1);
    EXPECT_EQ(colour.coneTwist, 4);
    EXPECT_EQ(set.Int(StarProperty::WedgeMin), 10);
    EXPECT_EQ(colour.wedgeMin, 28);
    EXPECT_EQ(colour.wedgeFra, 30);
    EXPECT_FLOAT_EQ(colour.startFra, 40.5f);
    EXPECT_EQ(colour.startAng, 256);
}

TEST(Brighten, MovesEachByteTowardsWhite)
{
    EXPECT_EQ(Brighten(0x000000, 0.5), 0x7F7F80u);
    EXPECT_EQ(Brighten(0xFFFFFF, 0.7), 0xFFFFFFu);
    EXPECT_EQ(Brighten(0x123456, 0.0), 0x123456u);
    EXPECT_EQ(Brighten(0x000000, 1.0), 0xFFFFFFu);
    EXPECT_EQ(ToPixelOrder(Rgb(1, 2, 3)), 0x010203u);
}

TEST(ColourState, WheelTablesHoldPixelOrder)
{
    ColourState colours;
    colours.SetWheelSettings(kDefaultWheel);
    colours.RefreshHueWheel(true, true);
    EXPECT_EQ(colours.BaseWheel()[0], 0xFF3737u);
    EXPECT_EQ(colours.HueWheelTable(), colours.BaseWheel()) << "no bubble: the wheel is the base wheel";
    EXPECT_EQ(colours.HueConeTable().size(), 65536u);
}

TEST(ColourState, BubbleBrightensAroundItsPosition)
{
    ColourState colours;
    colours.SetWheelSettings(Wheel({"100", "150", "180", "255", "315", "90", "50", "500", "1000"}));
    colours.RefreshHueWheel(true, true);
    const int32_t centre = static_cast<int32_t>(colours.BubblePosition());
    EXPECT_EQ(centre, 257) << "90 degrees plus one speed step";
    const auto &wheel = colours.HueWheelTable();
    const auto &base = colours.BaseWheel();
    EXPECT_EQ(wheel[centre], Brighten(base[centre], 0.5));
    EXPECT_NE(wheel[centre + 20], base[centre + 20]);
    EXPECT_NE(wheel[centre - 20], base[centre - 20]);
    EXPECT_EQ(wheel[centre + 60], base[centre + 60]) << "outside the span of 51 positions";

    const auto before = wheel;
    colours.ApplyBubble(false, false);
    EXPECT_EQ(colours.HueWheelTable(), before) << "same whole position, not forced";
}

TEST(ColourState, WideBubbleLiftsTheWholeWheel)
{
    ColourState colours;
    colours.SetWheelSettings(Wheel({"100", "150", "180", "255", "315", "0", "40", "9999", "0"}));
    colours.RefreshHueWheel(true, true);
    for (int i = 0; i < 1024; ++i) {
        for (int shift : {0, 8, 16}) {
            const uint32_t base = colours.BaseWheel()[i] >> shift & 0xFF;
            const uint32_t lifted = colours.HueWheelTable()[i] >> shift & 0xFF;
            ASSERT_GE(lifted + 1, base + static_cast<uint32_t>(0.39 * (255 - base))) << i << " " << shift;
        }
    }
}

struct ConeCall {
    uintptr_t hueWheel, coneTable;
    int32_t force, coneBright, coneBlack, coneBBias, coneTwist;
    float bubbleLevel, bubbleSpan, bubblePos;
};

class ColorFrameStepTest : public ::testing::Test {
protected:
    ConeCall LastCall() const
    {
        void *handle = dlopen((kBin / "libOrvexConeRecorder.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
        EXPECT_NE(handle, nullptr);
        const ConeCall call = *static_cast<ConeCall *>(dlsym(handle, "LastConeCall"));
        dlclose(handle);
        return call;
    }

    const std::filesystem::path kBin = ORVEX_TEST_BIN_DIR;
    EngineLibrary engine{"libOrvexConeRecorder.so", {kBin}};
    ColourState colours;
    ColourRuntime colour = ToColourRuntime(StarPropertySet());
};

TEST_F(ColorFrameStepTest, AdvancesHueAndClockAndHandsTheSettingsToTheEngine)
{
    colours.SetWheelSettings(kDefaultWheel);
    colours.RefreshHueWheel(true, true);
    ThemeColourState state = StartThemeColour(colour);
    EXPECT_EQ(state.huePosition, 597);
    const ColourStepRedraw redraw = ColorFrameStep(engine, colours, colour, state, true, true);
    EXPECT_DOUBLE_EQ(state.cycleClock, 6.28318530717958);
    EXPECT_DOUBLE_EQ(state.huePosition, 597 + 1024 / 2400.0);
    EXPECT_EQ(state.hueSwing, static_cast<int32_t>(std::nearbyint(170.5 + 85.5 * std::sin(6.28318530717958 / 600))));
    EXPECT_TRUE(redraw.wedgeLines);
    EXPECT_FALSE(redraw.conePicture) << "no bubble";

    const ConeCall call = LastCall();
    EXPECT_EQ(call.hueWheel, reinterpret_cast<uintptr_t>(colours.HueWheelTable().data()));
    EXPECT_EQ(call.coneTable, reinterpret_cast<uintptr_t>(colours.HueConeTable().data()));
    EXPECT_EQ(call.force, 1);
    EXPECT_EQ(call.coneBright, 100);
    EXPECT_EQ(call.coneBlack, 25);
    EXPECT_EQ(call.coneBBias, 150);
    EXPECT_EQ(call.coneTwist, 30);
    EXPECT_EQ(colours.HueConeTable()[64 * 284], colours.HueWheelTable()[284]) << "the engine filled the table";

    ColorFrameStep(engine, colours, colour, state, false, false);
    EXPECT_EQ(LastCall().force, 0);
}

TEST_F(ColorFrameStepTest, HueWrapsAndTheWedgeSwingsBetweenItsLimits)
{
    colours.SetWheelSettings(kDefaultWheel);
    colours.RefreshHueWheel(true, true);
    ThemeColourState state = StartThemeColour(colour);
    std::set<int32_t> swings;
    for (int frame = 0; frame < 2400; ++frame) {
        ColorFrameStep(engine, colours, colour, state, false, frame == 0);
        ASSERT_GE(state.huePosition, 0);
        ASSERT_LT(state.huePosition, 1024);
        swings.insert(state.hueSwing);
    }
    EXPECT_NEAR(state.huePosition, 597, 1e-6) << "one full turn in 2400 frames";
    EXPECT_EQ(*swings.begin(), 85);
    EXPECT_EQ(*swings.rbegin(), 256);
}

TEST_F(ColorFrameStepTest, MovingBubbleAsksTheDialogToRedrawTheCone)
{
    colours.SetWheelSettings(Wheel({"100", "150", "180", "255", "315", "0", "50", "500", "1000"}));
    colours.RefreshHueWheel(true, true);
    ThemeColourState state = StartThemeColour(colour);
    EXPECT_TRUE(ColorFrameStep(engine, colours, colour, state, true, false).conePicture);
    EXPECT_FALSE(ColorFrameStep(engine, colours, colour, state, false, false).conePicture);
    const ConeCall call = LastCall();
    EXPECT_FLOAT_EQ(call.bubbleLevel, 0.5f);
    EXPECT_FLOAT_EQ(call.bubblePos, colours.BubblePosition());
}

TEST(HuePicture, WedgeLinesRunFromTheCentreOutwards)
{
    const auto lines = DrawWedgeLines(256, 0, 0, false, true, 200, 200);
    EXPECT_NEAR(lines[0].from.x, 100, 1e-9);
    EXPECT_NEAR(lines[0].from.y, 100 - 20, 1e-9) << "a quarter turn points up";
    EXPECT_NEAR(lines[0].to.y, 100 - 95, 1e-9);
    EXPECT_NEAR(lines[1].from.y, 100 - 65, 1e-9);
    EXPECT_NEAR(lines[3].from.y, 100 - 80, 1e-9);
    EXPECT_TRUE(lines[3].visible);

    const auto degrees = DrawWedgeLines(180, 90, -1, true, true, 200, 100);
    EXPECT_NEAR(degrees[0].to.x, 100 - 95, 1e-4) << "the degree factor is the float32 nearest 1024 / 360";
    EXPECT_NEAR(degrees[0].to.y, 50, 1e-4);
    EXPECT_NEAR(degrees[1].to.x, 100 - 95 * std::cos(3.14159265358979 / 4), 0.5) << "135 degrees";
    EXPECT_FALSE(degrees[3].visible);
    EXPECT_FALSE(degrees[4].visible);
}

TEST(HuePicture, DiscPixelsMapAngleToHueAndRadiusToLevel)
{
    const auto right = ConeCellAt(99, 50, 100, 100);
    ASSERT_TRUE(right.has_value());
    EXPECT_TRUE(right->wheelPosition > 1018 || right->wheelPosition < 6);
    EXPECT_EQ(right->level, 62);
    const auto top = ConeCellAt(50, 0, 100, 100);
    ASSERT_TRUE(top.has_value());
    EXPECT_NEAR(top->wheelPosition, 256, 6);
    EXPECT_FALSE(ConeCellAt(0, 0, 100, 100).has_value()) << "corner lies outside the disc";
    EXPECT_EQ(ConeCellAt(50, 50, 100, 100)->level, 0);

    const auto pixels = HueConeDiscPixels(64, 64);
    EXPECT_NEAR(static_cast<double>(pixels.size()), 3.14159 * 32 * 32, 100);
    for (const DiscPixel &pixel : pixels) {
        ASSERT_GE(pixel.tableIndex, 0);
        ASSERT_LT(pixel.tableIndex, kConeTableSize);
    }
}

} // namespace
} // namespace orvex::test
