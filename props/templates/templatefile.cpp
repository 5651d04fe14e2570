// SPDX-License-Identifier: MIT
#include "templatefile.h"

#include "safefile.h"
#include "settingdescriptors.h"

#include <algorithm>

namespace orvex {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string OneLine(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    return text;
}

} // namespace

const std::filesystem::path &TemplateFile::Resolve(const std::filesystem::path &path) const
{
    return path.empty() ? currentPath_ : path;
}

std::string TemplateFile::ReadTemplateValue(std::string_view section, std::string_view key,
                                            const SettingValue &defaultValue, const std::filesystem::path &path)
{
    const auto value = CacheOf(Resolve(path)).text.Value(section, key);
    return value ? std::string(*value) : defaultValue.ToText();
}

const TemplateFile::Cache &TemplateFile::CacheOf(const std::filesystem::path &file)
{
    if (!cache_ || cache_->path != file) {
        FileContents contents = ReadWholeFile(file);
        const bool readable = contents.status == FileContents::Status::Read;
        cache_ = Cache{file, TemplateText(std::move(contents.bytes)), readable};
    }
    return *cache_;
}

TemplateCheck TemplateFile::CheckTemplate(const std::filesystem::path &path)
{
    static constexpr std::string_view kTemplateSections[] = {
        kSectionAdmin, kSectionGeneral, kSectionAdvanced, kSectionDirectX, kSectionGenColor, kSectionLumora,
        kSectionCycleProps};
    const Cache &cache = CacheOf(path);
    if (!cache.readable)
        return TemplateCheck::Unreadable;
    for (const std::string_view section : kTemplateSections)
        if (cache.text.HasSection(section))
            return TemplateCheck::Usable;
    return TemplateCheck::NoTemplateSections;
}

void TemplateFile::WriteTemplateValue(std::string_view section, std::string_view key, const SettingValue &value,
                                      const std::filesystem::path &path)
{
    if (!output_)
        output_ = Output{Resolve(path), {}, {}};
    if (output_->text.empty() || section != output_->lastSection) {
        output_->text.append(kLineEnd).append("[").append(section).append("]").append(kLineEnd);
        output_->lastSection = section;
    }
    output_->text.append(key).append("=").append(OneLine(value.ToText())).append(kLineEnd);
}

bool TemplateFile::FinishWriting()
{
    if (!output_)
        return false;
    const Output output = std::move(*output_);
    output_.reset();
    if (cache_ && cache_->path == output.path)
        cache_.reset();
    return ReplaceFile(output.path, output.text, NewFileAccess::Shared);
}

} // namespace orvex
