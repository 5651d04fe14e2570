// SPDX-License-Identifier: MIT
#include "videofailure.h"

namespace orvex {

std::string VideoFailureText(const VideoFailure &failure)
{
    std::string text(kVideoWriteError);
    text += "\n" + failure.file.string() + ": " + failure.reason;
    if (!failure.kept.empty())
        text += "\nThe frames written so far are kept in " + failure.kept.string();
    text += "\nAny earlier file of that name is left as it was.";
    return text;
}

} // namespace orvex
