#include "platform/win/Printer.h"

#include <vector>

#include "platform/win/Application.h"
#include "platform/win/Win32.h"
// Win32.h leaves the spooler out (WIN32_LEAN_AND_MEAN).
#include <winspool.h>
#include "platform/win/WinText.h"

namespace {

// Which step of a job Windows refused; only this file raises them.
constexpr std::string_view kStartDocFailed = "The printer did not accept the document";
constexpr std::string_view kStartPageFailed = "The printer could not start a new page";
constexpr std::string_view kEndPageFailed = "The printer could not finish the page";
constexpr std::string_view kEndDocFailed = "The printer could not finish the document";

// The spooler calls this while it works on a page. The user interface goes
// on meanwhile; nothing from there cancels the job. No exception may leave
// a Win32 callback: the window procedures hand theirs to the general error
// handler already, and anything else is dropped here.
BOOL CALLBACK KeepPrinting(HDC, int) {
    try {
        if (Application) Application->ProcessMessages();
    } catch (...) {
    }
    return TRUE;
}

std::string DefaultPrinterName() {
    DWORD size = 0;
    ::GetDefaultPrinterW(nullptr, &size);
    if (size == 0) return {};
    std::vector<wchar_t> buffer(size);
    if (!::GetDefaultPrinterW(buffer.data(), &size)) return {};
    return Utf8(buffer.data());
}

}  // namespace

std::string FirstCharacters(std::string_view utf8, size_t count) {
    size_t end = 0, seen = 0;
    while (end < utf8.size() && seen < count) {
        ++end;
        // Continuation bytes belong to the character before them.
        while (end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) ++end;
        ++seen;
    }
    return std::string(utf8.substr(0, end));
}

TPrinter::TPrinter() = default;

TPrinter::TPrinter(std::string printerName) : wantedName_(std::move(printerName)) {}

TPrinter::~TPrinter() {
    Abort();
    // The canvas puts the DC's own objects back before the DC goes.
    canvas_.reset();
}

HDC TPrinter::Dc() {
    if (dc_) return dc_.Get();
    const std::string name = wantedName_.empty() ? DefaultPrinterName() : wantedName_;
    if (name.empty()) throw EPrinter(std::string(errors::kNoDefaultPrinter));
    const std::wstring wide = Wide(name);
    TMemoryDC dc(::CreateDCW(L"WINSPOOL", wide.c_str(), nullptr, nullptr));
    if (!dc) throw EPrinter(std::string(errors::kNoDefaultPrinter));
    dc_ = std::move(dc);
    name_ = name;
    canvas_ = std::make_unique<TCanvas>(dc_.Get());
    canvas_->SetOutlineTextFallback(true);
    return dc_.Get();
}

const std::string& TPrinter::PrinterName() {
    Dc();
    return name_;
}

TCanvas* TPrinter::Canvas() {
    Dc();
    return canvas_.get();
}

int TPrinter::PageWidth() { return ::GetDeviceCaps(Dc(), HORZRES); }
int TPrinter::PageHeight() { return ::GetDeviceCaps(Dc(), VERTRES); }
int TPrinter::PixelsPerInchY() { return ::GetDeviceCaps(Dc(), LOGPIXELSY); }

void TPrinter::BeginDoc() {
    if (printing_) throw EPrinter(std::string(errors::kPrintingInProgress));
    HDC dc = Dc();
    ::SetAbortProc(dc, &KeepPrinting);
    const std::wstring docName = Wide(FirstCharacters(title_, 31));
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = docName.c_str();
    // Set first: the spooler may already handle messages inside StartDoc,
    // and a document begun from there must be refused.
    printing_ = true;
    if (::StartDocW(dc, &info) <= 0) {
        printing_ = false;
        throw EPrinter(std::string(kStartDocFailed));
    }
    pageNumber_ = 1;
    if (::StartPage(dc) <= 0) Fail(kStartPageFailed);
}

void TPrinter::NewPage() {
    if (!printing_) throw EPrinter(std::string(errors::kNotPrinting));
    HDC dc = dc_.Get();
    if (::EndPage(dc) <= 0) Fail(kEndPageFailed);
    ++pageNumber_;
    if (::StartPage(dc) <= 0) Fail(kStartPageFailed);
}

void TPrinter::EndDoc() {
    if (!printing_) throw EPrinter(std::string(errors::kNotPrinting));
    HDC dc = dc_.Get();
    if (::EndPage(dc) <= 0) Fail(kEndPageFailed);
    const int ended = ::EndDoc(dc);
    printing_ = false;
    pageNumber_ = 0;
    if (ended <= 0) throw EPrinter(std::string(kEndDocFailed));
}

void TPrinter::Abort() noexcept {
    if (!printing_) return;
    ::AbortDoc(dc_.Get());
    printing_ = false;
    pageNumber_ = 0;
}

void TPrinter::Fail(std::string_view message) {
    Abort();
    throw EPrinter(std::string(message));
}

TPrinter& Printer() {
    static TPrinter printer;
    return printer;
}
