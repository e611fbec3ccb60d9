#pragma once
// The printer: the system's default printer (or a named one), a document at a
// time, drawn through a canvas on the printer's device context.
//
// The printer is looked up on first use and kept for the life of the object;
// while none is found, every use that needs it raises EPrinter with
// kNoDefaultPrinter and the next use looks again. Lengths are device pixels
// of the printable area, whose top-left corner is (0, 0).
//
// While the spooler works on a page, the printer lets the application handle
// the messages that are waiting; a job is never cancelled from there. A
// document begun from inside that (or while another is printing) raises
// kPrintingInProgress. When Windows reports that starting or ending the
// document or a page failed, the job is dropped and EPrinter says which step
// failed: a job the system did not take is never reported as printed.

#include <memory>
#include <string>
#include <string_view>

#include "platform/core/Exceptions.h"
#include "platform/win/Canvas.h"
#include "platform/win/Handle.h"

GLY_EXCEPTION(EPrinter, Exception);

namespace errors {
inline constexpr std::string_view kNoDefaultPrinter = "There is no default printer currently selected";
inline constexpr std::string_view kPrintingInProgress = "Printing in progress";
inline constexpr std::string_view kNotPrinting = "Printer is not currently printing";
}  // namespace errors

class TPrinter {
public:
    // The system's default printer, as it is at first use.
    TPrinter();
    // The printer of that name (the spooler's name), for when the default
    // one is not wanted.
    explicit TPrinter(std::string printerName);
    // A document still being printed is dropped.
    ~TPrinter();
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    // The name of the printer in use; looks it up if not done yet.
    const std::string& PrinterName();

    // The job's name in the print queue; at most the first 31 characters are
    // passed on.
    const std::string& Title() const noexcept { return title_; }
    void SetTitle(const std::string& value) { title_ = value; }

    // Starts a job and its first page.
    void BeginDoc();
    // Ends the page and starts the next; the canvas keeps its font and pen.
    void NewPage();
    // Ends the last page and the job.
    void EndDoc();
    // Drops the job in progress, if any; nothing of it is printed.
    void Abort() noexcept;
    bool Printing() const noexcept { return printing_; }
    // 1 for the first page of the job in progress (0 when not printing).
    int PageNumber() const noexcept { return pageNumber_; }

    // The printable area and the vertical resolution (HORZRES, VERTRES,
    // LOGPIXELSY).
    int PageWidth();
    int PageHeight();
    int PixelsPerInchY();

    // Draws on the printer's device context.
    TCanvas* Canvas();

private:
    HDC Dc();
    void Fail(std::string_view message);

    std::string wantedName_;  // empty: the default printer
    std::string name_;
    std::string title_;
    TMemoryDC dc_;
    std::unique_ptr<TCanvas> canvas_;
    bool printing_ = false;
    int pageNumber_ = 0;
};

// The program's printer: the default printer, made on first use.
TPrinter& Printer();

// The first `count` characters of UTF-8 text (whole characters).
std::string FirstCharacters(std::string_view utf8, size_t count);
