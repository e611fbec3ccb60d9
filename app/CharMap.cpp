// The character map: the chosen cell's character, its codes, and copying it.

#include "app/AppMainForm.h"
#include "app/ViewRules.h"
#include "platform/win/Clipboard.h"

void TMainForm::TestGridClick(TObject* /*Sender*/) {
    const int code = CharCodeOfCell(TestGrid->Col(), TestGrid->Row());
    PreviewPanel->SetCaption(TestGrid->Cells(TestGrid->Col(), TestGrid->Row()));
    DecLabel->SetCaption(DecimalCode(code));
    HexLabel->SetCaption(HexCode(code));
}

void TMainForm::Copy(TObject* /*Sender*/) {
    // What is copied is the character the preview shows, as its byte in the
    // ANSI code page; a clipboard held by another program is left alone.
    const auto byte = Utf8ToAnsiCode(PreviewPanel->Caption());
    if (!byte) return;
    const char c = static_cast<char>(*byte);
    ClipboardSetAnsiText(std::string_view(&c, 1), Handle());
}

void TMainForm::StatusBarDrawPanel(TStatusBar* /*Sender*/, TStatusPanel* /*Panel*/, const TRect& Rect) {
    TCanvas* canvas = StatusBar->Canvas();
    const int count = FontList->Items()->Count();
    ProgressPanelWidth = Rect.Width();
    if (ProgressVisible(PreviewsCached, count)) {
        canvas->Brush()->SetColor(clHighlight);
        const int w = ProgressBarWidth(Rect.Width(), PreviewsCached, count);
        canvas->FillRect(TRect{Rect.left + 1, Rect.top + 1, Rect.left + w, Rect.bottom - 1});
        ProgressDrawn = w;
    } else {
        canvas->Brush()->SetColor(clBtnFace);
        canvas->FillRect(Rect);
        ProgressDrawn = -1;
    }
}
