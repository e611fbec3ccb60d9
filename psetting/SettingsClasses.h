#pragma once
// Makes the settings library's streamable classes known to form streams:
// the setting item and the two settings components. Called once at start-up.
void RegisterSettingsClasses();
