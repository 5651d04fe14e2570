// SPDX-License-Identifier: MIT
#include "applytheme.h"
#include "enginelibrary.h"
#include "fakeclock.h"
#include "offscreentarget.h"
#include "runloop.h"
#include "settingsstore.h"
#include "starproperty.h"
#include "startup.h"
#include "startupcontext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <fstream>
#include <new>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

namespace orvex {
namespace {

namespace fs = std::filesystem;

const fs::path kBinDir = ORVEX_TEST_BIN_DIR;

class RunLoopTest : public ::testing::Test {
protected:
    RunLoopTest()
        : dir(fs::temp_directory_path() / ("orvex-runloop-" + std::to_string(::getpid()))),
          store(dir / "Lumora.reg")
    {
        context.screenWidthPx = 1024;
        context.screenHeightPx = 768;
        context.resolutions = BuildResolutionList(1024, 768);
    }
    ~RunLoopTest() override { fs::remove_all(dir); }

    RunLoop &Loop(const char *engineFile = "libOrvexM6.so")
    {
        engine = std::make_unique<EngineLibrary>(engineFile, std::vector<fs::path>{kBinDir});
        loop = std::make_unique<RunLoop>(context, store, *engine, clock, pump, target);
        return *loop;
    }

    fs::path dir;
    SettingsStore store;
    StartupContext context{1234u};
    test::FakeClock clock;
    test::ScriptedPump pump;
    OffscreenTarget target{64, 48};
    std::unique_ptr<EngineLibrary> engine;
    std::unique_ptr<RunLoop> loop;
};

bool AnyLit(const std::vector<uint32_t> &pixels)
{
    for (uint32_t p : pixels)
        if (p & 0xFFFFFF)
            return true;
    return false;
}

TEST_F(RunLoopTest, PrepareRunReadsTheRunSettings)
{
    store.WriteSetting("Advanced", "Adv_EffectFPC", 50);
    store.WriteSetting("Advanced", "Adv_PerfMult", 0.5);
    store.WriteSetting("Advanced", "Adv_TimeDelay", 15);
    store.WriteSetting("DirectX", "DX_VertOffset", 12);
    RunLoop &run = Loop();
    run.PrepareRun(false);
    EXPECT_EQ(run.Settings().framesPerTheme, 100) << "raised to the shortest theme";
    EXPECT_FLOAT_EQ(run.Settings().perfMult, 0.5f);
    EXPECT_EQ(run.Settings().frameDelayMs, 15);
    EXPECT_EQ(run.Settings().vertOffset, 9);
    EXPECT_EQ(run.Settings().geometry.renderWidth, 64) << "a preview renders at its picture's size";

    run.PrepareRun(true);
    EXPECT_EQ(run.Settings().frameDelayMs, 20) << "preview pace";

    store.WriteSetting("Advanced", "Adv_EffectFPC", 0);
    run.PrepareRun(false);
    EXPECT_EQ(run.Settings().framesPerTheme, 0) << "0 means the theme never changes";
    store.WriteSetting("Advanced", "Adv_ZeviCycle", 0);
    store.WriteSetting("Advanced", "Adv_EffectFPC", 500);
    run.PrepareRun(false);
    EXPECT_EQ(run.Settings().framesPerTheme, 0);
    EXPECT_FLOAT_EQ(run.Settings().perfMult, 1.0f);
}

TEST_F(RunLoopTest, RootSaverRendersAtItsHostWindowsSize)
{
    // The first run stored the primary screen's size; the host window is shaped otherwise.
    PrepareStartup(context, store, {{0, 0, 1920, 1080}}, 0);
    AdoptHostWindowAsScreen(context, 320, 240);
    context.runMode = RunMode::Saver;
    RunLoop &run = Loop();
    run.PrepareRun(false);
    EXPECT_EQ(run.Settings().geometry.renderWidth, 320);
    EXPECT_EQ(run.Settings().geometry.renderHeight, 240);

    AdoptHostWindowAsScreen(context, 1280, 1024);
    run.PrepareRun(false);
    EXPECT_EQ(run.Settings().geometry.renderWidth, 1280);
    EXPECT_EQ(run.Settings().geometry.renderHeight, 1024);
    store.WriteSetting("DirectX", "DX_WinWidth", 800);
    store.WriteSetting("DirectX", "DX_WinHeight", 600);
    run.PrepareRun(false);
    EXPECT_EQ(run.Settings().geometry.renderWidth, 800) << "a stored size the window offers is kept";
}

// A target whose frame memory runs out above a size, as a display's shared memory would.
class LimitedTarget final : public PresentationTarget {
public:
    static constexpr size_t kMostPixels = size_t(1) << 16;

