// The font list: rows drawn from previews, selection applied to the views,
// reloading.

#include "app/AppMainForm.h"
#include "app/FontFamilies.h"
#include "app/ViewRules.h"

void TMainForm::FontListDrawItem(TWinControl* /*Control*/, int Index, TRect Rect, TOwnerDrawState State) {
    CreateFontBitmap(Index);
    TCanvas* canvas = FontList->Canvas();
    // Light grey instead of the platform's selection colours, so that the
    // name keeps the colour its preview was rendered in.
    canvas->Brush()->SetColor(State.Has(TOwnerDrawFlag::odSelected) ? TColor(0x00E0E0E0) : FontList->Color());
    canvas->FillRect(Rect);
    if (Index < 0 || Index >= static_cast<int>(FontBitmaps.size())) return;
    std::unique_ptr<TCompactBitmap>& slot = FontBitmaps[static_cast<size_t>(Index)];
    if (!slot) return;  // the family could not be rendered: the row stays empty
    canvas->Draw(Rect.left + 4, PreviewTop(Rect.top, Rect.bottom, slot->Height()), *slot);
    if (!CacheFontsCheck->Checked()) slot.reset();
}

void TMainForm::FontListClick(TObject* /*Sender*/) {
    const int i = FontList->ItemIndex();
    const auto& families = FontFamilies();
    if (i < 0 || i >= static_cast<int>(families.size())) return;
    const std::string face = FaceForFamily(families[static_cast<size_t>(i)]);
    const TFontStyles style = StyleFromToggles();

    TFont* memoFont = TestMemo->Font();
    memoFont->SetName(face);
    memoFont->SetSize(SizeValue());
    memoFont->SetStyle(style);

    TFont* gridFont = TestGrid->Font();
    gridFont->SetName(face);
    gridFont->SetStyle(style);

    TFont* previewFont = PreviewPanel->Font();
    previewFont->SetName(face);
    previewFont->SetStyle(style);

    StatusBar->SetPanelText(kNamePanel, FontList->Items()->Get(i));
}

void TMainForm::Reload(TObject* /*Sender*/) {
    ClearCache();
    const int selected = FontList->ItemIndex();
    const auto& families = FontFamilies();
    TStrings* items = FontList->Items();
    items->BeginUpdate();
    items->Clear();
    for (const std::string& name : families) items->Add(name);
    items->EndUpdate();
    FontList->SetItemIndex(selected);
    StatusBar->SetPanelText(kCountPanel, FamilyCountText(families.size()));
    FontPropsChanged(this);
}
