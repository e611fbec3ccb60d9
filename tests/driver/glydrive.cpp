// glydrive: drives a running Win32 program from outside, as a user would.
//
//   glydrive wait-window <title> [timeout_ms]  wait for a visible top-level window
//   glydrive close <title>                     ask that window to close (WM_CLOSE)
//   glydrive wait-gone <title> [timeout_ms]    wait until no such window is visible
//   glydrive default-printer                   print the default printer's name
//   glydrive stats <title>                     print what the window's process holds:
//       gdi=<objects> fonts=<fonts> windows=<all its windows> top=<visible top-level>
//       workingset_kb=<kB> client=<x>,<y>,<width>,<height> (client area, screen pixels)
//   glydrive dump-key <path below HKCU>        print every key and value below it, exactly:
//       K<tab><key>  and  V<tab><key><tab><name><tab><type><tab><data in hex>
//       (keys relative to the path; reg export shows some odd values in a form that hides their size)
//
// Titles match exactly. Exit status: 0 done, 1 not found or timed out, 2 bad usage.
#include "tests/e2e/GdiObjects.h"

#include <psapi.h>
#include <winspool.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

constexpr DWORD DefaultTimeoutMs = 20000;
constexpr DWORD PollIntervalMs = 25;

void PrintUtf8(const std::wstring& text, FILE* stream)
{
    int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()),
                                   nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), bytes.data(),
                        size, nullptr, nullptr);
    std::fputs(bytes.c_str(), stream);
}

int Fail(const std::wstring& message)
{
    PrintUtf8(L"glydrive: " + message + L"\n", stderr);
    return 1;
}

// The first visible top-level window whose title is exactly `title`, or null.
HWND FindVisibleWindow(const wchar_t* title)
{
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, nullptr, title)) != nullptr) {
        if (IsWindowVisible(window))
            return window;
    }
    return nullptr;
}

// Polls `done` until it holds or `timeoutMs` has passed.
template <typename Condition>
bool PollUntil(DWORD timeoutMs, Condition done)
{
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (done())
            return true;
        if (GetTickCount64() >= deadline)
            return false;
        Sleep(PollIntervalMs);
    }
}

bool ParseTimeout(int argc, wchar_t** argv, int index, DWORD& timeoutMs)
{
    timeoutMs = DefaultTimeoutMs;
    if (argc <= index)
        return true;
    wchar_t* end = nullptr;
    unsigned long value = std::wcstoul(argv[index], &end, 10);
    if (end == argv[index] || *end != L'\0')
        return false;
    timeoutMs = static_cast<DWORD>(value);
    return true;
}

int WaitWindow(const wchar_t* title, DWORD timeoutMs)
{
    if (PollUntil(timeoutMs, [&] { return FindVisibleWindow(title) != nullptr; }))
        return 0;
    return Fail(L"no visible window \"" + std::wstring(title) + L"\" after " +
                std::to_wstring(timeoutMs) + L" ms");
}

int WaitGone(const wchar_t* title, DWORD timeoutMs)
{
    if (PollUntil(timeoutMs, [&] { return FindVisibleWindow(title) == nullptr; }))
        return 0;
    return Fail(L"window \"" + std::wstring(title) + L"\" still visible after " +
                std::to_wstring(timeoutMs) + L" ms");
}

int Close(const wchar_t* title)
{
    HWND window = FindVisibleWindow(title);
    if (!window)
        return Fail(L"no visible window \"" + std::wstring(title) + L"\"");
    if (!PostMessageW(window, WM_CLOSE, 0, 0))
        return Fail(L"PostMessage failed, error " + std::to_wstring(GetLastError()));
    return 0;
}

int DefaultPrinter()
{
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0)
        return Fail(L"no default printer (error " + std::to_wstring(GetLastError()) + L")");
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(name.data(), &size))
        return Fail(L"GetDefaultPrinter failed, error " + std::to_wstring(GetLastError()));
    name.resize(std::wcslen(name.c_str()));
    PrintUtf8(name + L"\n", stdout);
    return 0;
}

struct TWindowCount {
    DWORD pid = 0;
    int all = 0;
    int visibleTopLevel = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM data)
{
    ++reinterpret_cast<TWindowCount*>(data)->all;
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM data)
{
    auto* count = reinterpret_cast<TWindowCount*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != count->pid)
        return TRUE;
    ++count->all;
    if (IsWindowVisible(window))
        ++count->visibleTopLevel;
    EnumChildWindows(window, CountChild, data);
    return TRUE;
}

