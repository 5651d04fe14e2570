#include "templatefile.h"

#include "safefile.h"

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
    const std::filesystem::path &file = Resolve(path);
    if (!cache_ || cache_->path != file)
        cache_ = Cache{file, TemplateText(ReadWholeFile(file).bytes)};
    const auto value = cache_->text.Value(section, key);
    return value ? std::string(*value) : defaultValue.ToText();
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
    return ReplaceFile(output.path, output.text);
}

} // namespace orvex
