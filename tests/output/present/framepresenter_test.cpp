// SPDX-License-Identifier: MIT
#include "enginelibrary.h"
#include "framepresenter.h"
#include "monitortargets.h"
#include "offscreentarget.h"
#include "recordingengine.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

using test::RecordedCallCount;
using test::RecordedCalls;

// Records every rectangle it is asked to draw into.
class RecordingTarget final : public PresentationTarget {
public:
    int32_t InnerWidth() const override { return 64; }
    int32_t InnerHeight() const override { return 48; }
    void Resize(int32_t, int32_t) override {}
    void Clear() override {}
    void Present(const uint32_t *buffer, int32_t, int32_t, PixelRect to) override
    {
        sources.push_back(buffer);
        rects.push_back(to);
    }
    std::vector<const uint32_t *> sources;
    std::vector<PixelRect> rects;
};

class FramePresenterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        engine.InitRandomArray(); // loads the recorder so its counters can be reached
    }
    EngineLibrary engine{"libOrvexRecordingEngine.so", {test::kTestBinDir}};
    RecordingTarget target;
    FramePresenter presenter{engine, target};

    void Begin(RunMode mode, int32_t vertOffset)
    {
        DisplayLayout layout;
        layout.mode = mode;
        layout.vertOffset = vertOffset;
        layout.screenWidth = 1280;
        layout.screenHeight = 1024;
        presenter.BeginRun(ComputeFrameGeometry(64, 48, vertOffset), layout);
        RecordedCallCount() = 0;
    }
};

TEST_F(FramePresenterTest, BlendsTheWorkBufferWithTheDriftOffsetsAndBlendMul)
{
    Begin(RunMode::DialogPreview, 3);
    presenter.PresentFrame(-1, -1);
    ASSERT_EQ(RecordedCallCount(), 1);
    const auto &call = RecordedCalls()[0];
    EXPECT_EQ(call.routine, 1);
    EXPECT_EQ(call.mul, 97 + 720);
    EXPECT_EQ(call.buffer, reinterpret_cast<uintptr_t>(presenter.WorkBuffer() + 64)) << "starts one row down";
    EXPECT_EQ(call.height, 47);
    EXPECT_EQ(call.offsetA, -4 * 64);
    EXPECT_EQ(call.offsetB, -8 * 64);

    Begin(RunMode::DialogPreview, -3);
    presenter.PresentFrame(50, -1);
    ASSERT_EQ(RecordedCallCount(), 1);
    EXPECT_EQ(RecordedCalls()[0].buffer, reinterpret_cast<uintptr_t>(presenter.WorkBuffer()));
    EXPECT_EQ(RecordedCalls()[0].height, 47);
    EXPECT_EQ(RecordedCalls()[0].mul, 770);
}

TEST_F(FramePresenterTest, FilterChoosesTheFilterBlendAndShowsTheDisplayBuffer)
{
    Begin(RunMode::DialogPreview, 0);
    presenter.SetFilter(2, 0x00FF00FFu);
    presenter.PresentFrame(-1, -1);
    ASSERT_EQ(RecordedCallCount(), 1);
    EXPECT_EQ(RecordedCalls()[0].routine, 2);
    EXPECT_EQ(RecordedCalls()[0].mode, 2);
    EXPECT_EQ(RecordedCalls()[0].mask, 0x00FF00FFu);
    ASSERT_EQ(target.sources.size(), 1u);
    EXPECT_EQ(target.sources[0], presenter.Display().data());

    presenter.SetFilter(7, 0);
    presenter.PresentFrame(-1, -1);
    EXPECT_EQ(RecordedCallCount(), 1) << "an unknown filter type blends nothing";
}

TEST_F(FramePresenterTest, SaverStretchesToTheScreenAndMirrorsThePlainFrameOnMonitors)
{
    DisplayLayout layout;
    layout.mode = RunMode::Saver;
    layout.screenWidth = 1280;
    layout.screenHeight = 1024;
    layout.mirrorOnMonitors = true;
    layout.secondaryMonitors = {{1280, 0, 1024, 768}, {-800, 0, 800, 600}};
    presenter.BeginRun(ComputeFrameGeometry(64, 48, 0), layout);
    presenter.SetFilter(1, 0xFF);
    presenter.PresentFrame(-1, -1);
    ASSERT_EQ(target.rects.size(), 3u);
    EXPECT_EQ(target.rects[0].width, 1280);
    EXPECT_EQ(target.rects[0].height, 1024);
    EXPECT_EQ(target.sources[0], presenter.Display().data()) << "the primary shows the filtered frame";
    EXPECT_EQ(target.rects[1].x, 1280);
    EXPECT_EQ(target.sources[1], presenter.Work().data()) << "secondaries show the plain frame";
    EXPECT_EQ(target.rects[2].x, -800);
}

