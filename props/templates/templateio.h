// SPDX-License-Identifier: MIT
#pragma once
// Template files as a whole: saving the dialog to a template, loading a template into
// the settings store, opening a template into the dialog, and the single-value copies
// between store and template they are built from.

#include "dialogvalues.h"
#include "propscontext.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace orvex {

inline constexpr std::string_view kTemplateProduct = "Orvex Lumora";
inline constexpr std::string_view kTemplateCopyright = "Copyright (c) Orvex. All rights reserved.";

// "<major>.<minor>.<revision>" of the program, written as the template's Version.
std::string TemplateVersion();

// Reads the value from the store (or the default) and writes it to the template being written.
void CopySettingToTemplate(const PropsContext &context, std::string_view section, std::string_view key,
                           const SettingValue &defaultValue);

// Reads the value from the template (or the default) and stores it; false, with the key
// left as it was, when the value is too long to be read back from the store or the
// store write failed.
bool CopyTemplateToSetting(const PropsContext &context, std::string_view section, std::string_view key,
                           const SettingValue &defaultValue, const std::filesystem::path &path = {});

// Writes the dialog, the advanced settings of the store and the dialog's cycle ranges to
// the current template. The previous file is replaced only once the new one is complete;
// false (nothing changed on disk) when no template is current or it cannot be written.
bool SaveTemplate(DialogValues &dialog, const PropsContext &context);

// Every theme setting (and, when full, the display, general and advanced settings) from
// the template into the store, each missing key as its factory default; the template
// becomes the current one. The property set is not touched. A file that cannot be read or
// holds none of a template's sections loads nothing: the store and the current template
// stay as they were, and the check says why.
TemplateCheck LoadTemplateIntoSettings(const std::filesystem::path &templatePath, bool full,
                                       const PropsContext &context);

// Fills the dialog from the current template (missing keys show their factory defaults)
// and copies the template's advanced settings into the store.
void OpenTemplateIntoDialog(DialogValues &dialog, const PropsContext &context);

} // namespace orvex
