// The style toggles and the size value, and re-rendering after a change.

#include "app/AppMainForm.h"
#include "app/ViewRules.h"

TFontStyles TMainForm::StyleFromToggles() const {
    TFontStyles style;
    if (BoldBtn->Down()) style.Include(TFontStyle::fsBold);
    if (ItalicBtn->Down()) style.Include(TFontStyle::fsItalic);
    if (UnderlineBtn->Down()) style.Include(TFontStyle::fsUnderline);
    return style;
}

int TMainForm::SizeValue() {
    // Valid typed text becomes the value; anything else leaves the value as
    // it was and the text as typed.
    if (const auto typed = ParseFontSize(SizeEdit->Text())) {
        // Compared with the position as last known, not as the control would
        // report it: this runs for every preview rendered.
        if (*typed != SizeUpDown->LastPosition()) {
            const std::string text = SizeEdit->Text();
            SizeUpDown->SetPosition(*typed);
            if (SizeEdit->Text() != text) SizeEdit->SetText(text);
        }
        return *typed;
    }
    return SizeUpDown->Position();
}

void TMainForm::FontPropsChanged(TObject* /*Sender*/) {
    ClearCache();
    FontList->Repaint();
    FontListClick(this);
    if (CacheFontsCheck->Checked()) StartBitmapper();
}

void TMainForm::DpiChanged(int /*oldPpi*/, int /*newPpi*/) { FontPropsChanged(this); }

void TMainForm::SizeEditKeyUp(TObject* /*Sender*/, uint16_t& Key, TShiftState /*Shift*/) {
    constexpr uint16_t kEnter = 13;
    if (Key == kEnter) FontPropsChanged(this);
}

void TMainForm::SizeUpDownChanging(TObject* /*Sender*/, bool& /*AllowChange*/) {
    // The step has already been applied: the edit shows the new value.
    FontPropsChanged(this);
}
