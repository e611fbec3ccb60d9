#include "printing/Printout.h"

#include "platform/win/Screen.h"

void RunPrintout(TPrinterServices& printer, TPrintout& printout, const std::function<void()>& waitForPreviews) {
    const TBusyCursor busy;
    if (waitForPreviews) waitForPreviews();
    printout.Measure(printer);
    printer.BeginDoc(printout.Title());
    printout.Draw(printer);
    printer.EndDoc();
}
