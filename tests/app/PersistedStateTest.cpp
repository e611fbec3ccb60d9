// The main window's persisted state in process: the two settings components
// as the form file configures them, stored values brought back while the
// window is made (bad ones ignored), and the values handed over and stored
// when it closes and goes, in that order.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "app/AppMainForm.h"
#include "platform/win/Application.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"
#include "tests/app/MainFormFile.h"
#include "tests/psetting/RegistryTestKey.h"
#include "tests/support/Families.h"
#include "tests/support/StoredState.h"

namespace {

constexpr const char* kFormKey = "Software\\Orlenka\\Glyphora\\2.10\\MainForm";
constexpr const char* kAppKey = "Software\\Orlenka\\Glyphora\\2.10\\AppSettings";
constexpr const char* kInitialMemo = "(sem napište jakýkoliv text, který se zobrazí vybraným písmem)";

void Plant(const char* key, const std::string& name, DWORD type, const std::vector<uint8_t>& bytes) {
    regtest::RawSet(key, name, type, bytes);
}

std::vector<uint8_t> DwordBytes(int32_t v) {
    const auto u = uint32_t(v);
    return {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
}

regtest::TRawValue Dword(int32_t v) { return {REG_DWORD, DwordBytes(v)}; }
regtest::TRawValue Sz(const std::string& s) { return {REG_SZ, regtest::Utf16Sz(s)}; }
// Built in a function, as the others: GCC 12 at -O3 takes a braced byte list
// inside the case table for uninitialised (a false -Wmaybe-uninitialized).
regtest::TRawValue Binary(std::vector<unsigned char> bytes) { return {REG_BINARY, std::move(bytes)}; }

class PersistedState : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(ReadMainForm().empty()) << "GLYPHORA_SOURCE_DIR must name the source tree";
        ForgetStoredState();
    }
    void TearDown() override {
        if (form) TComponent::Free(form);
        ForgetStoredState();
    }
    void Create() { form = Application->CreateFormFrom<TMainForm>(ReadMainForm()); }
    void FreeForm() {
        TComponent::Free(form);
        form = nullptr;
    }
    int Families() const { return static_cast<int>(expected.size()); }
    // What the font list holds, from the test's own enumeration.
    const std::vector<std::string> expected = InstalledFamilies();
    std::string FamilyPanel() const { return form->StatusBar->Panels()->Items(2)->Text(); }

    TMainForm* form = nullptr;
};

}  // namespace

TEST_F(PersistedState, TheFormFileConfiguresBothSettingsComponents) {
    Create();
    TPFormSettings* f = form->PFormSettings;
    TPAppSettings* a = form->PAppSettings;
    ASSERT_NE(f, nullptr);
    ASSERT_NE(a, nullptr);
    for (const TPSettings* s : {static_cast<const TPSettings*>(f), static_cast<const TPSettings*>(a)}) {
        EXPECT_EQ(s->CompanyName(), "Orlenka");
        EXPECT_EQ(s->SoftwareName(), "Glyphora");
        EXPECT_EQ(s->SoftwareVersion(), "2.10");
        EXPECT_EQ(s->RegistryRootKey(), prkCurrentUser);
        EXPECT_TRUE(s->SaveAll());
    }
    EXPECT_EQ(f->GetKeyName(), kFormKey);
    EXPECT_EQ(a->GetKeyName(), kAppKey);
    EXPECT_EQ(f->SaveLocation(), pslRegistry);
    EXPECT_EQ(a->SaveLocation(), palRegistry);
    EXPECT_EQ(f->FormSaveOpt(), kAllFormSaveOpts);
    EXPECT_EQ(f->MRULength(), 0);
    EXPECT_EQ(f->MRUMaxItemWidth(), 300);
    EXPECT_EQ(f->MRUMenuItem(), nullptr);
    EXPECT_EQ(f->AppSettingsCtrl(), a);
    EXPECT_FALSE(f->Centre());

    const std::vector<std::string> bound{"BoldBtn.Down",           "ItalicBtn.Down",      "UnderlineBtn.Down",
                                         "Splitter.Left",          "PageControl.ActivePage", "SizeUpDown.Position",
                                         "CacheFontsCheck.Checked"};
    ASSERT_EQ(f->SettingCount(), int(bound.size()));
    for (int i = 0; i < f->SettingCount(); ++i) {
        const TPSetting* s = f->Setting(i);
        EXPECT_EQ(s->BoundProperty, bound[size_t(i)]);
        EXPECT_EQ(s->Name, "");
        EXPECT_EQ(s->RelAppSetting, "");
        EXPECT_FALSE(s->Encrypted);
        EXPECT_EQ(s->Owner(), form) << "a form's settings belong to the form at run time";
    }
    const std::vector<std::string> named{"FontList.ItemIndex", "TestGrid.Row", "TestGrid.Col", "TestMemo.Text"};
    ASSERT_EQ(a->SettingCount(), int(named.size()));
    for (int i = 0; i < a->SettingCount(); ++i) {
        EXPECT_EQ(a->Setting(i)->Name, named[size_t(i)]);
        EXPECT_EQ(a->Setting(i)->BoundProperty, "");
        EXPECT_FALSE(a->Setting(i)->Encrypted);
        EXPECT_EQ(a->Setting(i)->Owner(), nullptr);
    }
}

