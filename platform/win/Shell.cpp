#include "platform/win/Shell.h"

#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

#include <shellapi.h>
#include <shlobj.h>

void ShellOpen(HWND owner, const std::string& target) {
    // No verb (the default action), no parameters, no working folder.
    ::ShellExecuteW(owner, nullptr, Wide(target).c_str(), nullptr, nullptr, SW_SHOW);
}

void AddToShellRecentDocs(const std::string& path) {
    if (path.empty()) return;
    const std::wstring wide = Wide(path);
    ::SHAddToRecentDocs(SHARD_PATHW, wide.c_str());
}
