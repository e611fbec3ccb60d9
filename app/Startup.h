#pragma once
// The program's start, up to a created main window that is not shown yet:
// shared by the entry point and the benchmark, which measures exactly this.

void StartGlyphora();
