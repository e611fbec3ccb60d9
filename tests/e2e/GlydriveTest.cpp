// The driver's reports that scripts/soak relies on: stored values byte for
// byte, and what the program's process holds.

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

#include "tests/e2e/Driver.h"
#include "tests/e2e/GdiObjects.h"
#include "tests/e2e/StoredSettings.h"

namespace {

struct TRun {
    DWORD exitCode = 0;
    std::string output;
};

// Runs glydrive.exe with `arguments`; its exit code and standard output.
TRun RunGlydrive(const std::string& arguments) {
    const char* build = std::getenv("GLYPHORA_BUILD_DIR");
    if (!build) throw std::runtime_error("GLYPHORA_BUILD_DIR is not set");
    wchar_t folder[MAX_PATH], file[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    ::GetTempFileNameW(folder, L"gly", 0, file);
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE out = ::CreateFileW(file, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    if (out == INVALID_HANDLE_VALUE) throw std::runtime_error("no temporary file");
    std::wstring line = L"\"Z:" + Wide(std::string(build) + "/tests/driver/glydrive.exe") + L"\" " + Wide(arguments);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = out;
    si.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION pi{};
    const BOOL started = ::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
    ::CloseHandle(out);
    if (!started) throw std::runtime_error("glydrive.exe could not be started");
    ::WaitForSingleObject(pi.hProcess, 60000);
    TRun run;
    ::GetExitCodeProcess(pi.hProcess, &run.exitCode);
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    HANDLE in = ::CreateFileW(file, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    char buffer[4096];
    DWORD got = 0;
    while (in != INVALID_HANDLE_VALUE && ::ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0)
        run.output.append(buffer, got);
    if (in != INVALID_HANDLE_VALUE) ::CloseHandle(in);
    ::DeleteFileW(file);
    std::string unix;  // text-mode output ends its lines with CR LF
    for (char c : run.output)
        if (c != '\r') unix += c;
    run.output = unix;
    return run;
}

std::multiset<std::string> SortedLines(const std::string& text) {
    std::multiset<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.insert(line);
    return lines;
}

class Glydrive : public Persistence {};

TEST_F(Glydrive, DumpsEveryStoredValueByteForByte) {
    Plant("A", "number", Dword(0x01020304));
    Plant("A", "long number", Typed(REG_DWORD, {1, 2, 3, 4, 5, 6}));
    Plant("A\\B", "text", Sz("\xc5\xbe"));  // one letter, U+017E
    Plant("A\\B", "nothing", Binary({}));
    regtest::RawCreateKey(std::string(kCompanyKey) + "\\C");

    const TRun run = RunGlydrive("dump-key Software\\Orlenka");
    EXPECT_EQ(run.exitCode, 0u);
    // Each line names its key; the order among siblings is the registry's.
    EXPECT_EQ(SortedLines(run.output), SortedLines("K\t\n"
                                                   "K\tA\n"
                                                   "V\tA\tnumber\t4\t04030201\n"
                                                   "V\tA\tlong number\t4\t010203040506\n"
                                                   "K\tA\\B\n"
                                                   "V\tA\\B\ttext\t1\t7e010000\n"
                                                   "V\tA\\B\tnothing\t3\t\n"
                                                   "K\tC\n"
                                                   "V\tC\t\t1\t\n"));
}

TEST_F(Glydrive, RefusesAKeyThatDoesNotExist) {
    const TRun run = RunGlydrive("dump-key Software\\Orlenka\\None");
    EXPECT_EQ(run.exitCode, 1u);
    EXPECT_EQ(run.output, "");
}

// A file in the temporary folder with `text`; its Windows path.
std::wstring TempFile(const std::string& text) {
    wchar_t folder[MAX_PATH], file[MAX_PATH];
    ::GetTempPathW(MAX_PATH, folder);
    ::GetTempFileNameW(folder, L"gly", 0, file);
    HANDLE out = ::CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    ::WriteFile(out, text.data(), DWORD(text.size()), &written, nullptr);
    ::CloseHandle(out);
    return file;
}

TEST_F(Glydrive, LoadsValuesByteForByte) {
    // Odd sizes for their types, which reg import changes while it plants
    // them. (Not an unterminated text: Wine's readers end that with a zero.)
    const std::wstring file = TempFile("K\tEmpty\n"
                                       "V\tA\todd\t4660\t460061\n"
                                       "V\tA\\B\tlong number\t4\t0102030405060708\n"
                                       "V\tA\\B\tnothing\t3\t\n");
    const TRun run = RunGlydrive("load-key Software\\Orlenka \"" + Utf8(file) + "\"");
    EXPECT_EQ(run.exitCode, 0u);
    TRegistryTree expected;
    expected.Set("A", "odd", Typed(0x1234, {0x46, 0, 0x61}));
    expected.Set("A\\B", "long number", Typed(REG_DWORD, {1, 2, 3, 4, 5, 6, 7, 8}));
    expected.Set("A\\B", "nothing", Binary({}));
    expected.keys.insert("Empty");
    EXPECT_TRUE(SameTree(ReadTree(kCompanyKey), expected));
    ::DeleteFileW(file.c_str());
}

TEST_F(Glydrive, RefusesALineThatIsNeitherKeyNorValue) {
    for (const char* line : {"V\tA\tx\t4\t0g\n", "V\tA\tx\t4\t012\n", "X\tA\n", "V\tA\tx\n"}) {
        const std::wstring file = TempFile(line);
        EXPECT_EQ(RunGlydrive("load-key Software\\Orlenka \"" + Utf8(file) + "\"").exitCode, 1u) << line;
        ::DeleteFileW(file.c_str());
    }
    EXPECT_EQ(RunGlydrive("load-key Software\\Orlenka Z:\\nonexistent\\file").exitCode, 1u);
}

int CountWindows(DWORD pid) {
    struct TCount {
        DWORD pid;
        int count;
    } count{pid, 0};
    ::EnumWindows(
        [](HWND h, LPARAM lp) -> BOOL {
            auto* c = reinterpret_cast<TCount*>(lp);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(h, &owner);
            if (owner != c->pid) return TRUE;
            ++c->count;
            ::EnumChildWindows(
                h, [](HWND, LPARAM inner) -> BOOL { return ++reinterpret_cast<TCount*>(inner)->count, TRUE; }, lp);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.count;
}

TEST_F(Glydrive, ReportsWhatTheProgramsProcessHolds) {
    TProgram program;
    ASSERT_NE(program.Main(), nullptr);
    EXPECT_EQ(RunGlydrive("stats NoSuchWindow").exitCode, 1u);

    const TRun run = RunGlydrive("stats Glyphora");
    ASSERT_EQ(run.exitCode, 0u);
    std::smatch m;
    ASSERT_TRUE(std::regex_match(run.output, m,
                                 std::regex(R"(gdi=(\d+) fonts=(\d+) windows=(\d+) top=(\d+) workingset_kb=(\d+) )"
                                            R"(client=(-?\d+),(-?\d+),(\d+),(\d+)\n)")))
        << run.output;
    const TGdiObjects gdi = GdiObjectsOf(program.Process());
    ASSERT_TRUE(gdi.read);
    // The walk of previews may make or free a few objects in between.
    EXPECT_NEAR(std::stoi(m[1]), gdi.Total(), 8);
    EXPECT_NEAR(std::stoi(m[2]), gdi.Fonts(), 4);
    EXPECT_EQ(std::stoi(m[3]), CountWindows(::GetProcessId(program.Process())));
    EXPECT_GE(std::stoi(m[4]), 1);
    EXPECT_GT(std::stoi(m[5]), 1000);  // a Win32 program with a window holds megabytes
    RECT client{};
    ::GetClientRect(program.Main(), &client);
    POINT origin{0, 0};
    ::ClientToScreen(program.Main(), &origin);
    EXPECT_EQ(std::stoi(m[6]), origin.x);
    EXPECT_EQ(std::stoi(m[7]), origin.y);
    EXPECT_EQ(std::stoi(m[8]), client.right);
    EXPECT_EQ(std::stoi(m[9]), client.bottom);
    EXPECT_EQ(program.Close(), 0);
}

}  // namespace
