#include "tests/about/ShellRecorder.h"

#include <stdexcept>
#include <vector>

#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

// shellrecord.exe, in the folder of this program.
std::wstring RecorderPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n < path.size()) {
            path.resize(n);
            return path.substr(0, path.find_last_of(L"\\/") + 1) + L"shellrecord.exe";
        }
        path.resize(path.size() * 2);
    }
}

void SetString(HKEY key, const wchar_t* name, const std::wstring& value) {
    const LSTATUS rc = ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                        DWORD((value.size() + 1) * sizeof(wchar_t)));
    if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot write the handler's registry value");
}

}  // namespace

TShellHandler::TShellHandler(const std::string& protocol, const std::wstring& file) {
    const std::wstring root = L"Software\\Classes\\" + Wide(protocol);
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, root.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                          &disposition) != ERROR_SUCCESS)
        throw std::runtime_error("cannot register the handler");
    created_ = disposition == REG_CREATED_NEW_KEY;
    key_ = created_ ? root : root + L"\\shell\\open\\command";
    if (created_) SetString(key, L"URL Protocol", L"");
    HKEY command = nullptr;
    const LSTATUS rc =
        ::RegCreateKeyExW(key, L"shell\\open\\command", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &command, nullptr);
    ::RegCloseKey(key);
    if (rc != ERROR_SUCCESS) throw std::runtime_error("cannot register the handler's command");
    wchar_t old[2048] = {};
    DWORD size = sizeof old - sizeof(wchar_t), type = 0;
    hadCommand_ = ::RegQueryValueExW(command, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) ==
                      ERROR_SUCCESS &&
                  (type == REG_SZ || type == REG_EXPAND_SZ);
    if (hadCommand_) command_ = old;
    SetString(command, nullptr, L"\"" + RecorderPath() + L"\" \"" + file + L"\" \"%1\"");
    ::RegCloseKey(command);
}

TShellHandler::~TShellHandler() {
    if (created_) {
        ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, key_.c_str());
        return;
    }
    HKEY command = nullptr;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, KEY_SET_VALUE, &command) != ERROR_SUCCESS) return;
    if (hadCommand_)
        ::RegSetValueExW(command, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command_.c_str()),
                         DWORD((command_.size() + 1) * sizeof(wchar_t)));
    else
        ::RegDeleteValueW(command, nullptr);
    ::RegCloseKey(command);
}

TRecordFile::TRecordFile() {
    wchar_t folder[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, folder);
    wchar_t name[MAX_PATH + 1] = {};
    if (!::GetTempFileNameW(folder, L"gly", 0, name)) throw std::runtime_error("no temporary file");
    // GetTempFileName made it; the handler's writing it is what counts.
    ::DeleteFileW(name);
    path_ = name;
}

TRecordFile::~TRecordFile() { ::DeleteFileW(path_.c_str()); }

std::string TRecordFile::Text() const {
    HANDLE h = ::CreateFileW(path_.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return {};
    std::vector<char> buffer(64 * 1024);
    DWORD got = 0;
    if (!::ReadFile(h, buffer.data(), DWORD(buffer.size()), &got, nullptr)) got = 0;
    ::CloseHandle(h);
    return std::string(buffer.data(), got);
}
