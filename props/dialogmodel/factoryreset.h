// SPDX-License-Identifier: MIT
#pragma once
// Resetting the properties to the factory settings from the properties dialog.

#include "dialogvalues.h"
#include "propscontext.h"

#include <string_view>

namespace orvex {

// The question the dialog asks first (Yes / No, No the default); reset only on Yes.
inline constexpr std::string_view kResetQuestionTitle = "Orvex Lumora";
inline constexpr std::string_view kResetQuestionText =
    "Reset Factory Settings Confirmation\r\n\r\n"
    "Do you really want to reset the properties back to the factory settings?";

// Display, advanced and cycle settings back to their defaults in the store; every star,
// colour and cycle field of the dialog to its factory value. The property set follows
// when the dialog's values are next applied.
void FactoryReset(DialogValues &dialog, const PropsContext &context);

} // namespace orvex
