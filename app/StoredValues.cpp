// The main window's four named values, kept by PAppSettings between runs:
// the selected family, the current character cell and the sample text.

#include "app/AppMainForm.h"
#include "app/ViewRules.h"
#include "platform/core/Text.h"

namespace {

constexpr const char* kFontIndex = "FontList.ItemIndex";
constexpr const char* kGridRow = "TestGrid.Row";
constexpr const char* kGridCol = "TestGrid.Col";
constexpr const char* kMemoText = "TestMemo.Text";

// A stored value that is missing or will not convert reads as never stored
// (0, empty): nothing from the registry may stop the start-up.
int StoredInteger(TPAppSettings* settings, const char* name) {
    if (!settings) return 0;
    try {
        return settings->SettingByName(name).GetAsInteger();
    } catch (const Exception&) {
        return 0;
    }
}

std::string StoredText(TPAppSettings* settings, const char* name) {
    if (!settings) return {};
    try {
        return settings->SettingByName(name).GetAsString();
    } catch (const Exception&) {
        return {};
    }
}

}  // namespace

void TMainForm::ApplyStoredValues() {
    // An index at or beyond the end (families removed since the last run)
    // leaves the list without a selection.
    const int index = StoredInteger(PAppSettings, kFontIndex);
    FontList->SetItemIndex(index >= 0 && index < FontList->Items()->Count() ? index : -1);

    // A row or column outside the grid can only come from an edited
    // registry. It is ignored, not clamped: that part of the current cell
    // goes to the grid's first row or column, as on a first run.
    const int row = StoredInteger(PAppSettings, kGridRow);
    const bool rowInGrid = row >= TestGrid->FixedRows() && row < TestGrid->RowCount();
    TestGrid->SetRow(rowInGrid ? row : TestGrid->FixedRows());
    const int col = StoredInteger(PAppSettings, kGridCol);
    const bool colInGrid = col >= TestGrid->FixedCols() && col < TestGrid->ColCount();
    TestGrid->SetCol(colInGrid ? col : TestGrid->FixedCols());

}

void TMainForm::ApplyStoredText() {
    // An emptied memo comes back with its initial line; a text longer than
    // the memo holds is a damaged value, and the initial line stays.
    const std::string text = StoredText(PAppSettings, kMemoText);
    if (!text.empty() && text::Utf8ToUtf16(text).size() <= size_t(kMemoTextLimit)) TestMemo->SetText(text);
}

// They reach the registry when PAppSettings is freed, after this window's
// destruction handler has returned.
void TMainForm::HandOverValues() {
    if (!PAppSettings) return;
    PAppSettings->SettingByName(kFontIndex).SetAsInteger(FontList->ItemIndex());
    PAppSettings->SettingByName(kGridRow).SetAsInteger(TestGrid->Row());
    PAppSettings->SettingByName(kGridCol).SetAsInteger(TestGrid->Col());
    PAppSettings->SettingByName(kMemoText).SetAsString(TestMemo->Text());
}
