#pragma once
// Makes the classes of the program's own forms known to form streams.
void RegisterAppClasses();
