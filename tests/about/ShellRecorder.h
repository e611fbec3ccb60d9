#pragma once
// The shell's handlers of mailto: and http: addresses replaced, for a test,
// by shellrecord.exe (built beside the tests), which notes in a file each
// address it was started with.

#include <string>

// Registers shellrecord.exe as the shell's handler of the protocol ("mailto",
// "http") in the machine's classes, where the shell looks under Wine; the
// handler appends to `file`. The handler registered before comes back when
// this ends.
class TShellHandler {
public:
    TShellHandler(const std::string& protocol, const std::wstring& file);
    ~TShellHandler();
    TShellHandler(const TShellHandler&) = delete;
    TShellHandler& operator=(const TShellHandler&) = delete;

private:
    std::wstring key_;       // the protocol's command key
    bool created_ = false;   // the protocol had no key before
    bool hadCommand_ = false;
    std::wstring command_;   // the command before ours
};

// A file name for the handler to write to, in the temporary folder; removed
// when it ends.
class TRecordFile {
public:
    TRecordFile();
    ~TRecordFile();
    TRecordFile(const TRecordFile&) = delete;
    TRecordFile& operator=(const TRecordFile&) = delete;

    const std::wstring& Path() const { return path_; }
    // What the handlers wrote (UTF-8), one line each; empty when none ran.
    std::string Text() const;

private:
    std::wstring path_;
};
