#include "tests/e2e/Pdf.h"

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "platform/win/WinText.h"
#include "tests/e2e/Driver.h"

namespace {

std::wstring WinPath(const std::string& unixPath) {
    std::wstring w = L"Z:" + Wide(unixPath);
    for (wchar_t& c : w)
        if (c == L'/') c = L'\\';
    return w;
}

std::string ReadFile(const std::string& unixPath) {
    std::ifstream in(WinPath(unixPath).c_str(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Unescape(std::string s) {
    const std::pair<const char*, const char*> entities[] = {
        {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&apos;", "'"}, {"&amp;", "&"}};
    for (const auto& [from, to] : entities)
        for (size_t at = 0; (at = s.find(from, at)) != std::string::npos; at += std::string(to).size())
            s.replace(at, std::string(from).size(), to);
    return s;
}

double Attribute(const std::string& line, const std::string& name) {
    const size_t at = line.find(name + "=\"");
    return at == std::string::npos ? 0 : std::atof(line.c_str() + at + name.size() + 2);
}

}  // namespace

std::string RunShell(const std::string& command) {
    static std::atomic<int> counter{0};
    const std::string out =
        "/tmp/glyphora-e2e-" + std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(++counter) + ".txt";
    // A Linux program started from Wine gives no usable process handle to
    // wait on: the output file appears, whole, when it has finished.
    std::wstring line =
        Wide("/bin/sh -c \"{ " + command + " ; } >" + out + ".part 2>&1; mv " + out + ".part " + out + "\"");
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!::CreateProcessW(L"Z:\\bin\\sh", line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        throw std::runtime_error("/bin/sh could not be started");
    ::CloseHandle(pi.hThread);
    ::CloseHandle(pi.hProcess);
    const std::wstring result = WinPath(out);
    WaitFor([&] { return ::GetFileAttributesW(result.c_str()) != INVALID_FILE_ATTRIBUTES; });
    std::string text = ReadFile(out);
    ::DeleteFileW(result.c_str());
    return text;
}

std::string PdfFolder() {
    const char* dir = std::getenv("GLYPHORA_PDF_DIR");
    if (!dir) throw std::runtime_error("GLYPHORA_PDF_DIR is not set");
    return dir;
}

std::set<std::string> PdfFiles() {
    std::set<std::string> names;
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileW((WinPath(PdfFolder()) + L"\\*.pdf").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.insert(Utf8(data.cFileName));
    while (::FindNextFileW(find, &data));
    ::FindClose(find);
    return names;
}

std::string WaitForNewPdf(const std::string& prefix, const std::set<std::string>& before) {
    std::string found;
    WaitFor([&] {
        for (const std::string& name : PdfFiles()) {
            if (before.count(name) || name.rfind(prefix, 0) != 0) continue;
            const std::string content = ReadFile(PdfFolder() + "/" + name);
            const size_t end = content.find_last_not_of("\r\n");
            if (end != std::string::npos && end >= 4 && content.compare(end - 4, 5, "%%EOF") == 0) {
                found = PdfFolder() + "/" + name;
                return true;
            }
        }
        return false;
    });
    return found;
}

std::vector<TPdfWord> PdfWords(const std::string& path) {
    std::vector<TPdfWord> words;
    std::istringstream in(RunShell("pdftotext -bbox '" + path + "' -"));
    std::string line;
    int page = -1;
    while (std::getline(in, line)) {
        if (line.find("<page ") != std::string::npos) ++page;
        const size_t open = line.find("<word ");
        if (open == std::string::npos) continue;
        const size_t textStart = line.find('>', open) + 1;
        const size_t textEnd = line.find("</word>", textStart);
        words.push_back(TPdfWord{page, Attribute(line, "xMin"), Attribute(line, "yMin"), Attribute(line, "xMax"),
                                 Attribute(line, "yMax"), Unescape(line.substr(textStart, textEnd - textStart))});
    }
    return words;
}

std::map<std::string, std::string> PdfInfo(const std::string& path) {
    std::map<std::string, std::string> fields;
    std::istringstream in(RunShell("pdfinfo '" + path + "'"));
    std::string line;
    while (std::getline(in, line)) {
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        const size_t value = line.find_first_not_of(' ', colon + 1);
        fields[line.substr(0, colon)] = value == std::string::npos ? "" : line.substr(value);
    }
    return fields;
}

std::set<std::string> PdfFonts(const std::string& path) {
    std::set<std::string> fonts;
    std::istringstream in(RunShell("pdffonts '" + path + "'"));
    std::string line;
    for (int skip = 0; skip < 2 && std::getline(in, line); ++skip) {
    }
    while (std::getline(in, line)) {
        std::string name = line.substr(0, line.find(' '));
        if (const size_t plus = name.find('+'); plus == 6) name = name.substr(plus + 1);
        if (!name.empty()) fonts.insert(name);
    }
    return fonts;
}
