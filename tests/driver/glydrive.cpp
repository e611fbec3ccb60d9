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
//   glydrive load-key <path below HKCU> <file> create the keys and values of such a dump (UTF-8),
//       byte for byte (reg import completes texts of odd sizes, and fails on some random data)
//
// Titles match exactly. Exit status: 0 done, 1 not found or timed out, 2 bad usage.
#include "tests/e2e/GdiObjects.h"

#include <psapi.h>
#include <winspool.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

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

std::wstring Wide(const std::string& utf8)
{
    const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(), size);
    return text;
}

std::vector<std::wstring> Fields(const std::wstring& line)
{
    std::vector<std::wstring> fields(1);
    for (wchar_t c : line) {
        if (c == L'\t')
            fields.emplace_back();
        else if (c != L'\r')
            fields.back() += c;
    }
    return fields;
}

bool ParseHex(const std::wstring& hex, std::string& bytes)
{
    if (hex.size() % 2)
        return false;
    bytes.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        const auto digit = [](wchar_t c) { return c >= L'0' && c <= L'9' ? c - L'0' : c >= L'a' && c <= L'f' ? c - L'a' + 10 : -1; };
        const int high = digit(hex[i]), low = digit(hex[i + 1]);
        if (high < 0 || low < 0)
            return false;
        bytes += static_cast<char>(high * 16 + low);
    }
    return true;
}

int LoadKey(const std::wstring& path, const wchar_t* file)
{
    HANDLE in = CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (in == INVALID_HANDLE_VALUE)
        return Fail(L"cannot open " + std::wstring(file));
    std::string content;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0)
        content.append(buffer, got);
    CloseHandle(in);
    const std::wstring text = Wide(content);
    size_t at = 0;
    int line = 0;
    while (at < text.size()) {
        size_t end = text.find(L'\n', at);
        if (end == std::wstring::npos)
            end = text.size();
        const std::vector<std::wstring> f = Fields(text.substr(at, end - at));
        at = end + 1;
        ++line;
        std::string data;
        const bool key = f.size() == 2 && f[0] == L"K";
        const bool value = f.size() == 5 && f[0] == L"V" && ParseHex(f[4], data);
        if (!key && !value) {
            if (f.size() == 1 && f[0].empty())
                continue;
            return Fail(L"line " + std::to_wstring(line) + L" is neither a key nor a value");
        }
        HKEY handle = nullptr;
        const std::wstring keyPath = f[1].empty() ? path : path + L"\\" + f[1];
        if (RegCreateKeyExW(HKEY_CURRENT_USER, keyPath.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle,
                            nullptr) != ERROR_SUCCESS)
            return Fail(L"cannot create the key " + keyPath);
        LSTATUS status = ERROR_SUCCESS;
        if (value)
            status = RegSetValueExW(handle, f[2].c_str(), 0, std::wcstoul(f[3].c_str(), nullptr, 10),
                                    reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
        RegCloseKey(handle);
        if (status != ERROR_SUCCESS)
            return Fail(L"cannot set the value on line " + std::to_wstring(line) + L", error " + std::to_wstring(status));
    }
    return 0;
}

int Usage()
{
    std::fputs("usage: glydrive wait-window <title> [timeout_ms]\n"
               "       glydrive close <title>\n"
               "       glydrive wait-gone <title> [timeout_ms]\n"
               "       glydrive default-printer\n"
               "       glydrive stats <title>\n"
               "       glydrive dump-key <path below HKEY_CURRENT_USER>\n"
               "       glydrive load-key <path below HKEY_CURRENT_USER> <file>\n",
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
    if (command == L"load-key" && argc == 4)
        return LoadKey(argv[2], argv[3]);
    if (command == L"dump-key" && argc == 3)
        return DumpKeyCommand(argv[2]);
    if (command == L"stats" && argc == 3)
        return Stats(argv[2]);
    if (command == L"default-printer" && argc == 2)
        return DefaultPrinter();
    return Usage();
}
