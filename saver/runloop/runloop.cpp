// SPDX-License-Identifier: MIT
#include "runloop.h"

#include "applytheme.h"
#include "clock.h"
#include "colourfilter.h"
#include "cyclestep.h"
#include "enginelibrary.h"
#include "factorythemes.h"
#include "guarded.h"
#include "numbertext.h"
#include "presentationtarget.h"
#include "safefile.h"
#include "settingdescriptors.h"
#include "settingvalues.h"
#include "startup.h"
#include "startupcontext.h"
#include "templatefilenames.h"
#include "templateio.h"
#include "writewithoutwaiting.h"

#include <algorithm>
#include <new>
#include <stdexcept>
#include <string>

#include <unistd.h>

namespace orvex {

namespace {

constexpr int32_t kPreviewFrameDelayMs = 20;

// -fps-log: a line that the reader of stderr does not take at once is dropped, so that a
// pipe nobody reads never holds up the saver.
void LogToStderr(const std::string &line)
{
    WriteWithoutWaiting(STDERR_FILENO, line + "\n");
}

// A setting declared in the settings table, read in its declared type with its default
// (the rendering size defaults to the screen).
double Declared(const SettingsStore &store, std::string_view section, std::string_view key, Resolution screen = {})
{
    const SettingDescriptor *descriptor = FindDescriptor(section, key);
    if (descriptor == nullptr)
        throw std::logic_error("undeclared setting " + std::string(key));
    return ReadStoredNumber(store, *descriptor, screen);
}

int32_t DeclaredInt(const SettingsStore &store, std::string_view section, std::string_view key,
                    Resolution screen = {})
{
    return RoundHalfEven(Declared(store, section, key, screen));
}

} // namespace

RunLoop::RunLoop(StartupContext &context, SettingsStore &store, EngineLibrary &engine, Clock &clock,
                 EventPump &pump, PresentationTarget &target)
    : context_(context), store_(store), engine_(engine), target_(target),
      pacer_(clock, pump, context.stopRequested), presenter_(engine, target), stats_(clock), clock_(clock)
{
    presenter_.SetStats(&stats_);
}

void RunLoop::EnableMessage(TextRasteriser &rasteriser)
{
    message_.emplace(rasteriser, clock_);
    presenter_.SetMessage(&*message_);
}

void RunLoop::WritePerformanceLog() const
{
    if (!stats_.Measuring() || stats_.StatsText().empty())
        return;
    RunDescription run;
    run.version = TemplateVersion();
    run.width = settings_.geometry.renderWidth;
    run.height = settings_.geometry.renderHeight;
    run.pitch = settings_.geometry.renderWidth;
    run.blendMul = run_.blendMul;
    run.frameDelayMs = settings_.frameDelayMs;
    run.stars = starsAtThemeStart_;
    std::error_code error;
    run.programName = std::filesystem::read_symlink("/proc/self/exe", error).stem().string();
    AppendToFile(PerformanceLogPath(store_.File()), PerformanceReport(run, stats_.StatsText(), stats_.Totals()));
}

void RunLoop::WatchHostWindow(std::function<bool()> hostWindowExists)
{
    pacer_.WatchHostWindow(std::move(hostWindowExists));
}

void RunLoop::PrepareRun(bool previewPace)
{
    RunSettings s;
    s.vertOffset = ClampLong(DeclaredInt(store_, kSectionDirectX, "DX_VertOffset"), -9, 9);
    s.frameDelayMs = DeclaredInt(store_, kSectionAdvanced, "Adv_TimeDelay");
    const bool cycleThemes = DeclaredInt(store_, kSectionAdvanced, "Adv_ZeviCycle") != 0;
    if (cycleThemes) {
        const int32_t frames = DeclaredInt(store_, kSectionAdvanced, "Adv_EffectFPC");
        s.framesPerTheme = frames > 0 ? ClampLong(frames, 100, 30000) : frames;
        s.perfMult = static_cast<float>(Declared(store_, kSectionAdvanced, "Adv_PerfMult"));
    } else {
        s.framesPerTheme = 0;
        s.perfMult = 1.0f;
    }
    Guarded([&] {
        colours_.SetWheelSettings(LoadHueWheelSettings(store_));
        colours_.RefreshHueWheel(true, true);
    });
    if (previewPace)
        s.frameDelayMs = kPreviewFrameDelayMs;
    // Asked for by name on the command line, so it wins over the preview's pace too.
    s.frameDelayMs = context_.overrides.frameDelayMs.value_or(s.frameDelayMs);

    const Resolution size = RenderSize();
    s.geometry = ComputeFrameGeometry(size.width, size.height, s.vertOffset);
    try {
        AllocateFrames(s, size);
    } catch (const std::bad_alloc &) {
        throw FrameAllocationError(s.geometry);
    }
}

Resolution RunLoop::RenderSize() const
{
    if (context_.runMode != RunMode::Saver)
        return {target_.InnerWidth(), target_.InnerHeight()};
    const Resolution screen{context_.screenWidthPx, context_.screenHeightPx};
    const Resolution stored{DeclaredInt(store_, kSectionDirectX, "DX_WinWidth", screen),
                            DeclaredInt(store_, kSectionDirectX, "DX_WinHeight", screen)};
    return ResolutionListContains(context_.resolutions, stored) ? stored : screen;
}

FrameAllocationError::FrameAllocationError(const FrameGeometry &geometry)
    : std::runtime_error("not enough memory for a " + std::to_string(geometry.renderWidth) + "x"
                         + std::to_string(geometry.renderHeight) + " frame")
{
}

void RunLoop::AllocateFrames(const RunSettings &s, Resolution size)
{
    if (context_.runMode == RunMode::Saver)
        target_.Resize(std::min(size.width, kLargestRenderSide), std::min(size.height, kLargestRenderSide));
    if (target_.InnerWidth() < s.geometry.renderWidth)
        target_.Resize(s.geometry.renderWidth, target_.InnerHeight());

    settings_ = s;
    pacer_.SetFrameDelay(s.frameDelayMs);
    budget_.SetFramesPerTheme(s.framesPerTheme);

    DisplayLayout layout;
    layout.mode = context_.runMode;
    layout.vertOffset = s.vertOffset;
    layout.screenWidth = context_.screenWidthPx;
    layout.screenHeight = context_.screenHeightPx;
    layout.mirrorOnMonitors = context_.multiMonitorMode == 0 && !context_.monitors.secondary.empty();
    layout.secondaryMonitors = context_.monitors.secondary;
    presenter_.BeginRun(s.geometry, std::move(layout));
}

void RunLoop::AdoptSurface(Resolution surface)
{
    if (context_.runMode == RunMode::Saver)
        AdoptHostWindowAsScreen(context_, surface.width, surface.height);
    else
        target_.Resize(surface.width, surface.height);
}

bool RunLoop::FollowHostSize()
{
    if (!resizedSurface_)
        return true;
    const std::optional<Resolution> surface = resizedSurface_();
    if (!surface)
        return true;
    const RunSettings before = settings_;
    // In saver mode the target has the rendering size, which AllocateFrames gives it again.
    const Resolution beforeTarget{target_.InnerWidth(), target_.InnerHeight()};
    const Resolution beforeSurface =
        context_.runMode == RunMode::Saver ? Resolution{context_.screenWidthPx, context_.screenHeightPx} : beforeTarget;
    try {
        AdoptSurface(*surface);
        RunSettings s = settings_;
        const Resolution size = RenderSize();
        s.geometry = ComputeFrameGeometry(size.width, size.height, s.vertOffset);
        AllocateFrames(s, size);
    } catch (...) {
        // The old frames were given up for the new ones: they are the ones to have again.
        try {
            AdoptSurface(beforeSurface);
            AllocateFrames(before, beforeTarget);
        } catch (...) {
            context_.stopRequested = true;
            return false;
        }
    }
    if (message_)
        message_->Refit(settings_.geometry.renderWidth, settings_.geometry.renderHeight);
    return true;
}

void RunLoop::LoadPropsInitDX()
{
    stats_.Start(context_.perfLogThreshold);
    const bool overlay = context_.showFrameRate || store_.ReadSettingLong(kSectionDirectX, "DX_ShowFPS", 0) == 1;
    if (overlay || context_.logFrameRate)
        meter_.emplace(clock_, context_.logFrameRate ? LogToStderr : FrameRateMeter::LineLog());
    else
        meter_.reset();
    presenter_.SetFrameRateMeter(meter_ ? &*meter_ : nullptr, overlay);
    if (message_)
        message_->Start(MessageSettings::Load(store_), settings_.geometry.renderWidth,
                        settings_.geometry.renderHeight);
    const char *counter = nullptr;
    if (context_.runMode == RunMode::DialogPreview)
        counter = "UseCountPreview";
    else if (context_.runMode == RunMode::Saver)
        counter = "UseCountSaver";
    if (counter != nullptr) {
        const int32_t uses = store_.ReadSettingLong(kSectionGeneral, counter, 0);
        store_.WriteSettingIfUnlocked(kSectionGeneral, counter, uses < INT32_MAX ? uses + 1 : uses);
    }
}

void RunLoop::DisplayEffects()
{
    Guarded([&] { LoadPropsInitDX(); });
    while (!context_.stopRequested) {
        Guarded([&] { ChooseNextTheme(); });
        RunTheme(0);
    }
}

void RunLoop::ChooseNextTheme()
{
    if (!ChooseOverriddenTheme())
        ChooseCycledTheme();
    if (const std::optional<int32_t> stars = context_.overrides.stars)
        context_.properties.Set(StarProperty::Stars, *stars);
}

bool RunLoop::ChooseOverriddenTheme()
{
    const std::optional<int32_t> named = context_.overrides.theme;
    if (!named)
        return false;
    int32_t theme = *named;
    if (theme == RunOverrides::kRandomTheme)
        theme = 1 + static_cast<int32_t>(context_.random.ProgramRandomUnit() * kFactoryThemeCount);
    ApplyTheme(context_.properties, store_, theme, theme == 0 ? 1.0f : settings_.perfMult);
    const bool showName = theme > 0 && DeclaredInt(store_, kSectionAdvanced, "Adv_DispTempName") != 0;
    themeMessage_ = showName ? FillThemeList(true)[theme - 1] : std::string();
    return true;
}

void RunLoop::ChooseCycledTheme()
{
    StarPropertySet &set = context_.properties;
    if (context_.runMode == RunMode::Saver && store_.ReadSettingLong(kSectionGeneral, "UseCountSaver", 0) < 2) {
        ApplyTheme(set, store_, 1, settings_.perfMult);
        return;
    }
    if (DeclaredInt(store_, kSectionAdvanced, "Adv_ZeviCycle") == 0) {
        ApplyTheme(set, store_, 0, 1.0f);
        return;
    }
    if (!themeList_.Ready()) {
        ThemeListSettings list;
        list.themeFlags = DeclaredInt(store_, kSectionAdvanced, "Adv_ThemeFlags");
        list.templateDirectory = store_.ReadSettingText(kSectionAdvanced, "Adv_TempDirectory");
        list.templateFileCount = store_.ReadSettingLong(kSectionAdvanced, "Adv_TempFileCount", 0);
        list.cycleStyle = DeclaredInt(store_, kSectionAdvanced, "Adv_CycleStyle");
        list.cycleStyleIndex = store_.ReadSettingLong(kSectionAdvanced, "Adv_CycleStyleIndex", 0);
        if (const auto next = themeList_.Build(list, context_.random))
            store_.WriteSettingIfUnlocked(kSectionAdvanced, "Adv_CycleStyleIndex", *next);
    } else {
        themeList_.Advance(context_.random);
    }

    const int32_t entry = themeList_.CurrentEntry();
    std::string name;
    if (entry >= ThemeList::kFactoryThemes) {
        name = store_.ReadSettingText(kSectionAdvanced, TemplateFileKey(entry - ThemeList::kFactoryThemes));
        const PropsContext props{store_, context_.templates, {context_.screenWidthPx, context_.screenHeightPx}};
        LoadTemplateIntoSettings(themeList_.Folder() + name, false, props);
        ApplyTheme(set, store_, 0, settings_.perfMult);
    } else {
        name = FillThemeList(true)[entry];
        ApplyTheme(set, store_, entry + 1, settings_.perfMult);
    }
    themeMessage_ = DeclaredInt(store_, kSectionAdvanced, "Adv_DispTempName") != 0 ? name : std::string();
}

void RunLoop::StartTheme()
{
    run_ = ToRuntimeProperties(context_.properties);
    StartThemeCycling(run_);
    starsAtThemeStart_ = run_.stars;
    presenter_.SetBlendMul(run_.blendMul);
    const auto &effects = context_.properties.effects;
    const RunFilter filter = FilterFromEffects(effects);
    presenter_.SetFilter(filter.type, filter.mask);
    presenter_.SetDesktop({effects.desktopPercent, effects.desktopFrames});
    if (message_ && !themeMessage_.empty())
        message_->SetText(themeMessage_);

    starStates_.assign(size_t(run_.stars) * 4, 0);
    starMotions_.assign(size_t(run_.stars) * 8, 0.0f);
    Guarded([&] { engine_.InitRandomArray(); });
    paths_.PathInit(run_.cometControl, PathRadius(), context_.random);
    paths_.PathStep(run_.cometCtrStep, run_.cometBiasSpd, PathRadius(), context_.random);

    themeColour_ = StartThemeColour(run_.colour);
    coneBuilt_ = false;
    starsThisFrame_ = run_.stars;
    budget_.StartTheme();
}

void RunLoop::RunFrame(bool firstFrame, int16_t colourFlag)
{
    const FrameGeometry &g = settings_.geometry;
    ApplyCycleFrame(run_, themeColour_.cycleClock);
    // The cone is forced until one build succeeded, so a failed first frame is made up for.
    Guarded([&] {
        const ColourStepRedraw redraw =
            ColorFrameStep(engine_, colours_, run_.colour, themeColour_, colourFlag != 0, firstFrame || !coneBuilt_);
        coneBuilt_ = true;
        ShowColourStep(redraw);
    });
    Guarded([&] {
        engine_.SetBrightLumora(g.halfWidth, g.halfHeight, g.xLimit, g.renderWidth, g.topMargin, g.yLimit,
            presenter_.WorkBuffer(), colours_.HueConeTable().data(), starsThisFrame_, starStates_.data(),
            starMotions_.data(), paths_.PathX(), paths_.PathY(), paths_.PathZ(), run_.speed, run_.persist,
            static_cast<float>(themeColour_.huePosition), run_.gravity, themeColour_.hueSwing, run_.emitPattern,
            run_.locVOff, run_.brightAgeInc, 0, run_.cometControl, run_.cometBiasPnt, run_.cometBiasExp,
            paths_.CometPhase(), run_.cometSplnExp, run_.cometSolWind, run_.cometScalMul);
    });
    presenter_.PresentFrame(-1, -1);
}

void RunLoop::ShowColourStep(const ColourStepRedraw &redraw) const
{
    if (!colourWatcher_ || !(redraw.conePicture || redraw.wedgeLines))
        return;
    ColourStepView view{redraw, themeColour_.huePosition, themeColour_.hueSwing, colours_.Wheel(), run_.colour};
    // The picture's own cone then triggers the engine at the bubble position the run's
    // cone just did, so the run's next cone is built exactly as without the picture.
    view.wheel.bubbleStart = colours_.BubblePosition();
    colourWatcher_(view);
}

bool RunLoop::FrameLimitReached()
{
    ++framesRun_;
    if (frameLimit_ > 0 && framesRun_ >= frameLimit_) {
        context_.stopRequested = true;
        return true;
    }
    return false;
}

void RunLoop::RunTheme(int16_t colourFlag)
{
    StartTheme();
    bool firstFrame = true;
    while (starsThisFrame_ >= 1) {
        pacer_.StartFrame();
        RunFrame(firstFrame, colourFlag);
        firstFrame = false;
        if (pacer_.FramePace() || FrameLimitReached())
            break;
        if (context_.runMode == RunMode::HostPreview)
            pacer_.PreviewWarmUp();
        if (budget_.ThemeFrameEnd(run_.stars, starsThisFrame_))
            break;
        paths_.PathStep(run_.cometCtrStep, run_.cometBiasSpd, PathRadius(), context_.random);
        if (!FollowHostSize())
            break;
    }
    starStates_ = {};
    starMotions_ = {};
}

} // namespace orvex
