// SPDX-License-Identifier: MIT
// Whole-frame cost of every factory theme at 1920x1080: cycling and colour steps, the
// engine, the trail blend and the blit into an offscreen target. Prints per-theme median
// and 99th percentile milliseconds and the split between engine, blend and present, then
// the allocations made while frames ran and the memory over a long run.

#include "applytheme.h"
#include "clock.h"
#include "enginelibrary.h"
#include "eventpump.h"
#include "factorythemes.h"
#include "offscreentarget.h"
#include "runloop.h"
#include "settingsstore.h"
#include "startupcontext.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <vector>

namespace {

std::atomic<long> allocations{0};

long ResidentKiB()
{
    long pages = 0, resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * 4;
}

// Marks every yield of the run loop: one per frame, right after the frame was shown.
class FrameClockPump final : public orvex::EventPump {
public:
    void DeliverPendingEvents() override
    {
        const auto now = std::chrono::steady_clock::now();
        if (presenter != nullptr && started) {
            const orvex::PresentTimes &t = presenter->LastTimes();
            const double total = std::chrono::duration<double, std::milli>(now - last).count();
            if (count < capacity) {
                totals[count] = total;
                blend[count] = t.blendMs;
                present[count] = t.blitMs;
            }
            ++count;
            allocationsBetweenYields += allocations - allocationsAtLastYield;
        }
        allocationsAtLastYield = allocations;
        last = now;
        started = true;
    }
    // A theme's set-up allocates its star arrays: only frame-to-frame work is counted.
    void BeginTheme() { started = false; }
    void Reset()
    {
        count = 0;
        started = false;
    }

    static constexpr size_t capacity = 20000;
    orvex::FramePresenter *presenter = nullptr;
    std::vector<double> totals = std::vector<double>(capacity);
    std::vector<double> blend = std::vector<double>(capacity);
    std::vector<double> present = std::vector<double>(capacity);
    size_t count = 0;
    long allocationsAtLastYield = 0;
    long allocationsBetweenYields = 0;
    bool started = false;
    std::chrono::steady_clock::time_point last;
};

double Percentile(std::vector<double> values, double share)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(share * (values.size() - 1) + 0.5))];
}

double Median(const std::vector<double> &values)
{
    return Percentile(values, 0.5);
}

} // namespace

void *operator new(std::size_t size)
{
    ++allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}

void operator delete(void *p) noexcept
{
    std::free(p);
}

void operator delete(void *p, std::size_t) noexcept
{
    std::free(p);
}

int main(int argc, char **argv)
{
    using namespace orvex;
    const int warmUp = 60;
    const int measured = argc > 1 ? std::max(10, std::atoi(argv[1])) : 200;
    const int soakFrames = argc > 2 ? std::atoi(argv[2]) : 10000;

    // A store of its own: the benchmark never reads or writes the user's settings.
    const auto dir = std::filesystem::temp_directory_path() / ("orvex-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    SettingsStore store(dir / "Lumora.reg");
    store.WriteSetting("Advanced", "Adv_EffectFPC", 0); // themes never fade during a measurement

    StartupContext context(1u);
    context.screenWidthPx = 1920;
    context.screenHeightPx = 1080;
    context.resolutions = BuildResolutionList(1920, 1080);
    EngineLibrary engine;
    SyntheticClock clock;
    FrameClockPump pump;
    OffscreenTarget target(1920, 1080);
    RunLoop loop(context, store, engine, clock, pump, target);
    pump.presenter = &loop.Presenter();
    loop.PrepareRun(false);

    auto runFrames = [&](int theme, int frames) {
        context.stopRequested = false;
        pump.BeginTheme();
        loop.SetFrameLimit(loop.FramesRun() + frames);
        ApplyTheme(context.properties, store, theme, 1.0f);
        loop.RunTheme(0);
    };

    std::printf("Frame pipeline at 1920x1080, %d measured frames per theme after %d warm-up frames\n",
                measured, warmUp);
    std::printf("%5s %-32s %8s %8s %8s %8s %8s\n", "theme", "name", "median", "p99", "engine", "blend", "present");
    double worstMedian = 0;
    const auto names = FillThemeList(true);
    for (int theme = 1; theme <= 24; ++theme) {
        runFrames(theme, warmUp);
        pump.Reset();
        runFrames(theme, measured);
        const size_t n = std::min(pump.count, FrameClockPump::capacity);
        std::vector<double> totals(pump.totals.begin(), pump.totals.begin() + n);
        std::vector<double> blend(pump.blend.begin(), pump.blend.begin() + n);
        std::vector<double> present(pump.present.begin(), pump.present.begin() + n);
        const double median = Median(totals);
        worstMedian = std::max(worstMedian, median);
        std::printf("%5d %-32s %8.2f %8.2f %8.2f %8.2f %8.2f\n", theme, names[theme - 1].c_str(), median,
                    Percentile(totals, 0.99), median - Median(blend) - Median(present), Median(blend),
                    Median(present));
    }
    std::printf("worst median: %.2f ms per frame\n", worstMedian);
    std::printf("allocations from one frame to the next: %ld\n", pump.allocationsBetweenYields);

    if (soakFrames > 0) {
        runFrames(1, 1000);
        const long rssStart = ResidentKiB();
        const long allocationsBefore = pump.allocationsBetweenYields;
        runFrames(1, soakFrames);
        std::printf("soak: %d frames of theme 1: resident memory %ld KiB -> %ld KiB, %ld allocations between frames\n",
                    soakFrames, rssStart, ResidentKiB(), pump.allocationsBetweenYields - allocationsBefore);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
