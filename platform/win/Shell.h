#pragma once
// The shell: opening a document, an e-mail or a web address with the
// program the user has chosen for it, and its list of recent documents.

#include <string>

#include "platform/win/WinTypes.h"

// Asks the shell to carry out its default action on `target` (a file, a
// "mailto:" address, a web address), with `owner` as the owner of any
// window it shows. Whether a program took it is not reported: with none,
// nothing happens.
void ShellOpen(HWND owner, const std::string& target);

// Tells the shell that the user has just used the file `path`, for its list
// of recent documents.
void AddToShellRecentDocs(const std::string& path);
