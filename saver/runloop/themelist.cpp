// SPDX-License-Identifier: MIT
#include "themelist.h"

#include "programrandomtable.h"
#include "settingsstore.h"

namespace orvex {

namespace {
enum CycleStyle : int32_t { kStartAtFirst = 0, kIncremental = 1, kRandom = 2 };
} // namespace

int32_t ThemeList::RandomPosition(ProgramRandomTable &random) const
{
    return static_cast<int32_t>(random.ProgramRandomUnit() * static_cast<double>(entries_.size()));
}

std::optional<int32_t> ThemeList::Build(const ThemeListSettings &settings, ProgramRandomTable &random)
{
    ready_ = true;
    entries_.clear();
    const int32_t flags = ClampLong(settings.themeFlags, 0, (1 << kFactoryThemes) - 1);
    for (int32_t bit = 0; bit < kFactoryThemes; ++bit)
        if (flags & (1 << bit))
            entries_.push_back(bit);
    folder_ = settings.templateDirectory;
    if (folder_.empty() || (folder_.back() != '/' && folder_.back() != '\\'))
        folder_ += '/';
    // Template keys carry four digits, so no more files can be named than that.
    const int32_t templateFiles = ClampLong(settings.templateFileCount, 0, 10000);
    for (int32_t k = 0; k < templateFiles; ++k)
        entries_.push_back(kFactoryThemes + k);
    if (entries_.empty())
        entries_.push_back(0);

    style_ = settings.cycleStyle;
    position_ = 0;
    const auto count = static_cast<int32_t>(entries_.size());
    switch (style_) {
    case kIncremental:
        position_ = ((settings.cycleStyleIndex % count) + count) % count;
        return position_ + 1;
    case kRandom:
        position_ = RandomPosition(random);
        break;
    default:
        break;
    }
    return std::nullopt;
}

void ThemeList::Advance(ProgramRandomTable &random)
{
    const auto count = static_cast<int32_t>(entries_.size());
    if (style_ == kStartAtFirst || style_ == kIncremental)
        position_ = (position_ + 1) % count;
    else if (style_ == kRandom)
        position_ = RandomPosition(random);
}

} // namespace orvex