    int32_t InnerWidth() const override { return shown.InnerWidth(); }
    int32_t InnerHeight() const override { return shown.InnerHeight(); }
    void Resize(int32_t width, int32_t height) override { shown.Resize(width, height); }
    void Clear() override { shown.Clear(); }
    void Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect to) override
    {
        shown.Present(buffer, width, height, to);
    }
    std::span<uint32_t> FrameMemory(size_t framePixels) override
    {
        if (framePixels > kMostPixels)
            throw std::bad_alloc();
        return {};
    }

    OffscreenTarget shown{64, 48};
};

bool AnyLitFrom(const OffscreenTarget &target, int32_t left, int32_t top)
{
    for (int32_t y = top; y < target.InnerHeight(); ++y)
        for (int32_t x = left; x < target.InnerWidth(); ++x)
            if (target.Pixels()[size_t(y) * target.InnerWidth() + x] & 0xFFFFFF)
                return true;
    return false;
}

TEST_F(RunLoopTest, AResizedHostIsFilledAndASizeBeyondMemoryKeepsTheLastOne)
{
    engine = std::make_unique<EngineLibrary>("libOrvexM6.so", std::vector<fs::path>{kBinDir});
    LimitedTarget limited;
    RunLoop run(context, store, *engine, clock, pump, limited);
    run.PrepareRun(false);
    int asked = 0;
    run.WatchHostSize([&]() -> std::optional<Resolution> {
        ++asked;
        if (asked == 3)
            return Resolution{128, 96};
        if (asked == 10)
            return Resolution{512, 384};
        return std::nullopt;
    });
    run.SetFrameLimit(40);
    ApplyTheme(context.properties, store, 1, 1.0f);
    run.RunTheme(0);
    EXPECT_EQ(run.FramesRun(), 40) << "the theme ran on through both sizes";
    EXPECT_EQ(run.Settings().geometry.renderWidth, 128);
    EXPECT_EQ(run.Settings().geometry.renderHeight, 96);
    EXPECT_EQ(limited.InnerWidth(), 128);
    EXPECT_EQ(limited.InnerHeight(), 96);
    EXPECT_TRUE(AnyLitFrom(limited.shown, 64, 48)) << "no stars where the host grew";
}

// Keeps every picture it is given. It offers frame memory aligned as a display's shared
// memory is (the engine's vector paths follow the alignment); paced, it takes one frame
// in three, as a display refreshing slower than the frames come.
class PictureTarget final : public PresentationTarget {
public:
    explicit PictureTarget(bool paced) : paced_(paced) {}

    int32_t InnerWidth() const override { return 64; }
    int32_t InnerHeight() const override { return 48; }
    void Resize(int32_t, int32_t) override {}
    void Clear() override {}
    void Present(const uint32_t *buffer, int32_t width, int32_t height, PixelRect) override
    {
        pictures.emplace_back(buffer, buffer + size_t(width) * height);
    }
    std::span<uint32_t> FrameMemory(size_t framePixels) override
    {
        const size_t pixels = (paced_ ? 3 : 2) * framePixels;
        constexpr size_t kAlignPixels = 4096 / sizeof(uint32_t);
        memory_.assign(pixels + kAlignPixels, 0xDEADBEEFu);
        const auto address = reinterpret_cast<uintptr_t>(memory_.data());
        const size_t skip = (4096 - address % 4096) % 4096 / sizeof(uint32_t);
        return std::span<uint32_t>(memory_).subspan(skip, pixels);
    }
    bool PacesFrames() const override { return paced_; }
    bool TakesFrame() override { return offered_++ % 3 == 0; }
    void PresentAtRefresh(const uint32_t *buffer, int32_t width, int32_t height, PixelRect to) override
    {
        shownAt.push_back(offered_ - 1);
        Present(buffer, width, height, to);
    }

