#include "commandline.h"

#include "framegeometry.h"
#include "templatefilenames.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <functional>
#include <limits>

namespace orvex {

namespace {

constexpr uint64_t kLargestWindowId = std::numeric_limits<uint32_t>::max();
constexpr int32_t kFactoryThemeCount = 24;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Upper(std::string_view text)
{
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return upper;
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The host hands the switch over as one text; the shell may have split it into words.
std::string JoinArguments(const std::vector<std::string> &args)
{
    std::string joined;
    for (size_t i = 0; i < args.size(); ++i)
        joined += (i == 0 ? "" : " ") + args[i];
    return joined;
}

CommandLine WindowsSwitch(const std::string &argument)
{
    CommandLine line;
    const std::string prefix = Upper(std::string_view(argument).substr(0, 2));
    const std::string_view rest = argument.size() > 2 ? std::string_view(argument).substr(2) : "";
    // Every absolute Linux path begins with "/", so a template path must be recognised
    // before the switches are; no switch ends in ".lmr".
    if (IsTemplateFileName(argument)) {
        line.mode = ProgramMode::SaverWithTemplate;
        line.templatePath = argument;
    } else if (Trimmed(argument).empty() || prefix == "/C") {
        line.mode = ProgramMode::Properties;
    } else if (prefix == "/S") {
        line.mode = ProgramMode::SaverSingleInstance;
    } else if (prefix == "/P") {
        line.mode = ProgramMode::HostPreview;
        line.previewParent = ReadLeadingNumber(rest);
    } else if (prefix == "/A") {
        line.mode = ProgramMode::ChangePassword;
    } else {
        line.mode = ProgramMode::Saver;
    }
    return line;
}

template <typename Number>
std::optional<Number> ParseNumber(std::string_view text, int base = 10)
{
    Number value{};
    const char *end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::optional<std::pair<int32_t, int32_t>> ParseSize(std::string_view text)
{
    const size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        return std::nullopt;
    const auto width = ParseNumber<int32_t>(text.substr(0, x));
    const auto height = ParseNumber<int32_t>(text.substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > kLargestRenderSide
        || *height > kLargestRenderSide)
        return std::nullopt;
    return std::pair(*width, *height);
}

// Collects the dashed options; the mode is decided once all are read.
struct DashedOptions {
    bool root = false;
    bool fps = false;
    bool fpsLog = false;
    std::optional<uint64_t> windowId;
    bool help = false;
    bool version = false;
    std::optional<uint32_t> seed;
    std::optional<std::filesystem::path> snapshotPath;
    std::optional<std::filesystem::path> recordPath;
    std::optional<int32_t> rate;
    std::optional<std::string> codec;
    std::optional<int64_t> frames;
    std::optional<std::pair<int32_t, int32_t>> size;
    std::optional<int32_t> theme;
    std::optional<int32_t> delay;
    std::optional<int32_t> stars;
};

std::optional<int32_t> ParseInRange(std::string_view text, int32_t low, int32_t high)
{
    const auto value = ParseNumber<int32_t>(text);
    return value && *value >= low && *value <= high ? value : std::nullopt;
}

std::optional<int32_t> ParseTheme(std::string_view text)
{
    if (text == "random")
        return RunOverrides::kRandomTheme;
    return ParseInRange(text, 0, kFactoryThemeCount);
}

struct OptionRule {
    std::string_view name;
    bool takesValue;
    // False when the value is not acceptable.
    std::function<bool(DashedOptions &, std::string_view value)> apply;
    // Without takesValue: the next argument is the value when it is a number (-fps, --fps R).
    bool numberMayFollow = false;
};

template <typename T>
bool Store(std::optional<T> &slot, std::optional<T> value)
{
    slot = value;
    return value.has_value();
}

const std::vector<OptionRule> &OptionRules()
{
    static const std::vector<OptionRule> rules = {
        {"root", false, [](DashedOptions &o, std::string_view) { return o.root = true; }},
        {"fps", false, [](DashedOptions &o, std::string_view v) {
             if (v.empty())
                 return o.fps = true;
             return Store(o.rate, ParseNumber<int32_t>(v));
         }, true},
        {"fps-log", false, [](DashedOptions &o, std::string_view) { return o.fpsLog = true; }},
        {"window-id", true, [](DashedOptions &o, std::string_view v) { return Store(o.windowId, ParseWindowId(v)); }},
        {"seed", true, [](DashedOptions &o, std::string_view v) { return Store(o.seed, ParseNumber<uint32_t>(v)); }},
        {"help", false, [](DashedOptions &o, std::string_view) { return o.help = true; }},
        {"version", false, [](DashedOptions &o, std::string_view) { return o.version = true; }},
        {"snapshot", true, [](DashedOptions &o, std::string_view v) {
             o.snapshotPath = std::filesystem::path(v);
             return !v.empty();
         }},
        {"frames", true, [](DashedOptions &o, std::string_view v) {
             return Store(o.frames, ParseNumber<int64_t>(v)) && *o.frames >= 1;
         }},
        {"size", true, [](DashedOptions &o, std::string_view v) { return Store(o.size, ParseSize(v)); }},
        {"record", true, [](DashedOptions &o, std::string_view v) {
             o.recordPath = std::filesystem::path(v);
             return !v.empty();
         }},
        {"codec", true, [](DashedOptions &o, std::string_view v) {
             o.codec = std::string(v);
             return !v.empty();
         }},
        {"theme", true, [](DashedOptions &o, std::string_view v) { return Store(o.theme, ParseTheme(v)); }},
        {"delay", true, [](DashedOptions &o, std::string_view v) { return Store(o.delay, ParseInRange(v, 0, 999)); }},
        {"stars", true, [](DashedOptions &o, std::string_view v) { return Store(o.stars, ParseInRange(v, 0, 99999)); }},
    };
    return rules;
}

const OptionRule *FindRule(std::string_view argument)
{
    std::string_view name = argument.substr(1);
    if (!name.empty() && name.front() == '-')
        name.remove_prefix(1);
    const auto &rules = OptionRules();
    const auto rule = std::find_if(rules.begin(), rules.end(), [&](const OptionRule &r) { return r.name == name; });
    return rule == rules.end() ? nullptr : &*rule;
}

CommandLine UsageError(std::string message)
{
    CommandLine line;
    line.mode = ProgramMode::UsageError;
    line.error = std::move(message);
    return line;
}

// What the headless renderers share: the file, the frames, the size, the theme and the seed.
void FillHeadless(SnapshotOptions &headless, const std::filesystem::path &path, const DashedOptions &options)
{
    headless.path = path;
    headless.frames = *options.frames;
    headless.seed = options.seed;
    headless.theme = options.theme.value_or(0);
    if (options.size)
        std::tie(headless.width, headless.height) = *options.size;
}

CommandLine SnapshotMode(const DashedOptions &options)
{
    if (!options.frames)
        return UsageError("--snapshot needs --frames N");
    if (options.theme == RunOverrides::kRandomTheme || options.delay || options.stars)
        return UsageError("--snapshot takes --theme 0 to 24; random, -delay and -stars are for the saver");
    CommandLine line;
    line.mode = ProgramMode::Snapshot;
    line.seed = options.seed;
    FillHeadless(line.snapshot, *options.snapshotPath, options);
    return line;
}

CommandLine RecordMode(const DashedOptions &options)
{
    if (options.snapshotPath)
        return UsageError("--snapshot and --record are separate runs");
    if (!options.frames)
        return UsageError("--record needs --frames N");
    if (options.theme == RunOverrides::kRandomTheme || options.delay || options.stars || options.fps)
        return UsageError("--record takes --theme 0 to 24 and --fps R; random, -delay, -stars and -fps alone are "
                          "for the saver");
    CommandLine line;
    line.mode = ProgramMode::Record;
    line.seed = options.seed;
    FillHeadless(line.record, *options.recordPath, options);
    line.record.rate = options.rate.value_or(line.record.rate);
    line.record.codec = options.codec.value_or(line.record.codec);
    return line;
}

CommandLine ChooseMode(const DashedOptions &options)
{
    if (options.help || options.version) {
        CommandLine line;
        line.mode = options.help ? ProgramMode::Help : ProgramMode::Version;
        return line;
    }
    if (options.recordPath)
        return RecordMode(options);
    if (options.rate || options.codec)
        return UsageError("--fps R and --codec belong to --record");
    if (options.snapshotPath)
        return SnapshotMode(options);
    if (options.frames || options.size)
        return UsageError("--frames and --size belong to --snapshot and --record");
    CommandLine line;
    line.seed = options.seed;
    line.showFrameRate = options.fps;
    line.logFrameRate = options.fpsLog;
    // -stars 0 keeps each theme's own count: a host's slider needs a position for that.
    line.overrides = {options.theme, options.delay, options.stars == 0 ? std::nullopt : options.stars};
    if (options.windowId) {
        line.mode = ProgramMode::HostPreview;
        line.previewParent = std::min(*options.windowId, kLargestWindowId + 1);
    } else {
        line.mode = options.root ? ProgramMode::RootSaver : ProgramMode::Saver;
    }
    return line;
}

CommandLine DashedArguments(const std::vector<std::string> &args)
{
    DashedOptions options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string &argument = args[i];
        const OptionRule *rule = argument.size() > 1 && argument[0] == '-' ? FindRule(argument) : nullptr;
        if (rule == nullptr)
            return UsageError("unknown option " + argument);
        const bool takesValue = rule->takesValue
                                || (rule->numberMayFollow && i + 1 < args.size() && ParseNumber<int64_t>(args[i + 1]));
        if (takesValue && i + 1 >= args.size())
            return UsageError(argument + " needs a value");
        const std::string_view value = takesValue ? std::string_view(args[++i]) : std::string_view();
        if (!rule->apply(options, value))
            return UsageError("bad value for " + argument + ": " + std::string(value));
    }
    return ChooseMode(options);
}

} // namespace

uint64_t ReadLeadingNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    uint64_t number = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        number = std::min(number * 10 + uint64_t(text[i] - '0'), kLargestWindowId + 1);
    return number;
}

std::optional<uint64_t> ParseWindowId(std::string_view text)
{
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseNumber<uint64_t>(text.substr(2), 16);
    return ParseNumber<uint64_t>(text);
}

CommandLine CommandLine::Parse(const std::vector<std::string> &args)
{
    if (!args.empty() && args[0].size() > 1 && args[0][0] == '-')
        return DashedArguments(args);
    return WindowsSwitch(JoinArguments(args));
}

std::string UsageText(std::string_view programName)
{
    const std::string name(programName);
    return "Usage: " + name + " [switch | options]\n"
           "Screen-saver host switches:\n"
           "  /S              run the saver full screen (once)\n"
           "  /P ID           draw a preview inside window ID\n"
           "  /C              open the settings\n"
           "  FILE.lmr        run the saver with a template file\n"
           "Options (one or two dashes):\n"
           "  -root           draw inside $XSCREENSAVER_WINDOW, or the root window\n"
           "  -window-id ID   draw a preview inside window ID (decimal or 0x hex)\n"
           "  -seed N         fixed random seed (default: ORVEX_SEED, else the clock)\n"
           "  -fps            show frames per second, milliseconds per frame and CPU load\n"
           "  -fps-log        write the same figures to stderr once a second\n"
           "  -theme K        this run's theme: 1..24 a factory theme, 0 the stored settings,\n"
           "                  random a factory theme drawn at every theme change\n"
           "  -delay MS       this run's frame delay in milliseconds (0..999)\n"
           "  -stars N        this run's star count (10..99999; 0 keeps each theme's own)\n"
           "                  -theme, -delay and -stars never change the stored settings\n"
           "  --snapshot FILE.png --frames N [--size WxH] [--theme K] [--seed S]\n"
           "                  render N frames without a display and save the last one\n"
           "                  (size 320x240 by default; theme 1..24, 0 for the stored settings)\n"
           "  --record FILE --frames N [--size WxH] [--theme K] [--fps R] [--codec NAME] [--seed S]\n"
           "                  record N frames into a video file without a display (.avi, .mkv or .mp4;\n"
           "                  24 frames a second; h264 for .mp4, or mpeg4 at an odd height, else mjpeg\n"
           "                  by default; codecs: mjpeg, ffv1, huffyuv, mpeg4, h264, uncompressed)\n"
           "  -help           show this text\n"
           "  -version        show the version\n";
}

} // namespace orvex
