#pragma once
// The "Settings" stream property of the settings components: their list of
// settings in the form resource, as a list of strings and booleans. The form
// and application settings components call DefineFormSettings /
// DefineAppSettings from their DefineProperties; TPSettings defines none.
//
//   form variant:        Name, BoundProperty, RelAppSetting (strings), Encrypted (boolean)
//   application variant: Name (string), Encrypted (boolean)
//
// Strings are written in the ANSI code page (tag 6, tag 12 beyond 255 bytes);
// a string element with another tag fails with the reader's invalid-property-
// value error; a boolean element is true for tag 9 and false for any other.

#include "platform/core/Filer.h"
#include "psetting/PSettings.h"

inline constexpr const char* kSettingsPropertyName = "Settings";

// Form variant. Written when the filer has an ancestor whose list differs
// (SameSettings), or without an ancestor when the list is not empty.
bool FormSettingsHaveData(const TPSettings& settings, const TFiler& filer);
// Brings each bound item's first path element up to date (UpdateBoundProperty)
// before writing its four fields.
void WriteFormSettings(TPSettings& settings, TWriter& writer);
// Each item becomes a setting owned by the settings component at design time
// and by its owner (the form) otherwise, added unless an equal one is listed
// already (a refused duplicate is freed at once).
void ReadFormSettings(TPSettings& settings, TReader& reader);
void DefineFormSettings(TPSettings& settings, TFiler& filer);

// Application variant: written when the list is not empty; each item read
// becomes an ownerless setting, appended without a duplicate check.
bool AppSettingsHaveData(const TPSettings& settings);
void WriteAppSettings(const TPSettings& settings, TWriter& writer);
void ReadAppSettings(TPSettings& settings, TReader& reader);
void DefineAppSettings(TPSettings& settings, TFiler& filer);
