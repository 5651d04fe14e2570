// SPDX-License-Identifier: MIT
// Frame timings of the engine at 1920 x 1080 with 99,999 stars: the star field (with the
// helper thread, and with all of it on the calling thread, as when the helper cannot
// start), the trail blur between frames (always on the calling thread) and a forced
// hue-cone rebuild, plus the fast blur against the straightforward in-place pass on the
// same frames. Figures are medians over
// many frames.
#include "OrvexM6.h"
#include "processor.h"
#include "starfield.h"
#include "trailblur.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <vector>

namespace {

constexpr int32_t kWidth = 1920;
constexpr int32_t kHeight = 1080;
constexpr int32_t kStars = 99999;
constexpr int32_t kSegments = 6;
constexpr int32_t kWarmUpFrames = 120;
constexpr int32_t kMeasuredFrames = 300;
constexpr int32_t kBlendMul = 720 + 97;
constexpr int32_t kRowBytes = 4 * kWidth;

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

std::vector<uint32_t> RainbowWheel()
{
    std::vector<uint32_t> wheel(1024);
    for (int32_t i = 0; i < 1024; ++i) {
        const double angle = i * 2 * std::numbers::pi / 1024;
        const auto channel = [&](double shift) {
            return static_cast<uint32_t>(127.5 + 127.5 * std::cos(angle + shift));
        };
        wheel[i] = channel(0) << 16 | channel(2 * std::numbers::pi / 3) << 8 | channel(4 * std::numbers::pi / 3);
    }
    return wheel;
}

// Closed comet spline whose control points circle slowly around (0, 0, 1).
struct Spline {
    std::vector<float> x = std::vector<float>(kSegments + 3);
    std::vector<float> y = std::vector<float>(kSegments + 3);
    std::vector<float> z = std::vector<float>(kSegments + 3);

    void Move(int32_t frame)
    {
        for (int32_t i = 0; i < kSegments; ++i) {
            const double angle = i * 2 * std::numbers::pi / kSegments + frame * 0.01;
            x[i] = static_cast<float>(0.5 * std::cos(angle));
            y[i] = static_cast<float>(0.3 * std::sin(angle * 1.7));
            z[i] = static_cast<float>(1.0 + 0.5 * std::sin(angle));
        }
        for (int32_t i = 0; i < 3; ++i) {
            x[kSegments + i] = x[i];
            y[kSegments + i] = y[i];
            z[kSegments + i] = z[i];
        }
    }
};

struct Scene {
    std::vector<uint32_t> work = std::vector<uint32_t>(static_cast<size_t>(kWidth) * kHeight);
    std::vector<uint32_t> wheel = RainbowWheel();
    std::vector<uint32_t> cone = std::vector<uint32_t>(65536);
    std::vector<int32_t> states = std::vector<int32_t>(4 * static_cast<size_t>(kStars));
    std::vector<float> motions = std::vector<float>(8 * static_cast<size_t>(kStars));
    Spline spline;
    float phase = 0.0f;

    // With the helper refused, the frame is set up by a call without stars and the step
    // then runs on this thread, as SetBrightLumora runs it when no helper thread exists.
    void Stars(int32_t frame, bool useHelper)
    {
        spline.Move(frame);
        phase = std::fmod(phase + 0.01f, static_cast<float>(kSegments));
        SetBrightLumora(kWidth / 2, kHeight / 2, kWidth - 1, kWidth, 1, kHeight - 2, work.data(), cone.data(),
            useHelper ? kStars : 0, states.data(), motions.data(), spline.x.data(), spline.y.data(), spline.z.data(),
            0.004f, 0.985f, static_cast<float>(frame % 1024), 0.00002f, 96, frame / 50 % 14, 0, 1, 0, kSegments, 4,
            0.7f, phase, 0.004f, 0.0f, 1.0f);
        if (!useHelper)
            orvex::engine::StepStars(reinterpret_cast<orvex::engine::StarState *>(states.data()),
                reinterpret_cast<orvex::engine::StarMotion *>(motions.data()), kStars, false,
                orvex::engine::ProcessorHasAvx2());
    }
    void Blur() { BlendPixelRGB32(work.data(), kWidth, kHeight, kBlendMul, -kRowBytes, kRowBytes); }
    void Cone() { CalcHueConeBrightness(wheel.data(), cone.data(), 1, 100, 25, 150, 30, 0.0f, 0.0f, 0.0f); }
};

// Both passes on identical copies of the current frame, for one trail drift.
class BlurComparison {
public:
    void Run(const std::vector<uint32_t> &frame, int32_t drift)
    {
        const int32_t offsetA = drift >= 0 ? -kRowBytes : kRowBytes;
        const int32_t offsetB = drift >= 0 ? kRowBytes * (1 - drift) : -kRowBytes * (drift + 1);
        const int32_t skip = drift >= 3 ? drift - 2 : drift <= -3 ? -2 - drift : 0;
        const size_t start = static_cast<size_t>(drift >= 3 ? skip : 0) * kWidth;
        std::copy(frame.begin(), frame.end(), reference_.begin());
        std::copy(frame.begin(), frame.end(), fast_.begin());
        const orvex::engine::BlurGeometry geometry{
            reference_.data() + start, kWidth, kHeight - skip, kBlendMul, offsetA, offsetB};
        Clock::time_point mark = Clock::now();
        orvex::engine::BlurRowsInOrder(geometry, 1, geometry.height - 1);
        referenceMs_.push_back(MillisecondsSince(mark));
        mark = Clock::now();
        BlendPixelRGB32(fast_.data() + start, kWidth, kHeight - skip, kBlendMul, offsetA, offsetB);
        fastMs_.push_back(MillisecondsSince(mark));
        identical_ = identical_ && reference_ == fast_;
    }

