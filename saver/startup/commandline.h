// SPDX-License-Identifier: MIT
#pragma once
// What the program was asked to do. The screen-saver host's switches ("/S", "/P n", "/C",
// "/A n", a template path) keep their Windows meaning; arguments that begin with "-" are
// the Linux options (one or two dashes, a value as the next argument or after "="). The
// options may stand before, after or between the words of a host's switch.

#include "runoverrides.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace orvex {

enum class ProgramMode {
    Properties,          // empty argument or "/C…"
    SaverSingleInstance, // "/S…": nothing happens while a saver window exists
    Saver,               // any other argument: the saver without the single-instance test
    SaverWithTemplate,   // a path ending in ".lmr": load the template, then the saver
    HostPreview,         // "/P n" or -window-id n
    ChangePassword,      // "/A n": Linux has no system password dialog
    RootSaver,           // -root: full saver frames inside $XSCREENSAVER_WINDOW or the root window
    Snapshot,            // --snapshot FILE.png --frames N: headless frames into a PNG
    Record,              // --record FILE --frames N: headless frames into a video file
    AddToXScreenSaver,   // --add-to-xscreensaver: the saver into the user's XScreenSaver list
    Help,
    Version,
    UsageError,
};

struct SnapshotOptions {
    std::filesystem::path path;
    int64_t frames = 0;
    int32_t width = 320;
    int32_t height = 240;
    int32_t theme = 0; // 1..24 a factory theme, 0 the stored properties
    std::optional<uint32_t> seed;
};

struct RecordOptions : SnapshotOptions {
    int32_t rate = 24;           // frames per second, brought within 1..30
    std::string codec;           // a codec name of video/encoding/videocodecs.h; empty: the container's default
};

struct CommandLine {
    ProgramMode mode = ProgramMode::Properties;
    uint64_t previewParent = 0;     // HostPreview: the host's window
    std::string templatePath;       // SaverWithTemplate
    std::optional<uint32_t> seed;   // -seed N
    bool showFrameRate = false;     // -fps
    bool logFrameRate = false;      // -fps-log
    RunOverrides overrides;         // -theme, -delay, -stars: this run only
    SnapshotOptions snapshot;       // Snapshot
    RecordOptions record;           // Record
    std::string error;              // UsageError: which argument was wrong

    // args are the arguments after the program name.
    static CommandLine Parse(const std::vector<std::string> &args);
};

// "/P" and "/A" numbers: leading blanks skipped, digits up to the first other character,
// none give 0. Numbers too large for a window id saturate (they name no window).
uint64_t ReadLeadingNumber(std::string_view text);

// An X window id as tools print it: "0x" and hex digits, or decimal.
std::optional<uint64_t> ParseWindowId(std::string_view text);

std::string UsageText(std::string_view programName);

} // namespace orvex
