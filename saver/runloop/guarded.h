// SPDX-License-Identifier: MIT
#pragma once
// Continue-on-error: a failing step of the run loop or of a window's frame loop is
// skipped and the next step runs. The running saver never shows a message.

namespace orvex {

template <typename Step>
void Guarded(Step &&step)
{
    try {
        step();
    } catch (...) {
    }
}

} // namespace orvex