int Stats(const wchar_t* title)
{
    HWND window = FindVisibleWindow(title);
    if (!window)
        return Fail(L"no visible window \"" + std::wstring(title) + L"\"");
    TWindowCount windows;
    GetWindowThreadProcessId(window, &windows.pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, windows.pid);
    if (!process)
        return Fail(L"cannot open process " + std::to_wstring(windows.pid) + L", error " +
                    std::to_wstring(GetLastError()));
    const TGdiObjects gdi = GdiObjectsOf(process);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    const BOOL memoryRead = GetProcessMemoryInfo(process, &memory, sizeof memory);
    CloseHandle(process);
    if (!gdi.read || !memoryRead)
        return Fail(L"cannot read the GDI handle table or the memory counters of process " +
                    std::to_wstring(windows.pid));
    EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&windows));
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    std::printf("gdi=%d fonts=%d windows=%d top=%d workingset_kb=%llu client=%ld,%ld,%ld,%ld\n", gdi.Total(),
                gdi.Fonts(), windows.all, windows.visibleTopLevel,
                static_cast<unsigned long long>(memory.WorkingSetSize / 1024), origin.x, origin.y,
                client.right - client.left, client.bottom - client.top);
    return 0;
}

void DumpKey(HKEY key, const std::wstring& relative)
{
    PrintUtf8(L"K\t" + relative + L"\n", stdout);
    DWORD subKeys = 0, maxKeyName = 0, values = 0, maxValueName = 0, maxData = 0;
    if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, &maxKeyName, nullptr, &values, &maxValueName,
                         &maxData, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::string data(maxData, '\0');
    for (DWORD i = 0; i < values; ++i) {
        std::wstring name(maxValueName + 1, L'\0');
        DWORD nameLength = static_cast<DWORD>(name.size()), type = 0, size = maxData;
        if (RegEnumValueW(key, i, name.data(), &nameLength, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                          &size) != ERROR_SUCCESS)
            continue;
        name.resize(nameLength);
        std::wstring hex;
        hex.reserve(size * 2);
        for (DWORD b = 0; b < size; ++b) {
            static const wchar_t digits[] = L"0123456789abcdef";
            const auto byte = static_cast<unsigned char>(data[b]);
            hex += digits[byte >> 4];
            hex += digits[byte & 15];
        }
        PrintUtf8(L"V\t" + relative + L"\t" + name + L"\t" + std::to_wstring(type) + L"\t" + hex + L"\n", stdout);
    }
    for (DWORD i = 0; i < subKeys; ++i) {
        std::wstring name(maxKeyName + 1, L'\0');
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            continue;
        name.resize(nameLength);
        HKEY sub = nullptr;
        if (RegOpenKeyExW(key, name.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS)
            continue;
        DumpKey(sub, relative.empty() ? name : relative + L"\\" + name);
        RegCloseKey(sub);
    }
}

int DumpKeyCommand(const wchar_t* path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return Fail(L"no key HKEY_CURRENT_USER\\" + std::wstring(path));
    DumpKey(key, L"");
    RegCloseKey(key);
    return 0;
}

int Usage()
{
    std::fputs("usage: glydrive wait-window <title> [timeout_ms]\n"
               "       glydrive close <title>\n"
               "       glydrive wait-gone <title> [timeout_ms]\n"
               "       glydrive default-printer\n"
               "       glydrive stats <title>\n"
               "       glydrive dump-key <path below HKEY_CURRENT_USER>\n",
               stderr);
    return 2;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 2)
        return Usage();
    const std::wstring command = argv[1];
    DWORD timeoutMs = 0;
    if (command == L"wait-window" && (argc == 3 || argc == 4) && ParseTimeout(argc, argv, 3, timeoutMs))
        return WaitWindow(argv[2], timeoutMs);
    if (command == L"wait-gone" && (argc == 3 || argc == 4) && ParseTimeout(argc, argv, 3, timeoutMs))
        return WaitGone(argv[2], timeoutMs);
    if (command == L"close" && argc == 3)
        return Close(argv[2]);
    if (command == L"dump-key" && argc == 3)
        return DumpKeyCommand(argv[2]);
    if (command == L"stats" && argc == 3)
        return Stats(argv[2]);
    if (command == L"default-printer" && argc == 2)
        return DefaultPrinter();
    return Usage();
}
