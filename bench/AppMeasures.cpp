#include "AppMeasures.h"

#include <algorithm>

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
        if (const TCompactBitmap* preview = form.PreviewBitmap(i)) {
            ++figures.kept;
            // What the preview took as a 32-bit bitmap: four bytes a pixel,
            // rows never padded.
            figures.pixelBytes += uint64_t(preview->Width()) * uint64_t(preview->Height()) * 4;
            figures.held += preview->MemoryBytes();
        }
    return figures;
}

namespace {

// The pixels of a preview's non-white rectangle, read back by drawing it on
// white.
TRawBlit Unpacked(const TCompactBitmap& preview, int x, int y) {
    const TRect ink = preview.Ink();
    TRawBlit blit;
    blit.width = ink.Width();
    blit.height = ink.Height();
    blit.x = x + ink.left;
    blit.y = y + ink.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = blit.width;
    info.bmiHeader.biHeight = -blit.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = ::CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    ::PatBlt(dc, 0, 0, blit.width, blit.height, WHITENESS);
    preview.Draw(dc, -ink.left, -ink.top);
    ::GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    blit.pixels.assign(pixels, pixels + size_t(blit.width) * size_t(blit.height));
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return blit;
}

}  // namespace

std::vector<TRawBlit> VisiblePreviews(TMainForm& form) {
    std::vector<TRawBlit> blits;
    TListBox& list = *form.FontList;
    const int rowHeight = list.ItemHeight();
    const int visibleHeight = list.ClientRect().Height();
    const int count = static_cast<int>(FontFamilies().size());
    const int width = list.ClientRect().Width();
    for (int i = list.TopIndex(), top = 0; i < count && top < visibleHeight; ++i, top += rowHeight)
        if (const TCompactBitmap* preview = form.PreviewBitmap(i); preview && preview->Ink().Width() > 0) {
            TRawBlit blit = Unpacked(*preview, 4, PreviewTop(top, top + rowHeight, preview->Height()));
            blit.rowLeft = 0;
            blit.rowTop = top;
            blit.rowRight = width;
            blit.rowBottom = top + rowHeight;
            blits.push_back(std::move(blit));
        }
    return blits;
}

double MeasureRepaint(TMainForm& form, int repeats) {
    TListBox& list = *form.FontList;
    list.Repaint();  // the first repaint sizes the drawing sections
    PassDisplayDeadline();
    const double start = NowSeconds();
    for (int r = 0; r < repeats; ++r) list.Repaint();
    ::GdiFlush();
    return (NowSeconds() - start) / repeats;
}

TClickTimes MeasureClicks(TMainForm& form, int clicks, bool duringWalk) {
    TClickTimes times;
    TListBox& list = *form.FontList;
    HWND listWindow = list.Handle();
    HWND bar = form.StatusBar->Handle();
    const int rowHeight = list.ItemHeight();
    const int count = static_cast<int>(FontFamilies().size());
    const int rows = std::min(list.ClientRect().Height() / rowHeight, count - list.TopIndex());
    if (rows < 2) return times;
    form.CacheFontsCheck->SetChecked(false);
    form.CacheFontsCheck->SetChecked(duringWalk);
    int previous = list.ItemIndex() - list.TopIndex();
    for (int k = 0; k < clicks; ++k) {
        if (duringWalk && !form.BitmapperRunning()) {
            form.CacheFontsCheck->SetChecked(false);
            form.CacheFontsCheck->SetChecked(true);
        }
        // Never the row already selected: its click would change nothing.
        int row = (k * 7 + 3) % rows;
        if (row == previous) row = (row + 1) % rows;
        previous = row;
        const int index = list.TopIndex() + row;
        const std::string& family = list.Items()->Get(index);
        const LPARAM at = MAKELPARAM(20, row * rowHeight + rowHeight / 2);
        const double start = NowSeconds();
        ::PostMessageW(listWindow, WM_LBUTTONDOWN, MK_LBUTTON, at);
        ::PostMessageW(listWindow, WM_LBUTTONUP, 0, at);
        const auto shown = [&] {
            return form.StatusBar->Panels()->Items(kNamePanel)->Text() == family &&
                   !::GetUpdateRect(bar, nullptr, FALSE);
        };
        const double limit = start + 5;
        while (!shown() && NowSeconds() < limit) Application->HandleMessage();
        times.toPanel.push_back((NowSeconds() - start) * 1000);
        // The rest of the window (the sample text in the new family above
        // all) paints from the message loop after the bar: paint it now.
        ::RedrawWindow(form.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        times.toWindow.push_back((NowSeconds() - start) * 1000);
    }
    form.CacheFontsCheck->SetChecked(false);
    return times;
}

double MeasurePreviewDraws(TMainForm& form, int repeats) {
    TListBox& list = *form.FontList;
    const int rowHeight = list.ItemHeight();
    const int visibleHeight = list.ClientRect().Height();
    const int count = static_cast<int>(FontFamilies().size());
    std::vector<std::pair<const TCompactBitmap*, int>> rows;
    for (int i = list.TopIndex(), top = 0; i < count && top < visibleHeight; ++i, top += rowHeight)
        if (const TCompactBitmap* preview = form.PreviewBitmap(i))
            rows.emplace_back(preview, PreviewTop(top, top + rowHeight, preview->Height()));
    HDC dc = ::GetDC(list.Handle());
    const double start = NowSeconds();
    for (int r = 0; r < repeats; ++r)
        for (const auto& [preview, y] : rows) preview->Draw(dc, 4, y);
    ::GdiFlush();
    const double seconds = (NowSeconds() - start) / repeats;
    ::ReleaseDC(list.Handle(), dc);
    list.Repaint();
    return seconds;
}
