#pragma once
// Start-up of the platform layer, once per process, before anything else of
// it is used (by the program's entry point and by test mains).

// Installs the ANSI code-page codec, fills FormatSettings() from the user's
// locale, initialises the common controls, registers this layer's classes
// for form streams and makes the Application object.
void InitPlatform();

// Makes the classes of this layer known to form streams by name.
void RegisterWinClasses();

// Fills FormatSettings() from the user's locale.
void LoadLocaleFormats();
