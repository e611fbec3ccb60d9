#pragma once
// The user-interface font falls back to "MS Sans Serif" where no "Tahoma"
// is installed.

#include <string>
#include <vector>

// Run once at start-up, after the main window exists: when the font family
// list holds no "Tahoma" (letter case ignored), every existing form gets the
// face "MS Sans Serif" (size and style kept); controls that follow their
// form's font follow, those with a font of their own keep it.
void SubstituteTahoma();
// The same decision made on a given family list.
void SubstituteTahoma(const std::vector<std::string>& families);
