// SPDX-License-Identifier: MIT
#include "xscreensaverlist.h"

#include <gtest/gtest.h>

namespace orvex {
namespace {

using Result = ProgramsListEdit::Result;

// The entry as it is added.
const std::string kEntry = "  \"Orvex Lumora\"  orvex-lumora --root  \\n\\\n";

// Laid out as xscreensaver-settings 6 writes the file: the list ends on a blank line.
const std::string kHead = "# XScreenSaver Preferences File\n"
                          "timeout:\t0:10:00\n"
                          "mode:\t\trandom\n"
                          "selected:\t3\n"
                          "\n"
                          "programs:\t\t\t\t\t\t\t\t      \\\n"
                          "\t\t\t\tmaze --root\t\t\t\t    \\n\\\n"
                          "- GL: \t\t\t\tsuperquadrics --root\t\t\t    \\n\\\n"
                          "-\t\t\t\tnoseguy --root\t\t\t\t    \\n\\\n"
                          "\t\t\t\tdecayscreen --root\t\t\t    \\n\\\n";
const std::string kTail = "\n"
                          "\n"
                          "pointerHysteresis:  10\n";

struct ListCase {
    const char *name;
    std::string file;
    Result result;
    std::string edited; // Added: the whole file afterwards
};

void PrintTo(const ListCase &c, std::ostream *out) { *out << c.name; }

class ProgramsListTest : public testing::TestWithParam<ListCase> {};

TEST_P(ProgramsListTest, AddsOneLineAndChangesNoOther)
{
    const ListCase &c = GetParam();
    const ProgramsListEdit edit = AddSaverToProgramsList(c.file);
    EXPECT_EQ(edit.result, c.result);
    EXPECT_EQ(edit.text, c.edited);
}

INSTANTIATE_TEST_SUITE_P(Files, ProgramsListTest, testing::Values(
    // Last in the list, so that "selected" still counts to the same entry.
    ListCase{"ListInTheMiddle", kHead + kTail, Result::Added, kHead + kEntry + kTail},
    ListCase{"ListIsTheLastResource", kHead, Result::Added, kHead + kEntry},
    // Written by hand like the system's list: the last entry ends the value without a
    // backslash, and an entry may go on over a second line.
    ListCase{"LastEntryEndsTheValue",
             "programs: \\\n  maze -root \\n\\\n  qix -root \\\n    -solid \\n\\\n  qix -root \\\n    -linear \\n\n",
             Result::Added,
             "programs: \\\n  maze -root \\n\\\n  qix -root \\\n    -solid \\n\\\n" + kEntry
                 + "  qix -root \\\n    -linear \\n\n"},
    ListCase{"Listed", kHead + "\t\t\t\"Orvex Lumora\"  orvex-lumora --root\t\\n\\\n" + kTail, Result::AlreadyListed, ""},
    ListCase{"ListedDisabledWithAVisual", kHead + "- GL:  /usr/bin/orvex-lumora -root -fps \\n\\\n" + kTail,
             Result::AlreadyListed, ""},
    // Another program whose name or title only looks like ours.
    ListCase{"OnlyLookalikes",
             "programs: \\\n \"orvex-lumora\" maze -root \\n\\\n orvex-lumora-old -root \\n\\\n\n",
             Result::Added,
             "programs: \\\n \"orvex-lumora\" maze -root \\n\\\n orvex-lumora-old -root \\n\\\n" + kEntry + "\n"},
    ListCase{"NoProgramsResource", "timeout: 0:10:00\n# programs: \\\n  maze -root \\n\\\n\nmode: one\n",
             Result::NoList, ""},
    ListCase{"ListOnOneLine", "timeout: 0:10:00\nprograms: maze -root\nmode: one\n", Result::NoLineToAdd, ""}),
    [](const testing::TestParamInfo<ListCase> &info) { return std::string(info.param.name); });

} // namespace
} // namespace orvex
