// SPDX-License-Identifier: MIT
#include "recordprogress.h"

#include <algorithm>
#include <cstdio>

namespace orvex {

namespace {

constexpr int kBarWidth = 30;
// The bar is redrawn at most this often, so a fast recording does not flood the terminal.
constexpr uint32_t kRedrawMs = 100;

} // namespace

double FramesPerSecond(const VideoProgress &p)
{
    return p.elapsedMs > 0 ? p.frameIndex * 1000.0 / p.elapsedMs : 0.0;
}

std::string ProgressBarText(const VideoProgress &p)
{
    const int64_t end = p.endIndex > 0 ? p.endIndex : 1;
    const int filled = int(std::min<int64_t>(p.frameIndex, end) * kBarWidth / end);
    const double fps = FramesPerSecond(p);
    const int64_t left = fps > 0 ? int64_t((p.endIndex - p.frameIndex) / fps + 0.5) : 0;
    char figures[96];
    std::snprintf(figures, sizeof figures, "  %lld/%lld frames  %.1f fps  %lld:%02lld left",
                  static_cast<long long>(p.frameIndex), static_cast<long long>(p.endIndex), fps,
                  static_cast<long long>(left / 60), static_cast<long long>(left % 60));
    return "[" + std::string(size_t(filled), '#') + std::string(size_t(kBarWidth - filled), '.') + "]" + figures;
}

void RecordProgress::FrameWritten(const VideoProgress &progress)
{
    last_ = progress;
    if (!terminal_)
        return;
    const bool lastFrame = progress.frameIndex >= progress.endIndex;
    if (drawn_ && !lastFrame && progress.elapsedMs - lastDrawnMs_ < kRedrawMs)
        return;
    out_ << '\r' << ProgressBarText(progress) << std::flush;
    lastDrawnMs_ = progress.elapsedMs;
    drawn_ = true;
}

void RecordProgress::EndBar()
{
    if (drawn_)
        out_ << '\n';
    drawn_ = false;
}

void RecordProgress::Finished(const std::filesystem::path &file)
{
    EndBar();
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.1f", FramesPerSecond(last_));
    out_ << "orvex-lumora: wrote " << last_.frameIndex << " frames to " << file.string() << " (" << rate
         << " frames per second)\n";
}

} // namespace orvex
