// The status bar's progress panel follows every preview rendered while the
// cache is on: after each one its bar is what a full repaint of the panel
// shows, also where a rendering does not move the bar by a pixel.

#include <gtest/gtest.h>

#include <string>

#include "app/ViewRules.h"
#include "platform/win/Win32.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/win/GdiTestUtil.h"

namespace {

class ProgressPanel : public MainWindow {
protected:
    // The bar as the window shows it now: the panel's pixels in the
    // highlight colour (a full repaint may draw the panel's frame a little
    // differently; the bar is what follows the previews).
    int Shown() {
        HWND bar = form->StatusBar->Handle();
        RECT part{};
        ::SendMessageW(bar, SB_GETRECT, kProgressPanel, LPARAM(&part));
        const int w = int(part.right - part.left), h = int(part.bottom - part.top);
        TTestSurface copy(w, h, RGB(1, 2, 3));
        HDC dc = ::GetDC(bar);
        ::BitBlt(copy.DC(), 0, 0, w, h, dc, part.left, part.top, SRCCOPY);
        ::ReleaseDC(bar, dc);
        return copy.Count({0, 0, w, h}, ::GetSysColor(COLOR_HIGHLIGHT));
    }
    // The same after the panel has been painted afresh.
    int Repainted() {
        HWND bar = form->StatusBar->Handle();
        RECT part{};
        ::SendMessageW(bar, SB_GETRECT, kProgressPanel, LPARAM(&part));
        ::InvalidateRect(bar, &part, TRUE);
        ::UpdateWindow(bar);
        return Shown();
    }
};

TEST_F(ProgressPanel, ShowsAfterEveryRenderingWhatAFullRepaintShows) {
    // A wide panel: its bar grows by a pixel or more at every preview. A
    // narrow one (fewer pixels than families): not at every preview.
    for (const int width : {100, 24}) {
        SCOPED_TRACE("panel width " + std::to_string(width));
        form->StatusBar->Panels()->Items(kProgressPanel)->SetWidth(width);
        form->CacheFontsCheck->SetChecked(false);
        // The cache on with the thread stopped at once: the previews are
        // rendered here, one by one.
        form->CacheFontsCheck->SetChecked(true);
        form->WaitForBitmapper();
        Application->ProcessMessages();
        int changes = 0, still = 0;
        int before = Repainted();
        for (int i = 0; i < Families(); ++i) {
            form->CreateFontBitmap(i);
            const int shown = Shown();
            ASSERT_EQ(shown, Repainted()) << "after family " << i << ", " << form->CachedCount() << " kept";
            (shown == before ? still : changes) += 1;
            before = shown;
        }
        EXPECT_EQ(form->CachedCount(), Families());
        EXPECT_GT(changes, 2);
        if (width < Families()) {
            EXPECT_GT(still, 0) << "no rendering left the bar as it was";
        }
    }
}

}  // namespace
