#pragma once
// Starts the real Glyphora.exe and observes it from outside, through its
// windows, as a user's tools (and screen readers) would.

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "platform/win/Win32.h"

class TProgram {
public:
    // Starts the program built beside the tests; waits until its main window shows.
    TProgram();
    // The same with extra variables ("NAME=value ...") in the program's Unix
    // environment: a Wine process takes that from its parent's, not from the
    // Windows environment, so the program is started through the Wine loader.
    explicit TProgram(const std::string& unixEnvironment);
    ~TProgram();  // closes it (WM_CLOSE) and waits for its end, if still running
    TProgram(const TProgram&) = delete;
    TProgram& operator=(const TProgram&) = delete;

    HWND Main() const { return main_; }
    // The first descendant window of `className` whose index among those of
    // its class (in Z order of the walk) is `nth`.
    HWND Child(const wchar_t* className, int nth = 0) const;
    // The descendant whose window text is exactly `text`.
    HWND ChildWithText(const std::string& text) const;
    std::vector<HWND> Children() const;
    // The program's visible top-level windows (its main window, boxes,
    // menus), and the first of them titled exactly `title` or of the window
    // class `className`; null when none shows.
    std::vector<HWND> TopLevels() const;
    HWND TopLevelTitled(const std::string& title) const;
    HWND TopLevelOfClass(const wchar_t* className) const;

    // Closes the main window as a user's close does; the exit code, or -1
    // when the program did not end in time.
    int Close();
    bool Running() const;
    HANDLE Process() const { return process_.hProcess; }

private:
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

std::string TextOf(HWND window);
// Polls until `done` holds, by default with a generous limit.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(60));
// The text of a status bar part, read from the other process's memory.
std::string StatusText(HANDLE process, HWND bar, int part);
