// SPDX-License-Identifier: MIT
// The program's entry: read the arguments, then hand over to the mode they ask for.

#include "addtoxscreensaver.h"
#include "commandline.h"
#include "onscreenprogram.h"
#include "productlicence.h"
#include "recordcommand.h"
#include "snapshot.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>

int main(int argc, char **argv)
{
    using namespace orvex;
    const CommandLine line = CommandLine::Parse({argv + 1, argv + argc});
    const std::string name = std::filesystem::path(argv[0]).filename().string();
    switch (line.mode) {
    case ProgramMode::Help:
        std::cout << UsageText(name);
        return 0;
    case ProgramMode::Version:
        std::cout << "orvex-lumora (Orvex Lumora) " ORVEX_VERSION "\n"
                  << kCopyrightLine << "\n" << kLicenceLine << "\n" << kFreeSoftwareLine << "\n" << kNoWarrantyLine << "\n";
        return 0;
    case ProgramMode::UsageError:
        std::cerr << name << ": " << line.error << "\nTry '" << name << " --help' for more information.\n";
        return 1;
    case ProgramMode::ChangePassword:
        // The screen locker owns the password on Linux: there is no dialog to open.
        return 0;
    case ProgramMode::AddToXScreenSaver:
        return AddToXScreenSaver(std::getenv("HOME"), std::cout, std::cerr);
    case ProgramMode::Snapshot:
        return RunSnapshot(line.snapshot);
    case ProgramMode::Record:
        return RunRecord(line.record);
    default:
        return RunOnScreen(line, argv[0]);
    }
}