// Where no window spans monitors, each monitor's window gets its own part, in its own pixels.
TEST(FramePresenter, MirroredFrameIsSharedOutAmongMonitorWindows)
{
    EngineLibrary engine("libOrvexRecordingEngine.so", {test::kTestBinDir});
    RecordingTarget primary, right, left;
    MonitorTargets monitors({{{0, 0, 1280, 1024}, &primary}, {{1280, 0, 1024, 768}, &right},
                             {{-800, 0, 800, 600}, &left}});
    FramePresenter presenter(engine, monitors);
    DisplayLayout layout;
    layout.mode = RunMode::Saver;
    layout.screenWidth = 1280;
    layout.screenHeight = 1024;
    layout.mirrorOnMonitors = true;
    layout.secondaryMonitors = {{1280, 0, 1024, 768}, {-800, 0, 800, 600}};
    presenter.BeginRun(ComputeFrameGeometry(64, 48, 0), layout);
    presenter.PresentFrame(-1, -1);
    monitors.Present(presenter.Work().data(), 64, 48, {5000, 0, 64, 48});
    for (const auto &[target, width] : {std::pair{&primary, 1280}, {&right, 1024}, {&left, 800}}) {
        ASSERT_EQ(target->rects.size(), 1u) << width;
        EXPECT_EQ(target->rects[0].x, 0) << width;
        EXPECT_EQ(target->rects[0].y, 0) << width;
        EXPECT_EQ(target->rects[0].width, width);
    }
}

TEST_F(FramePresenterTest, ExitFadeDarkensOverSixteenFrames)
{
    Begin(RunMode::Saver, 0);
    presenter.ExitFade(16, 5);
    ASSERT_EQ(RecordedCallCount(), 16);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(RecordedCalls()[i].mul, 720 + 90 - (i + 1) * 5) << "frame " << i + 1;
}

TEST(FramePresenter, MissingEngineEntryAbandonsOnlyThatFrame)
{
    EngineLibrary partial("libOrvexPartialEngine.so", {test::kTestBinDir});
    RecordingTarget target;
    FramePresenter presenter(partial, target);
    presenter.BeginRun(ComputeFrameGeometry(64, 48, 0), {});
    presenter.PresentFrame(-1, -1);
    presenter.PresentFrame(-1, -1);
    EXPECT_TRUE(target.rects.empty()) << "the rest of a failed frame is skipped";
}

TEST(BlendChoice, DesktopOnlyFullScreenAndFiltersByType)
{
    EXPECT_EQ(ChooseBlend(RunMode::Saver, 10, 0), BlendRoutine::DesktopMask);
    EXPECT_EQ(ChooseBlend(RunMode::DialogPreview, 10, 0), BlendRoutine::Plain);
    EXPECT_EQ(ChooseBlend(RunMode::Saver, 0, 1), BlendRoutine::Filter);
    EXPECT_EQ(ChooseBlend(RunMode::HostPreview, 0, 2), BlendRoutine::Filter);
    EXPECT_EQ(ChooseBlend(RunMode::Saver, 0, 3), BlendRoutine::None);
    EXPECT_TRUE(BlitShowsWorkBuffer(RunMode::Saver, 0, 0));
    EXPECT_FALSE(BlitShowsWorkBuffer(RunMode::Saver, 5, 0));
    EXPECT_TRUE(BlitShowsWorkBuffer(RunMode::DialogPreview, 5, 0));
    EXPECT_FALSE(BlitShowsWorkBuffer(RunMode::HostPreview, 0, 1));
}

TEST(OffscreenTarget, CopiesOneToOneAndStretchesNearestNeighbour)
{
    const uint32_t frame[2 * 2] = {1, 2, 3, 4};
    OffscreenTarget target(4, 4);
    target.Present(frame, 2, 2, {0, 0, 2, 2});
    EXPECT_EQ(target.Pixels()[0], 1u);
    EXPECT_EQ(target.Pixels()[1], 2u);
    EXPECT_EQ(target.Pixels()[4], 3u);
    EXPECT_EQ(target.Pixels()[2], 0u) << "outside the rectangle stays untouched";

    target.Present(frame, 2, 2, {0, 0, 4, 4});
    const std::vector<uint32_t> expected = {1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4};
    EXPECT_EQ(target.Pixels(), expected);

    target.Present(frame, 2, 2, {3, 3, 4, 4});
    EXPECT_EQ(target.Pixels()[15], 1u) << "clipped at the right and bottom edges";
    target.Present(frame, 2, 2, {-2, -2, 4, 4});
    EXPECT_EQ(target.Pixels()[0], 4u) << "clipped at the left and top edges";
}

} // namespace
} // namespace orvex
