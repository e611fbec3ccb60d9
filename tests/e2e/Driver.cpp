#include "tests/e2e/Driver.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <set>
#include <stdexcept>
#include <thread>

#include "platform/win/WinText.h"

namespace {

std::wstring ProgramPath() {
    const char* build = std::getenv("GLYPHORA_BUILD_DIR");
    if (!build) throw std::runtime_error("GLYPHORA_BUILD_DIR is not set");
    return L"Z:" + Wide(std::string(build) + "/app/Glyphora.exe");
}

struct TTopLevels {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<TTopLevels*>(lp);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hwnd, &pid);
    if (pid == s->pid && ::IsWindowVisible(hwnd)) s->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> VisibleTopLevels(DWORD pid) {
    TTopLevels s{pid, {}};
    ::EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

HWND TitledAmong(const std::vector<HWND>& windows, const std::string& title) {
    for (HWND h : windows)
        if (TextOf(h) == title) return h;
    return nullptr;
}

// Visible top-level windows titled Glyphora.
BOOL CALLBACK CollectMain(HWND hwnd, LPARAM lp) {
    if (::IsWindowVisible(hwnd) && TextOf(hwnd) == "Glyphora") reinterpret_cast<std::set<HWND>*>(lp)->insert(hwnd);
    return TRUE;
}

BOOL CALLBACK Collect(HWND hwnd, LPARAM lp) {
    reinterpret_cast<std::vector<HWND>*>(lp)->push_back(hwnd);
    return TRUE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

std::string TextOf(HWND window) {
    const LRESULT n = ::SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
    std::wstring buf(static_cast<size_t>(n) + 1, L'\0');
    ::SendMessageW(window, WM_GETTEXT, buf.size(), reinterpret_cast<LPARAM>(buf.data()));
    return Utf8(buf.c_str());
}

TProgram::TProgram() {
    std::wstring cmd = L"\"" + ProgramPath() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    if (!::CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &process_))
        throw std::runtime_error("Glyphora.exe could not be started");
    WaitFor([&] { return (main_ = TitledAmong(VisibleTopLevels(process_.dwProcessId), "Glyphora")) != nullptr; });
}

TProgram::TProgram(const std::string& unixEnvironment) {
    const char* build = std::getenv("GLYPHORA_BUILD_DIR");
    if (!build) throw std::runtime_error("GLYPHORA_BUILD_DIR is not set");
    std::set<HWND> earlier;
    EnumWindows(&CollectMain, reinterpret_cast<LPARAM>(&earlier));
    // The loader of the run (the scripts set WINELOADER): the plain wine
    // wrapper may pick a loader of the other bitness.
    std::wstring cmd = Wide("/bin/sh -c \"" + unixEnvironment + " exec ${WINELOADER:-wine} '" + build +
                            "/app/Glyphora.exe'\"");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION shell{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &shell))
        throw std::runtime_error("Glyphora.exe could not be started through wine");
    ::CloseHandle(shell.hThread);
    ::CloseHandle(shell.hProcess);
    WaitFor([&] {
        std::set<HWND> now;
        EnumWindows(&CollectMain, reinterpret_cast<LPARAM>(&now));
        for (HWND h : now)
            if (!earlier.count(h)) main_ = h;
        return main_ != nullptr;
    });
    if (!main_) return;
    DWORD pid = 0;
    ::GetWindowThreadProcessId(main_, &pid);
    process_.dwProcessId = pid;
    process_.hProcess = ::OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
}

TProgram::~TProgram() {
    if (Running()) Close();
    if (Running()) ::TerminateProcess(process_.hProcess, 1);
    if (process_.hThread) ::CloseHandle(process_.hThread);
    if (process_.hProcess) ::CloseHandle(process_.hProcess);
}

bool TProgram::Running() const { return ::WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

int TProgram::Close() {
    if (main_) ::PostMessageW(main_, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(process_.hProcess, 60000) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    ::GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<int>(code);
}

std::vector<HWND> TProgram::Children() const {
    std::vector<HWND> all;
    if (main_) ::EnumChildWindows(main_, &Collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::vector<HWND> TProgram::TopLevels() const { return VisibleTopLevels(process_.dwProcessId); }

HWND TProgram::TopLevelTitled(const std::string& title) const { return TitledAmong(TopLevels(), title); }

HWND TProgram::TopLevelOfClass(const wchar_t* className) const {
    for (HWND h : TopLevels()) {
        wchar_t cls[128] = {};
        ::GetClassNameW(h, cls, 128);
        if (_wcsicmp(cls, className) == 0) return h;
    }
    return nullptr;
}

HWND TProgram::Child(const wchar_t* className, int nth) const {
    for (HWND h : Children()) {
        wchar_t cls[128] = {};
        ::GetClassNameW(h, cls, 128);
        if (_wcsicmp(cls, className) == 0 && nth-- == 0) return h;
    }
    return nullptr;
}

HWND TProgram::ChildWithText(const std::string& text) const {
    for (HWND h : Children())
        if (TextOf(h) == text) return h;
    return nullptr;
}

std::string StatusText(HANDLE process, HWND bar, int part) {
    const LRESULT info = ::SendMessageW(bar, SB_GETTEXTLENGTHW, part, 0);
    const size_t length = LOWORD(info);
    const size_t bytes = (length + 1) * sizeof(wchar_t);
    void* remote = ::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return {};
    ::SendMessageW(bar, SB_GETTEXTW, part, reinterpret_cast<LPARAM>(remote));
    std::wstring buf(length + 1, L'\0');
    SIZE_T read = 0;
    ::ReadProcessMemory(process, remote, buf.data(), bytes, &read);
    ::VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return Utf8(buf.c_str());
}
