#pragma once
// Makes the classes of the program's own forms, and of the settings
// components they hold, known to form streams.
void RegisterAppClasses();
