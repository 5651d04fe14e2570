// SPDX-License-Identifier: MIT
#pragma once
// The saver's entry in XScreenSaver's list of display modes: the "programs:" resource of
// ~/.xscreensaver. Its value runs over many lines, each ended by a backslash before the
// line break; entries are separated by "\n" escapes, each "[-] [visual:] ["Name"] command"
// ("-" leaves it out of the random choice). The entry is added as a line of its own, so
// every other byte of the file stays as xscreensaver-settings or the user wrote it.

#include <string>
#include <string_view>

namespace orvex {

struct ProgramsListEdit {
    enum class Result {
        Added,         // text holds the whole file with the entry added
        AlreadyListed, // an entry, enabled or not, already runs orvex-lumora
        NoList,        // the file has no programs resource
        NoLineToAdd,   // the list has no line break between entries to put a line in
    };
    Result result;
    std::string text;
};

// Adds "Orvex Lumora", run as "orvex-lumora --root", to the end of the list in file (the
// contents of a ~/.xscreensaver); before the last entry when that one ends the list on a
// line of its own with no backslash to continue it.
ProgramsListEdit AddSaverToProgramsList(std::string_view file);

} // namespace orvex
