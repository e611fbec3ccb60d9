// Kept previews hold no GDI object: the window's count, read from the
// process's GDI handle table, is the same with every preview kept as with
// none, however many families there are.

#include <gtest/gtest.h>

#include "platform/win/Win32.h"
#include "tests/app/MainWindowFixture.h"
#include "tests/e2e/GdiObjects.h"
#include "tests/support/PumpUntil.h"

namespace {

// The shared drawing sections, the rendering sheet and objects made once
// and kept; one GDI object per kept preview would exceed it with the
// prefix's own families.
constexpr int kMargin = 8;

class PreviewBudget : public MainWindow {};

TEST_F(PreviewBudget, EveryPreviewKeptHoldsNoMoreGdiObjectsThanNoneKept) {
    ASSERT_GT(Families(), 2 * kMargin) << "too few families to tell one object per preview apart";
    ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));
    ASSERT_EQ(form->CachedCount(), Families());
    form->FontList->Repaint();  // every visible row drawn from a kept preview
    const TGdiObjects full = GdiObjectsOf(::GetCurrentProcess());
    ASSERT_TRUE(full.read) << "the GDI handle table cannot be read";

    form->CacheFontsCheck->SetChecked(false);
    form->FontList->Repaint();
    ASSERT_EQ(form->CachedCount(), 0);
    const TGdiObjects none = GdiObjectsOf(::GetCurrentProcess());
    EXPECT_LE(full.Total(), none.Total() + kMargin) << "kept: " << full << "\nnone: " << none;

    // Kept again after a style change: the count stays, the previews are new.
    form->CacheFontsCheck->SetChecked(true);
    form->BoldBtn->Click();
    ASSERT_TRUE(PumpUntil([&] { return !form->BitmapperRunning(); }));
    ASSERT_EQ(form->CachedCount(), Families());
    const TGdiObjects again = GdiObjectsOf(::GetCurrentProcess());
    EXPECT_LE(again.Total(), none.Total() + kMargin) << "kept: " << again << "\nnone: " << none;
}

}  // namespace
