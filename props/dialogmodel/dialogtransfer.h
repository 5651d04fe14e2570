// SPDX-License-Identifier: MIT
#pragma once
// The properties dialog's values to and from the property set, the settings store and
// the factory theme rows.

#include "dialogvalues.h"
#include "propscontext.h"
#include "starpropertyset.h"

namespace orvex {

// The dialog's values as a property set: each field's leading number (0 when there is
// none), whole-number fields to the nearest integer, everything clamped to its dialog
// range; the cycle ranges and display effects as the dialog holds them. Starting a
// preview run with the set is the caller's.
StarPropertySet PropertiesFromDialog(const DialogValues &dialog);

// Fields, lists and check boxes from the store (missing keys as factory defaults),
// display fields included, and the cycle ranges with the pane refreshed.
void LoadDialogFromSettings(DialogValues &dialog, const PropsContext &context);

// Saves the dialog as typed (clamping happens on use); false, with nothing written, when
// the store is not writable, and false when any write failed.
bool StoreDialogToSettings(DialogValues &dialog, const PropsContext &context);

// Copies factory theme p (1 .. 24) into the fields as text, unclamped and without the
// performance multiplier, with its cycle ranges; any other p ("< NONE >") changes nothing.
void ApplyThemeToDialog(DialogValues &dialog, int32_t themeNumber);

// Fills the dialog when it opens; true when this is the first opening ever (the caller
// shows the welcome window).
bool LoadDialogOnOpen(DialogValues &dialog, const PropsContext &context);

} // namespace orvex
