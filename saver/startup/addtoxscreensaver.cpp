// SPDX-License-Identifier: MIT
#include "addtoxscreensaver.h"

#include "safefile.h"
#include "xscreensaverlist.h"

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

namespace orvex {

namespace {

// The file is XScreenSaver's own, holding every one of its settings; only a line is ever
// added to it. Its settings program writes it once a setting changes, not on opening.
constexpr const char *kHaveItWritten =
    "open xscreensaver-settings and change any setting to have it written, then run this again";

// Reads the file, or says why not.
std::optional<std::string> ReadList(const std::filesystem::path &file, std::ostream &err)
{
    FileContents contents = ReadWholeFile(file);
    switch (contents.status) {
    case FileContents::Status::Read:
        return std::move(contents.bytes);
    case FileContents::Status::Missing:
        err << "orvex-lumora: there is no " << file.string() << "; " << kHaveItWritten << "\n";
        return std::nullopt;
    case FileContents::Status::Unreadable:
        err << "orvex-lumora: cannot read " << file.string() << "\n";
        return std::nullopt;
    case FileContents::Status::NotAFile:
        err << "orvex-lumora: " << file.string() << " is not a regular file; it was left alone\n";
        return std::nullopt;
    }
    return std::nullopt;
}

} // namespace

int AddToXScreenSaver(const char *home, std::ostream &out, std::ostream &err)
{
    if (home == nullptr || *home == '\0') {
        err << "orvex-lumora: HOME is not set, so there is no ~/.xscreensaver to add the saver to\n";
        return 1;
    }
    const std::filesystem::path file = std::filesystem::path(home) / ".xscreensaver";
    const std::optional<std::string> list = ReadList(file, err);
    if (!list)
        return 1;
    const ProgramsListEdit edit = AddSaverToProgramsList(*list);
    switch (edit.result) {
    case ProgramsListEdit::Result::AlreadyListed:
        out << "orvex-lumora: " << file.string() << " already lists Orvex Lumora; nothing was changed\n";
        return 0;
    case ProgramsListEdit::Result::NoList:
        err << "orvex-lumora: " << file.string() << " has no programs list; " << kHaveItWritten << "\n";
        return 1;
    case ProgramsListEdit::Result::NoLineToAdd:
        err << "orvex-lumora: the programs list in " << file.string()
            << " has no line break between entries to add a line at; nothing was changed\n";
        return 1;
    case ProgramsListEdit::Result::Added:
        break;
    }
    if (!ReplaceFile(file, edit.text, NewFileAccess::Private)) {
        err << "orvex-lumora: cannot write " << file.string() << "; it was left as it was\n";
        return 1;
    }
    out << "orvex-lumora: added Orvex Lumora to the programs list in " << file.string()
        << "; choose it in xscreensaver-settings\n";
    return 0;
}

} // namespace orvex
