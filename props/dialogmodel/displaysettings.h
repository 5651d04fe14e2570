// SPDX-License-Identifier: MIT
#pragma once
// The display fields of the properties dialog (frame "Saver Resolution") to and from the
// settings store and template files.

#include "dialogvalues.h"
#include "propscontext.h"

namespace orvex {

enum class DisplayTransfer : int {
    FromStore = 0,
    FromTemplate = 1,
    Defaults = 2,   // screen size, no filter (both also stored), everything else 0
    ToStore = 3,
    ToTemplate = 4, // into the template being written
};

// The entries of cboResolution, one per resolution, and the vertical offsets.
void FillDisplayLists(DialogValues &dialog, const ResolutionList &resolutions);

// false when a store write failed.
bool TransferDisplaySettings(DialogValues &dialog, DisplayTransfer operation, const PropsContext &context);

} // namespace orvex
