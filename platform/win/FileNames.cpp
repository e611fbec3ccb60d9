#include "platform/win/FileNames.h"

#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

bool FileExists(const std::string& fileName) {
    if (fileName.empty()) return false;
    const DWORD attributes = ::GetFileAttributesW(Wide(fileName).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool SameFileName(std::string_view a, std::string_view b) {
    const std::wstring wa = Wide(a);
    const std::wstring wb = Wide(b);
    return ::CompareStringOrdinal(wa.c_str(), int(wa.size()), wb.c_str(), int(wb.size()), TRUE) == CSTR_EQUAL;
}
