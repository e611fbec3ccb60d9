#pragma once
// A printout and the frame every printout runs in.

#include <functional>
#include <string>

#include "platform/core/Exceptions.h"
#include "printing/PrinterServices.h"

// A printout that cannot be laid out on the printer's page.
GLY_EXCEPTION(EPrintout, Exception);

class TPrintout {
public:
    virtual ~TPrintout() = default;
    // The job's name in the print queue.
    virtual std::string Title() const = 0;
    // Reads the page and resolution it needs, before the document begins;
    // raises EPrintout when they leave no room, so that nothing is printed.
    virtual void Measure(TPrinterServices& printer) = 0;
    // Draws the pages of the begun document.
    virtual void Draw(TPrinterServices& printer) = 0;
};

// The frame: the busy cursor; `waitForPreviews` (the preview thread's end,
// if it runs); the layout measured; the document begun under the printout's
// title, drawn and ended; the default cursor again, also after an error,
// which is passed on.
void RunPrintout(TPrinterServices& printer, TPrintout& printout, const std::function<void()>& waitForPreviews);
