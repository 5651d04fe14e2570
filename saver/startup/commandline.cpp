// SPDX-License-Identifier: MIT
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
    bool addToXScreenSaver = false;
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

    bool operator==(const DashedOptions &) const = default;
};

std::optional<int32_t> ParseInRange(std::string_view text, int32_t low, int32_t high)
{
    const auto value = ParseNumber<int32_t>(text);
    return value && *value >= low && *value <= high ? value : std::nullopt;
}

// A run's star count, 10..99999, or 0 for each theme's own.
std::optional<int32_t> ParseStarCount(std::string_view text)
{
    const auto value = ParseInRange(text, 0, 99999);
    return value && (*value == 0 || *value >= 10) ? value : std::nullopt;
}

std::optional<int32_t> ParseTheme(std::string_view text)
{
    if (text == "random")
        return RunOverrides::kRandomTheme;
    return ParseInRange(text, 0, kFactoryThemeCount);
}

// An option's value: nullopt for an option given without one.
using OptionValue = std::optional<std::string_view>;

struct OptionRule {
    std::string_view name;
    bool takesValue;
    // False when the value is not acceptable.
    std::function<bool(DashedOptions &, OptionValue value)> apply;
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
        {"root", false, [](DashedOptions &o, OptionValue) { return o.root = true; }},
        {"fps", false, [](DashedOptions &o, OptionValue v) {
             if (!v)
                 return o.fps = true;
             return Store(o.rate, ParseNumber<int32_t>(*v));
         }, true},
        {"fps-log", false, [](DashedOptions &o, OptionValue) { return o.fpsLog = true; }},
        {"window-id", true, [](DashedOptions &o, OptionValue v) { return Store(o.windowId, ParseWindowId(*v)); }},
        {"seed", true, [](DashedOptions &o, OptionValue v) { return Store(o.seed, ParseNumber<uint32_t>(*v)); }},
        {"help", false, [](DashedOptions &o, OptionValue) { return o.help = true; }},
        {"version", false, [](DashedOptions &o, OptionValue) { return o.version = true; }},
        {"add-to-xscreensaver", false, [](DashedOptions &o, OptionValue) { return o.addToXScreenSaver = true; }},
        {"snapshot", true, [](DashedOptions &o, OptionValue v) {
             o.snapshotPath = std::filesystem::path(*v);
             return !v->empty();
         }},
        {"frames", true, [](DashedOptions &o, OptionValue v) {
             return Store(o.frames, ParseNumber<int64_t>(*v)) && *o.frames >= 1;
         }},
        {"size", true, [](DashedOptions &o, OptionValue v) { return Store(o.size, ParseSize(*v)); }},
        {"record", true, [](DashedOptions &o, OptionValue v) {
             o.recordPath = std::filesystem::path(*v);
             return !v->empty();
         }},
        {"codec", true, [](DashedOptions &o, OptionValue v) {
             o.codec = std::string(*v);
             return !v->empty();
         }},
        {"theme", true, [](DashedOptions &o, OptionValue v) { return Store(o.theme, ParseTheme(*v)); }},
        {"delay", true, [](DashedOptions &o, OptionValue v) { return Store(o.delay, ParseInRange(*v, 0, 999)); }},
        {"stars", true, [](DashedOptions &o, OptionValue v) { return Store(o.stars, ParseStarCount(*v)); }},
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

// The options that choose a mode of their own, which a host's switch cannot be given with.
bool ChoosesAMode(const DashedOptions &options)
{
    return options.root || options.windowId || options.snapshotPath || options.recordPath
           || options.addToXScreenSaver;
}

// The saver modes chosen by options alone: the host's preview, -root or the saver.
CommandLine DashedSaverMode(const DashedOptions &options)
{
    CommandLine line;
    if (options.windowId) {
        line.mode = ProgramMode::HostPreview;
        line.previewParent = std::min(*options.windowId, kLargestWindowId + 1);
    } else {
        line.mode = options.root ? ProgramMode::RootSaver : ProgramMode::Saver;
    }
    return line;
}

// hostSwitch: the arguments that are not options, joined; nullopt when there were only options.
CommandLine ChooseMode(const DashedOptions &options, const std::optional<std::string> &hostSwitch)
{
    if (options.help || options.version) {
        CommandLine line;
        line.mode = options.help ? ProgramMode::Help : ProgramMode::Version;
        return line;
    }
    if (hostSwitch && ChoosesAMode(options))
        return UsageError("'" + *hostSwitch + "' cannot be given with -root, -window-id, --snapshot, --record or "
                          "--add-to-xscreensaver");
    if (options.recordPath)
        return RecordMode(options);
    if (options.rate || options.codec)
        return UsageError("--fps R and --codec belong to --record");
    if (options.snapshotPath)
        return SnapshotMode(options);
    if (options.frames || options.size)
        return UsageError("--frames and --size belong to --snapshot and --record");
    if (options.addToXScreenSaver) {
        // The entry it writes is always the same: other options would be lost on it.
        DashedOptions alone;
        alone.addToXScreenSaver = true;
        if (options != alone)
            return UsageError("--add-to-xscreensaver takes no other options");
        CommandLine line;
        line.mode = ProgramMode::AddToXScreenSaver;
        return line;
    }
    CommandLine line = hostSwitch ? WindowsSwitch(*hostSwitch) : DashedSaverMode(options);
    line.seed = options.seed;
    line.showFrameRate = options.fps;
    line.logFrameRate = options.fpsLog;
    // -stars 0 keeps each theme's own count: a host's slider needs a position for that.
    line.overrides = {options.theme, options.delay, options.stars == 0 ? std::nullopt : options.stars};
    return line;
}

bool IsOption(const std::string &argument) { return argument.size() > 1 && argument[0] == '-'; }

// Reads the option args[i] into options, and its value: after "=", or the next argument
// (then i moves past it). What is wrong with it, if anything.
std::optional<std::string> ReadOption(const std::vector<std::string> &args, size_t &i, DashedOptions &options)
{
    const std::string &argument = args[i];
    const size_t equals = argument.find('=');
    const std::string option = argument.substr(0, equals);
    const OptionRule *rule = FindRule(option);
    if (rule == nullptr)
        return "unknown option " + option;
    OptionValue value;
    if (equals != std::string::npos) {
        if (!rule->takesValue && !rule->numberMayFollow)
            return option + " takes no value";
        value = std::string_view(argument).substr(equals + 1);
    } else if (rule->takesValue || (rule->numberMayFollow && i + 1 < args.size() && ParseNumber<int64_t>(args[i + 1]))) {
        if (i + 1 >= args.size())
            return option + " needs a value";
        value = args[++i];
    }
    if (!rule->apply(options, value))
        return "bad value for " + option + ": " + std::string(value.value_or(""));
    return std::nullopt;
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
    DashedOptions options;
    std::vector<std::string> hostWords;
    for (size_t i = 0; i < args.size(); ++i) {
        if (!IsOption(args[i]))
            hostWords.push_back(args[i]);
        else if (const std::optional<std::string> error = ReadOption(args, i, options))
            return UsageError(*error);
    }
    // No arguments at all is the host's empty switch: the settings.
    const bool hostSwitch = !hostWords.empty() || args.empty();
    return ChooseMode(options, hostSwitch ? std::optional(JoinArguments(hostWords)) : std::nullopt);
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
           "Options (one or two dashes, before or after a switch; a value follows as the next\n"
           "argument or after \"=\"):\n"
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
           "  --add-to-xscreensaver\n"
           "                  add the saver to the programs list in ~/.xscreensaver, the file\n"
           "                  xscreensaver-settings writes\n"
           "  -help           show this text\n"
           "  -version        show the version\n";
}

} // namespace orvex