TEST_F(PersistedState, StoredChoicesComeBackBeforeTheWindowShows) {
    const std::string formKey = kFormKey;
    Plant((formKey + "\\BoldBtn").c_str(), "Down", REG_SZ, regtest::Utf16Sz("True"));
    Plant((formKey + "\\Splitter").c_str(), "Left", REG_DWORD, DwordBytes(300));
    Plant((formKey + "\\PageControl").c_str(), "ActivePage", REG_SZ, regtest::Utf16Sz("TabSheet1"));
    Plant((formKey + "\\SizeUpDown").c_str(), "Position", REG_DWORD, DwordBytes(24));
    Plant((formKey + "\\CacheFontsCheck").c_str(), "Checked", REG_SZ, regtest::Utf16Sz("False"));
    Plant(kFormKey, "Left", REG_DWORD, DwordBytes(40));
    Plant(kFormKey, "Top", REG_DWORD, DwordBytes(50));
    Plant(kFormKey, "Width", REG_DWORD, DwordBytes(700));
    Plant(kFormKey, "Height", REG_DWORD, DwordBytes(520));
    const int last = Families() - 1;
    Plant(kAppKey, "FontList.ItemIndex", REG_DWORD, DwordBytes(last));
    Plant(kAppKey, "TestGrid.Row", REG_DWORD, DwordBytes(3));
    Plant(kAppKey, "TestGrid.Col", REG_DWORD, DwordBytes(5));
    Plant(kAppKey, "TestMemo.Text", REG_SZ, regtest::Utf16Sz("first\r\nsecond"));
    Create();
    EXPECT_EQ(form->BoundsRect(), (TRect{40, 50, 740, 570}));
    EXPECT_TRUE(form->BoldBtn->Down());
    EXPECT_FALSE(form->ItalicBtn->Down());
    EXPECT_EQ(form->Splitter->Left(), 300);
    EXPECT_EQ(form->FontList->Width(), 300);
    EXPECT_EQ(form->PageControl->ActivePage(), form->TabSheet1);
    EXPECT_EQ(form->SizeUpDown->Position(), 24);
    EXPECT_EQ(form->SizeEdit->Text(), "24");
    EXPECT_FALSE(form->CacheFontsCheck->Checked());
    EXPECT_FALSE(form->BitmapperRunning());
    // FormCreate applied the four named values, then the views followed them.
    EXPECT_EQ(form->FontList->ItemIndex(), last);
    EXPECT_EQ(FamilyPanel(), expected.back());
    EXPECT_EQ(form->TestGrid->Row(), 3);
    EXPECT_EQ(form->TestGrid->Col(), 5);
    EXPECT_EQ(form->DecLabel->Caption(), "85");  // (3 + 2) * 16 + 5
    EXPECT_EQ(form->TestMemo->Text(), "first\r\nsecond");
    EXPECT_EQ(form->TestMemo->Font()->Size(), 24);
    EXPECT_TRUE(form->TestMemo->Font()->Style().Has(TFontStyle::fsBold));
}

TEST_F(PersistedState, OutOfRangeOrUnreadableValuesNeverStopTheStart) {
    const struct {
        const char* what;
        regtest::TRawValue index, row, col, memo;
        int selected, gridRow, gridCol;
        const char* dec;
    } cases[] = {
        // Fonts removed since; a cell outside the grid is ignored, not clamped.
        {"out of range", Dword(100000), Dword(14), Dword(-1), Sz(""), -1, 0, 0, "32"},
        {"row in, column out", Dword(-1), Dword(2), Dword(16), Sz(""), -1, 2, 0, "64"},
        // A date where a number belongs reads as never stored.
        {"unreadable",
         Binary({5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F}),
         Binary({7, 0, 0, 0, 1, 0, 0, 0, '9'}),
         Dword(15),
         Binary({7, 0, 0, 0, 0, 0, 0, 0}),
         0, 0, 15, "47"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Plant(kAppKey, "FontList.ItemIndex", c.index.type, c.index.bytes);
        Plant(kAppKey, "TestGrid.Row", c.row.type, c.row.bytes);
        Plant(kAppKey, "TestGrid.Col", c.col.type, c.col.bytes);
        Plant(kAppKey, "TestMemo.Text", c.memo.type, c.memo.bytes);
        Create();
        EXPECT_EQ(form->FontList->ItemIndex(), c.selected);
        EXPECT_EQ(FamilyPanel(), c.selected < 0 ? "" : expected[size_t(c.selected)]);
        EXPECT_EQ(form->TestGrid->Row(), c.gridRow);
        EXPECT_EQ(form->TestGrid->Col(), c.gridCol);
        EXPECT_EQ(form->DecLabel->Caption(), c.dec);
        EXPECT_EQ(form->TestMemo->Text(), kInitialMemo);  // an empty text is not applied
        FreeForm();
        ForgetStoredState();
    }
}

TEST_F(PersistedState, TheCloseStoresTheWindowThenItsDestructionTheNamedValues) {
    Create();
    form->Show();
    Application->ProcessMessages();
    form->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caNone; };  // no quit here
    form->BoldBtn->Click();
    form->FontList->SetItemIndex(2);
    form->TestGrid->SetRow(4);
    form->TestGrid->SetCol(6);
    form->TestMemo->SetText("x\r\ny");
    form->WaitForBitmapper();

    ::SendMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(regtest::RawGet(std::string(kFormKey) + "\\BoldBtn", "Down"), Sz("True"));
    EXPECT_EQ(regtest::RawGet(kFormKey, "Width"), Dword(646));
    EXPECT_FALSE(regtest::RawKeyExists(kAppKey)) << "the named values wait for the window's destruction";

    FreeForm();
    EXPECT_EQ(regtest::RawGet(kAppKey, "FontList.ItemIndex"), Dword(2));
    EXPECT_EQ(regtest::RawGet(kAppKey, "TestGrid.Row"), Dword(4));
    EXPECT_EQ(regtest::RawGet(kAppKey, "TestGrid.Col"), Dword(6));
    EXPECT_EQ(regtest::RawGet(kAppKey, "TestMemo.Text"), Sz("x\r\ny"));
}
