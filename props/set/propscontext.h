// SPDX-License-Identifier: MIT
#pragma once
// Where the property operations read and write settings: the settings store, the
// template files, and the primary screen size (default rendering size).

#include "resolutionlist.h"
#include "settingsstore.h"
#include "templatefile.h"

namespace orvex {

struct PropsContext {
    SettingsStore &store;
    TemplateFile &templates;
    Resolution screen{};
};

} // namespace orvex
