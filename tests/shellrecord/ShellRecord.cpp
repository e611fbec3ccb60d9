// shellrecord.exe: stands in for the user's mail and web programs. The About
// box tests register it as the shell's handler of mailto: and http:
// addresses; started as
//     shellrecord.exe <file> <address>
// it appends the address and a line break to the file, and ends. A program
// without a console, so that the shell starts it as it starts a browser.

#include <string>

#include "platform/win/Win32.h"

#include <shellapi.h>

namespace {

std::string Utf8(const wchar_t* text) {
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string out(size_t(n > 0 ? n : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), n, nullptr, nullptr);
    out.resize(out.size() - 1);
    return out;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, wchar_t*, int) {
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    if (!argv) return 2;
    int code = 2;
    if (argc == 3) {
        code = 1;
        // One line per address, appended in one write.
        const std::string line = Utf8(argv[2]) + "\n";
        HANDLE h = ::CreateFileW(argv[1], FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            if (::WriteFile(h, line.data(), DWORD(line.size()), &written, nullptr) && written == line.size()) code = 0;
            ::CloseHandle(h);
        }
    }
    ::LocalFree(argv);
    return code;
}
