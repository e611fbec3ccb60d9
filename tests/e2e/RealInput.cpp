#include "tests/e2e/RealInput.h"

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/win/WinText.h"

namespace {

// A Unix program started from a Wine process gives no handle to wait on:
// the shell writes this file once xdotool has ended, and we watch for it.
std::string DoneMarker() {
    static std::atomic<int> counter{0};
    return "/tmp/glyphora-xdotool-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter);
}

std::wstring WindowsPath(const std::string& unixPath) {
    std::wstring path = L"Z:" + Wide(unixPath);
    for (wchar_t& c : path)
        if (c == L'/') c = L'\\';
    return path;
}

std::string ReadWhole(const std::wstring& path) {
    std::string text;
    HANDLE f = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                             OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return text;
    char buf[4096];
    DWORD n = 0;
    while (::ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0) text.append(buf, n);
    ::CloseHandle(f);
    return text;
}

}  // namespace

bool XdoTool(const std::string& arguments, std::string* output) {
    const std::string marker = DoneMarker(), printed = marker + ".out";
    const std::wstring markerPath = WindowsPath(marker), printedPath = WindowsPath(printed);
    ::DeleteFileW(markerPath.c_str());
    std::wstring cmd =
        Wide("/bin/sh -c \"xdotool " + arguments + " > " + printed + " 2>&1; echo $? > " + marker + "\"");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return false;
    if (pi.hThread) ::CloseHandle(pi.hThread);
    if (pi.hProcess) ::CloseHandle(pi.hProcess);
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (::GetFileAttributesW(markerPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (std::chrono::steady_clock::now() > limit) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    // The shell may still be writing the status: read it once it is there.
    std::string status;
    for (int i = 0; i < 100 && status.empty(); ++i) {
        status = ReadWhole(markerPath);
        if (status.empty()) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (output) *output = ReadWhole(printedPath);
    ::DeleteFileW(markerPath.c_str());
    ::DeleteFileW(printedPath.c_str());
    return status.rfind("0", 0) == 0;
}

bool KeysGoTo(const std::string& title) {
    std::string name;
    return XdoTool("getwindowfocus getwindowname", &name) && name == title + "\n";
}

HWND FocusIn(HWND window) {
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &gui)) return nullptr;
    return gui.hwndFocus;
}
