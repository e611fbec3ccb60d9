// glydrive: drives a running Win32 program from outside, as a user would.
//
//   glydrive wait-window <title> [timeout_ms]  wait for a visible top-level window
//   glydrive close <title>                     ask that window to close (WM_CLOSE)
//   glydrive wait-gone <title> [timeout_ms]    wait until no such window is visible
//   glydrive default-printer                   print the default printer's name
//
// Titles match exactly. Exit status: 0 done, 1 not found or timed out, 2 bad usage.
#include <windows.h>

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

int Usage()
{
    std::fputs("usage: glydrive wait-window <title> [timeout_ms]\n"
               "       glydrive close <title>\n"
               "       glydrive wait-gone <title> [timeout_ms]\n"
               "       glydrive default-printer\n",
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
    if (command == L"default-printer" && argc == 2)
        return DefaultPrinter();
    return Usage();
}
