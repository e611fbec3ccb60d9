#include "AppMeasures.h"

#include "Measure.h"
#include "app/AppMainForm.h"
#include "app/FontFamilies.h"
#include "app/Startup.h"
#include "app/ViewRules.h"
#include "platform/win/Application.h"
#include "platform/win/Win32.h"

TMainForm* StartProgram() {
    StartGlyphora();
    MainForm->Show();
    // The list paints now, before any of the preview thread's hand-offs is
    // served: the figure is the time until the user sees the families.
    MainForm->FontList->Update();
    return MainForm;
}

void SetStyleWithCacheOff(TMainForm& form, const TRawPreviewStyle& style) {
    form.CacheFontsCheck->SetChecked(false);
    form.BoldBtn->SetDown(style.bold);
    form.ItalicBtn->SetDown(style.italic);
    form.UnderlineBtn->SetDown(style.underline);
    form.SizeUpDown->SetPosition(style.pointSize);
    form.SizeEdit->SetText(std::to_string(style.pointSize));
    form.FontPropsChanged(nullptr);
    Application->ProcessMessages();
}

namespace {

uint64_t PixelBytes(const TBitmap& bitmap) {
    BITMAP info{};
    if (!::GetObjectW(bitmap.Handle(), sizeof info, &info)) return 0;
    return uint64_t(info.bmWidthBytes) * uint64_t(info.bmHeight);
}

}  // namespace

TWalkFigures MeasureWalk(TMainForm& form) {
    TWalkFigures figures;
    const uint64_t before = CommittedPrivateBytes();
    const double start = NowSeconds();
    form.CacheFontsCheck->SetChecked(true);
    while (form.BitmapperRunning()) Application->HandleMessage();
    figures.seconds = NowSeconds() - start;
    figures.committed = CommittedPrivateBytes() - before;
    const int count = static_cast<int>(FontFamilies().size());
    for (int i = 0; i < count; ++i)
        if (const TBitmap* preview = form.PreviewBitmap(i)) {
            ++figures.kept;
            figures.pixelBytes += PixelBytes(*preview);
        }
    return figures;
}

std::vector<TRawBlit> VisiblePreviews(TMainForm& form) {
    std::vector<TRawBlit> blits;
    TListBox& list = *form.FontList;
    const int rowHeight = list.ItemHeight();
    const int visibleHeight = list.ClientRect().Height();
    const int count = static_cast<int>(FontFamilies().size());
    for (int i = list.TopIndex(), top = 0; i < count && top < visibleHeight; ++i, top += rowHeight)
        if (const TBitmap* preview = form.PreviewBitmap(i))
            blits.push_back({preview->Handle(), 4, PreviewTop(top, top + rowHeight, preview->Height())});
    return blits;
}

double MeasureRepaint(TMainForm& form, int repeats) {
    TListBox& list = *form.FontList;
    list.Repaint();  // the first repaint makes the masks, kept from then on
    const double start = NowSeconds();
    for (int r = 0; r < repeats; ++r) list.Repaint();
    ::GdiFlush();
    return (NowSeconds() - start) / repeats;
}
