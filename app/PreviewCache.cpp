// Preview bitmaps of the font list rows, kept packed while the cache option
// is on, and the thread that has them rendered ahead of need.

#include <algorithm>

#include "app/AppMainForm.h"
#include "app/BitmapperThread.h"
#include "app/FontFamilies.h"
#include "app/ViewRules.h"
#include "platform/win/Application.h"

void TMainForm::CreateFontBitmap(int Index) {
    if (Index < 0 || Index >= static_cast<int>(FontBitmaps.size())) return;
    std::unique_ptr<TCompactBitmap>& slot = FontBitmaps[static_cast<size_t>(Index)];
    if (slot) return;
    const std::string& name = FontFamilies()[static_cast<size_t>(Index)];
    try {
        // One sheet for every rendering: a bitmap (and its DC) per preview
        // would cost more than the rendering, and only the packed pixels
        // are kept.
        if (!PreviewSheet) PreviewSheet = std::make_unique<TBitmap>();
        TBitmap& sheet = *PreviewSheet;
        TCanvas* canvas = sheet.Canvas();
        TFont* font = canvas->Font();
        font->SetName(FaceForFamily(name));
        font->SetPixelsPerInch(PixelsPerInch());
        font->SetSize(SizeValue());
        font->SetStyle(StyleFromToggles());
        font->SetColor(clWindowText);
        const int width = canvas->TextWidth(name + " ");
        const int height = canvas->TextHeight(name);
        if (width > sheet.Width() || height > sheet.Height())
            sheet.SetSize(std::max(width, sheet.Width()), std::max(height, sheet.Height()));
        // Only the preview's own rectangle is read back, so only it is made
        // white; what an earlier, larger preview left beyond it stays.
        canvas->Brush()->SetColor(clWhite);
        canvas->FillRect(TRect{0, 0, width, height});
        canvas->TextOut(0, 0, name);
        slot = std::make_unique<TCompactBitmap>(sheet, width, height);
    } catch (const std::exception&) {
        // A family that cannot be rendered (or graphics resources running
        // out) leaves its row empty; the list and the walk go on.
        return;
    }
    if (CacheFontsCheck->Checked()) {
        ++PreviewsCached;
        // Only the progress panel changes, and with many families its bar
        // grows by a pixel only every few previews: the panel is painted
        // when its picture changes, not for every preview.
        const int count = FontList->Items()->Count();
        const int bar = ProgressVisible(PreviewsCached, count)
                            ? ProgressBarWidth(ProgressPanelWidth, PreviewsCached, count)
                            : -1;
        if (ProgressPanelWidth <= 0 || bar != ProgressDrawn) StatusBar->RepaintPanel(kProgressPanel);
    }
}

void TMainForm::ClearCache() {
    WaitForBitmapper();
    for (auto& slot : FontBitmaps) slot.reset();
    PreviewsCached = 0;
    if (StatusBar) StatusBar->Repaint();
}

void TMainForm::WaitForBitmapper() {
    if (!Bitmapper) return;
    TBitmapperThread* thread = Bitmapper;
    // The thread's end notice is handled later, from the message loop, maybe
    // after this window is gone: it must not call back into it.
    thread->OnTerminate = TNotifyEvent();
    thread->Terminate();
    thread->WaitFor();
    Bitmapper = nullptr;
}

void TMainForm::StartBitmapper() {
    TBitmapperThread* thread = new TBitmapperThread();
    thread->OnTerminate = TNotifyEvent(this, &TMainForm::BitmapperTerminated);
    thread->Start();
    thread->SetPriority(TThread::kPriorityIdle);
    Bitmapper = thread;
}

void TMainForm::BitmapperTerminated(TObject* Sender) {
    // The thread frees itself after this; only the current one is dropped.
    if (Sender == Bitmapper) Bitmapper = nullptr;
}

void TMainForm::CacheFontsCheckClick(TObject* /*Sender*/) {
    if (CacheFontsCheck->Checked())
        StartBitmapper();
    else
        ClearCache();
}

const TCompactBitmap* TMainForm::PreviewBitmap(int index) const {
    if (index < 0 || index >= static_cast<int>(FontBitmaps.size())) return nullptr;
    return FontBitmaps[static_cast<size_t>(index)].get();
}
