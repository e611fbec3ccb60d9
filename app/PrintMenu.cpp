// The print menu and the three printouts, on the default printer.

#include "app/AppMainForm.h"
#include "app/BitmapperThread.h"
#include "app/FontFamilies.h"
#include "printing/CharmapPrintout.h"
#include "printing/DefaultPrinter.h"
#include "printing/FontListPrintout.h"
#include "printing/SampleTextPrintout.h"

void TMainForm::PrintBtnMouseUp(TObject* /*Sender*/, TMouseButton /*Button*/, TShiftState /*Shift*/, int /*X*/,
                                int /*Y*/) {
    // Whichever button was released, the menu hangs from the button's
    // bottom-left corner.
    const TPoint at = PrintBtn->ClientToScreen(TPoint{0, PrintBtn->Height()});
    PrintPopup->Popup(at.x, at.y);
}

void TMainForm::PrintFontList(TObject* /*Sender*/) {
    TFontListPrintout printout(FontFamilies(), *TestMemo->Font(), &FaceForFamily);
    Print(printout);
}

void TMainForm::PrintTestText(TObject* /*Sender*/) {
    TSampleTextPrintout printout(TestMemo->Text(), *TestMemo->Font());
    Print(printout);
}

void TMainForm::PrintCharmap(TObject* /*Sender*/) {
    TCharmapPrintout printout(*TestGrid->Font());
    Print(printout);
}

void TMainForm::Print(TPrintout& printout) {
    TDefaultPrinterServices printer;
    RunPrintout(printer, printout, [this] {
        // The walk is not stopped: the printout waits until every preview is
        // rendered, serving the thread's hand-offs meanwhile. A thread that
        // has ended already returns at once.
        if (Bitmapper) Bitmapper->WaitFor();
    });
}
