#pragma once
// The live GDI objects of another process, read from its GDI handle table.
// Wine 8 has no GetGuiResources; every object the process holds (its own,
// those its DLLs and comctl32 make, and the stock ones) has a live entry in
// the table that the process's PEB points to.

#include <map>
#include <ostream>

#include "platform/win/Win32.h"

struct TGdiObjects {
    bool read = false;           // the table could be read
    std::map<int, int> byKind;   // live entries by their object kind
    int Total() const;
    int Fonts() const;
};
std::ostream& operator<<(std::ostream& os, const TGdiObjects& objects);

TGdiObjects GdiObjectsOf(HANDLE process);
