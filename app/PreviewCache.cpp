// Preview bitmaps of the font list rows, kept while the cache option is on,
// and the thread that has them rendered ahead of need.

#include "app/AppMainForm.h"
#include "app/BitmapperThread.h"
#include "app/FontFamilies.h"
#include "app/ViewRules.h"
#include "platform/win/Application.h"

void TMainForm::CreateFontBitmap(int Index) {
    if (Index < 0 || Index >= static_cast<int>(FontBitmaps.size())) return;
    std::unique_ptr<TBitmap>& slot = FontBitmaps[static_cast<size_t>(Index)];
    if (slot) return;
    const std::string& name = FontFamilies()[static_cast<size_t>(Index)];
    try {
        auto bitmap = std::make_unique<TBitmap>();
        TCanvas* canvas = bitmap->Canvas();
        TFont* font = canvas->Font();
        font->SetName(FaceForFamily(name));
        font->SetPixelsPerInch(PixelsPerInch());
        font->SetSize(SizeValue());
        font->SetStyle(StyleFromToggles());
        font->SetColor(clWindowText);
        bitmap->SetWidth(canvas->TextWidth(name + " "));
        bitmap->SetHeight(canvas->TextHeight(name));
        canvas->Brush()->SetColor(clWhite);
        canvas->TextOut(0, 0, name);
        bitmap->SetTransparentColor(clWhite);
        bitmap->SetTransparent(true);
        // The drawing DC is not needed again: a kept preview is only blitted.
        bitmap->Dormant();
        slot = std::move(bitmap);
    } catch (const std::exception&) {
        // A family that cannot be rendered (or graphics resources running
        // out) leaves its row empty; the list and the walk go on.
        return;
    }
    if (CacheFontsCheck->Checked()) {
        ++PreviewsCached;
        // Only the progress panel changes; repainting the whole bar for
        // every preview would cost more than rendering the preview.
        StatusBar->RepaintPanel(kProgressPanel);
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

const TBitmap* TMainForm::PreviewBitmap(int index) const {
    if (index < 0 || index >= static_cast<int>(FontBitmaps.size())) return nullptr;
    return FontBitmaps[static_cast<size_t>(index)].get();
}