    std::vector<std::vector<uint32_t>> pictures;
    std::vector<int> shownAt; // the frame each paced picture was taken from
private:
    bool paced_;
    int offered_ = 0;
    std::vector<uint32_t> memory_;
};

// The pictures of a run in a child process, so that runs compared start from the same
// engine state (a run goes on from where the engine's star rings were left).
struct RunPictures {
    std::vector<uint64_t> hashes;
    std::vector<int> shownAt;
    bool anyLit = false;
};

RunPictures PicturesInAChild(const std::function<PictureTarget()> &run)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        const PictureTarget target = run();
        std::vector<int64_t> out;
        for (const auto &picture : target.pictures) {
            uint64_t hash = 1469598103934665603ull;
            for (const uint32_t pixel : picture)
                hash = (hash ^ pixel) * 1099511628211ull;
            out.push_back(int64_t(hash));
        }
        out.push_back(-1);
        out.insert(out.end(), target.shownAt.begin(), target.shownAt.end());
        out.push_back(AnyLit(target.pictures.back()));
        const ssize_t written = ::write(fds[1], out.data(), out.size() * sizeof(int64_t));
        ::_exit(written == ssize_t(out.size() * sizeof(int64_t)) ? 0 : 1);
    }
    ::close(fds[1]);
    std::vector<int64_t> in;
    int64_t value = 0;
    while (::read(fds[0], &value, sizeof value) == ssize_t(sizeof value))
        in.push_back(value);
    ::close(fds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    RunPictures pictures;
    if (in.empty() || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return pictures;
    pictures.anyLit = in.back() != 0;
    in.pop_back();
    const auto end = std::find(in.begin(), in.end(), -1);
    for (auto i = in.begin(); i != end; ++i)
        pictures.hashes.push_back(uint64_t(*i));
    if (end != in.end())
        pictures.shownAt.assign(end + 1, in.end());
    return pictures;
}

TEST_F(RunLoopTest, PacedFramesShowExactlyTheUnpacedPicturesOfTheFramesTaken)
{
    engine = std::make_unique<EngineLibrary>("libOrvexM6.so", std::vector<fs::path>{kBinDir});
    const auto pictures = [&](bool paced) {
        return PicturesInAChild([&] {
            PictureTarget target(paced);
            RunLoop run(context, store, *engine, clock, pump, target);
            run.PrepareRun(false);
            run.SetFrameLimit(30);
            run.RunTheme(0);
            return target;
        });
    };
    // Plain, drifting upwards (rows skipped at the top), and through a colour filter.
    for (const int vertOffset : {0, 5}) {
        for (const int32_t filter : {0, 4}) {
            store.WriteSetting("DirectX", "DX_VertOffset", vertOffset);
            ApplyTheme(context.properties, store, 1, 1.0f);
            context.properties.effects.filterIndex = filter; // 4: red and green only
            context.properties.effects.maskRed = context.properties.effects.maskGreen = 255;
            const RunPictures unpaced = pictures(false), paced = pictures(true);
            const std::string setup = "offset " + std::to_string(vertOffset) + " filter " + std::to_string(filter);
            ASSERT_EQ(unpaced.hashes.size(), 30u) << setup;
            ASSERT_EQ(paced.shownAt, (std::vector<int>{0, 3, 6, 9, 12, 15, 18, 21, 24, 27})) << setup;
            EXPECT_TRUE(paced.anyLit) << setup;
            for (size_t i = 0; i < paced.hashes.size(); ++i)
                EXPECT_EQ(paced.hashes[i], unpaced.hashes[size_t(paced.shownAt[i])]) << setup << " picture " << i;
        }
    }
}

TEST_F(RunLoopTest, FactoryThemesTakeTheRunsStarMultiplier)
{
    context.runMode = RunMode::Saver; // the first saver runs show theme 1
    store.WriteSetting("Advanced", "Adv_PerfMult", 0.5f);
    store.WriteSetting("Advanced", "Adv_ZeviCycle", 0);
    RunLoop &run = Loop();
    run.PrepareRun(false);
    run.ChooseNextTheme();
    EXPECT_EQ(context.properties.Int(StarProperty::Stars), 50000) << "the multiplier only counts while themes cycle";
    store.WriteSetting("Advanced", "Adv_ZeviCycle", 1);
    run.PrepareRun(false);
    run.ChooseNextTheme();
    EXPECT_EQ(context.properties.Int(StarProperty::Stars), 25000);
}

TEST_F(RunLoopTest, SaverRendersAtTheStoredSizeOnlyWhenItIsOffered)
{
    context.runMode = RunMode::Saver;
    store.WriteSetting("DirectX", "DX_WinWidth", 800);
    store.WriteSetting("DirectX", "DX_WinHeight", 600);
    RunLoop &run = Loop();
    run.PrepareRun(false);
    EXPECT_EQ(run.Settings().geometry.renderWidth, 800);
    EXPECT_EQ(target.InnerWidth(), 800) << "the saver's surface takes the rendering size";

    store.WriteSetting("DirectX", "DX_WinWidth", 700);
    store.WriteSetting("DirectX", "DX_WinHeight", 500);
    run.PrepareRun(false);
    EXPECT_EQ(run.Settings().geometry.renderWidth, 1024);
    EXPECT_EQ(run.Settings().geometry.renderHeight, 768);
}

TEST_F(RunLoopTest, AThemeRunsItsFramesThenFadesOutAndEnds)
{
    store.WriteSetting("Advanced", "Adv_EffectFPC", 100);
    RunLoop &run = Loop();
    run.PrepareRun(false);
    ApplyTheme(context.properties, store, 1, 1.0f);
    run.RunTheme(0);
    EXPECT_EQ(run.FramesRun(), 100 + 300);
    EXPECT_FALSE(context.stopRequested);
    EXPECT_TRUE(AnyLit(target.Pixels())) << "the frames reached the target";

    // A recording sets its own length over the stored one, so the fade ends with the file.
    run.SetFramesPerTheme(50);
    run.RunTheme(0);
    EXPECT_EQ(run.FramesRun(), 400 + 50 + 300);
}

TEST_F(RunLoopTest, StopRequestedAtTheYieldEndsTheThemeAtOnce)
{
    RunLoop &run = Loop();
    run.PrepareRun(false);
    int yields = 0;
    pump.onDeliver = [&] {
        if (++yields == 5)
            context.stopRequested = true;
    };
    ApplyTheme(context.properties, store, 1, 1.0f);
    run.RunTheme(0);
    EXPECT_EQ(yields, 5);
    EXPECT_EQ(run.FramesRun(), 4) << "the stopped frame is not counted";
}

TEST_F(RunLoopTest, MissingEngineEntriesSkipStepsButNeverEndTheLoop)
{
    RunLoop &run = Loop("libOrvexPartialEngine.so");
    run.PrepareRun(false);
    run.SetFrameLimit(30);
    ApplyTheme(context.properties, store, 2, 1.0f);
    run.RunTheme(0);
    EXPECT_EQ(run.FramesRun(), 30);
    EXPECT_EQ(target.PresentCount(), 0) << "a frame whose blend fails is not shown";
}

TEST_F(RunLoopTest, FirstSaverRunsShowOnlyThemeOne)
{
    context.runMode = RunMode::Saver;
    RunLoop &run = Loop();
    run.PrepareRun(false);
    run.SetFrameLimit(1);
    run.DisplayEffects();
    EXPECT_EQ(store.ReadSettingLong("General", "UseCountSaver", 0), 1);
    EXPECT_EQ(context.properties.Int(StarProperty::Stars), 50000) << "factory theme 1";
    run.ChooseNextTheme();
    EXPECT_EQ(context.properties.Int(StarProperty::Stars), 50000);

    store.WriteSetting("General", "UseCountSaver", 2);
    store.WriteSetting("Advanced", "Adv_CycleStyleIndex", 1);
    run.ChooseNextTheme();
    EXPECT_EQ(context.properties.Int(StarProperty::Stars), 40000) << "incremental style starts where the last run left";
    EXPECT_EQ(store.ReadSettingLong("Advanced", "Adv_CycleStyleIndex", -1), 2);
    EXPECT_EQ(store.ReadSettingLong("General", "UseCountPreview", 0), 0) << "the saver counts only its own runs";
}

TEST_F(RunLoopTest, CyclingOffRunsTheStoredPropertiesAndNamesAreShownOnRequest)
{
    store.WriteSetting("Lumora", "Stars", 1234);
    store.WriteSetting("Advanced", "Adv_ZeviCycle", 0);
    RunLoop &run = Loop();
    run.ChooseNextTheme();
    EXPECT_EQ(context.properties.Int(StarProperty::Stars), 1234);

    store.WriteSetting("Advanced", "Adv_ZeviCycle", 1);
    store.WriteSetting("Advanced", "Adv_CycleStyle", 0);
    store.WriteSetting("Advanced", "Adv_DispTempName", 1);
    run.ChooseNextTheme();
    EXPECT_EQ(run.ThemeMessage(), "Fast Cycle 4 Bias Spans");
    run.ChooseNextTheme();
    EXPECT_EQ(run.ThemeMessage(), "Weaving Comet Points");
}

TEST_F(RunLoopTest, TemplateEntriesLoadTheFileIntoTheStoreAndScaleTheStars)
{
    fs::create_directories(dir / "themes");
    std::ofstream(dir / "themes" / "mine.lmr") << "[Lumora]\r\nStars=30000\r\nSpeed=123\r\n";
    store.WriteSetting("Advanced", "Adv_ThemeFlags", 0);
    store.WriteSetting("Advanced", "Adv_TempDirectory", (dir / "themes").string());
    store.WriteSetting("Advanced", "Adv_TempFileCount", 1);
    store.WriteSetting("Advanced", "Adv_TempFile0000", "mine.lmr");
    store.WriteSetting("Advanced", "Adv_PerfMult", 0.5);
    store.WriteSetting("Advanced", "Adv_DispTempName", 1);
    RunLoop &run = Loop();
    run.PrepareRun(false);
    run.ChooseNextTheme();
    EXPECT_EQ(store.ReadSettingLong("Lumora", "Speed", 0), 123) << "the template replaced the stored star settings";
    EXPECT_EQ(context.properties.Int(StarProperty::Stars), 15000);
    EXPECT_EQ(run.ThemeMessage(), "mine.lmr");
}

} // namespace
} // namespace orvex
