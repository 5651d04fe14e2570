// SPDX-License-Identifier: MIT
#pragma once
// --add-to-xscreensaver: puts the saver into the user's XScreenSaver list, so that
// xscreensaver-settings offers it and the daemon runs it. Needs no display.

#include <iosfwd>

namespace orvex {

// home: $HOME (null or empty when it is not set), whose .xscreensaver XScreenSaver reads.
// One line on out when the list holds the saver afterwards (status 0), else one on err
// (status 1) and the file is as it was.
int AddToXScreenSaver(const char *home, std::ostream &out, std::ostream &err);

} // namespace orvex