    void Print() const
    {
        const double reference = Median(referenceMs_), fast = Median(fastMs_);
        std::printf("  straightforward blur pass    %7.3f ms/frame, drifts -9..9\n", reference);
        std::printf("  fast blur, same frames       %7.3f ms/frame, %.2fx faster (target 8x)\n", fast, reference / fast);
        std::printf("  fast blur output identical to the straightforward pass: %s\n", identical_ ? "yes" : "NO");
    }
    bool Identical() const { return identical_; }

private:
    std::vector<uint32_t> reference_ = std::vector<uint32_t>(static_cast<size_t>(kWidth) * kHeight);
    std::vector<uint32_t> fast_ = std::vector<uint32_t>(static_cast<size_t>(kWidth) * kHeight);
    std::vector<double> referenceMs_, fastMs_;
    bool identical_ = true;
};

// Other work on the machine skews the figures: the one-minute load goes with them.
double MachineLoad()
{
    double load = -1;
    if (std::FILE *file = std::fopen("/proc/loadavg", "r")) {
        if (std::fscanf(file, "%lf", &load) != 1)
            load = -1;
        std::fclose(file);
    }
    return load;
}

struct StepTimes {
    std::vector<double> stars, blur;

    void Print(const char *label, double target) const
    {
        const double together = Median(stars) + Median(blur);
        std::printf("  %s\n", label);
        std::printf("    SetBrightLumora            %7.3f ms/frame\n", Median(stars));
        std::printf("    BlendPixelRGB32            %7.3f ms/frame\n", Median(blur));
        std::printf("    together                   %7.3f ms/frame (target %.1f ms)\n", together, target);
    }
};

} // namespace

int main()
{
    Scene scene;
    InitRandomArray();
    scene.Cone();
    for (int32_t frame = 0; frame < kWarmUpFrames; ++frame) {
        scene.Stars(frame, true);
        scene.Blur();
    }
    // The two ways alternate frame by frame, so that both see the same field and machine.
    StepTimes shared, alone;
    std::vector<double> cone;
    BlurComparison comparison;
    for (int32_t frame = kWarmUpFrames; frame < kWarmUpFrames + 2 * kMeasuredFrames; ++frame) {
        const bool useHelper = frame % 2 == 0;
        StepTimes &times = useHelper ? shared : alone;
        Clock::time_point mark = Clock::now();
        scene.Stars(frame, useHelper);
        times.stars.push_back(MillisecondsSince(mark));
        mark = Clock::now();
        scene.Blur();
        times.blur.push_back(MillisecondsSince(mark));
        if (useHelper)
            comparison.Run(scene.work, frame / 2 % 19 - 9);
        if (frame % 20 == 0) {
            mark = Clock::now();
            scene.Cone();
            cone.push_back(MillisecondsSince(mark));
        }
    }
    std::printf("engine benchmark, %d x %d, %d stars, median of %d frames each, machine load %.2f\n", kWidth, kHeight,
        kStars, kMeasuredFrames, MachineLoad());
    shared.Print("with the helper thread", 1.5);
    alone.Print("helper refused, all on the calling thread", 2.0);
    std::printf("  CalcHueConeBrightness forced %7.3f ms/call\n", Median(cone));
    comparison.Print();
    return comparison.Identical() ? 0 : 1;
}
