// The form settings component on real forms with the real registry: what a
// close stores, byte for byte, and what the next load brings back: bounds,
// window state, bound properties, the recently used list; the options that
// leave values out; another key by the handler; the user location; bad
// stored values; no save on destruction.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/psetting/FormSettingsFixture.h"

using namespace formtest;
using regtest::TRawValue;

namespace {

const TRawValue kFalse = Binary({4, 0, 0, 0, 0});  // kind 4 (Boolean), then its byte
const TRawValue kTrue = Binary({4, 0, 0, 0, 1});
const TRawValue kEmptyList = Binary({7, 0, 0, 0, 0, 0, 0, 0});  // kind 7 (strings), no text

// A close as the user's: the form hides, as a form that is not the main one does.
void CloseByUser(TForm* form) {
    ::PostMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
    Pump();
}

TRect NormalRect(TForm* form) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    ::GetWindowPlacement(form->WindowHandle(), &wp);
    return {wp.rcNormalPosition.left, wp.rcNormalPosition.top, wp.rcNormalPosition.right, wp.rcNormalPosition.bottom};
}

}  // namespace

TEST_F(FormSettingsTest, ACloseStoresTheLayoutAndTheNextLoadBringsItBack) {
    TForm* first = Load();
    first->Show();
    Pump();
    first->SetBounds(110, 130, 420, 310);
    Check(first)->SetChecked(true);
    CloseByUser(first);
    EXPECT_FALSE(::IsWindowVisible(first->WindowHandle()));
    EXPECT_TRUE(Settings(first)->IsSaved());

    EXPECT_EQ(ValueNames(FormKey()), (std::vector<std::string>{"Height", "Left", "MRUList", "MainForm",
                                                                "ScreenRes", "State", "Top", "Width"}));
    EXPECT_EQ(Stored("Left"), Dword(110));
    EXPECT_EQ(Stored("Top"), Dword(130));
    EXPECT_EQ(Stored("Width"), Dword(420));
    EXPECT_EQ(Stored("Height"), Dword(310));
    EXPECT_EQ(Stored("MainForm"), kFalse);
    EXPECT_EQ(Stored("State"), Dword(0));
    EXPECT_EQ(Stored("ScreenRes"), Sz(ScreenRes()));
    EXPECT_EQ(Stored("MRUList"), kEmptyList);
    EXPECT_EQ(Stored("Checked", "Check1"), Sz("True"));
    Free(first);

    // Restored while the form loads, before anything shows it.
    TForm* second = Load();
    EXPECT_TRUE(Check(second)->Checked());
    EXPECT_EQ(second->BoundsRect(), (TRect{110, 130, 530, 440}));
    EXPECT_TRUE(Settings(second)->IsLoaded());
    EXPECT_FALSE(Settings(second)->IsSaved());
    second->Show();
    Pump();
    RECT r{};
    ::GetWindowRect(second->WindowHandle(), &r);
    EXPECT_EQ((TRect{r.left, r.top, r.right, r.bottom}), (TRect{110, 130, 530, 440}));
}

TEST_F(FormSettingsTest, OnAFirstRunTheFormIsCentredOrBroughtOnTheScreen) {
    TForm* centred = Load(Props("  Position = poScreenCenter\n", ""));
    EXPECT_EQ(centred->BoundsRect().left, (ScreenWidth() - 400) / 2);
    EXPECT_EQ(centred->BoundsRect().top, (ScreenHeight() - 300) / 2);
    EXPECT_EQ(centred->Width(), 400);
    centred->Show();
    Pump();
    RECT r{};
    ::GetWindowRect(centred->WindowHandle(), &r);
    EXPECT_EQ(r.left, (ScreenWidth() - 400) / 2);
    Free(centred);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key.Path()).c_str());

    // Designed partly beyond the bottom right corner.
    TForm* placed = Load(Props("  Left = 5000\n  Top = 5000\n", ""));
    EXPECT_EQ(placed->BoundsRect(), (TRect{ScreenWidth() - 400, ScreenHeight() - 300, ScreenWidth(), ScreenHeight()}));
}

TEST_F(FormSettingsTest, AMaximizedFormComesBackAtItsNormalBoundsThenMaximized) {
    TForm* first = Load();
    first->Show();
    Pump();
    first->SetBounds(120, 140, 400, 300);
    first->SetWindowState(TWindowState::wsMaximized);
    Pump();
    ASSERT_TRUE(::IsZoomed(first->WindowHandle()));
    CloseByUser(first);
    EXPECT_EQ(Stored("State"), Dword(2));
    EXPECT_EQ(Stored("Left"), Dword(120));  // the normal rectangle, not the maximized one
    EXPECT_EQ(Stored("Width"), Dword(400));
    Free(first);

    TForm* second = Load();
    EXPECT_EQ(second->BoundsRect(), (TRect{120, 140, 520, 440}));
    EXPECT_EQ(second->WindowState(), TWindowState::wsMaximized);
    second->Show();
    Pump();
    EXPECT_TRUE(::IsZoomed(second->WindowHandle()));
    EXPECT_EQ(NormalRect(second), (TRect{120, 140, 520, 440}));
}

TEST_F(FormSettingsTest, StoredMinimizedStateMinimizesTheApplicationOrTheForm) {
    // Stored by the main form while the application was minimized: the
    // application starts minimized.
    regtest::RawSet(FormKey(), "MainForm", kTrue.type, kTrue.bytes);
    regtest::RawSet(FormKey(), "State", REG_DWORD, Dword(1).bytes);
    TForm* main = Load();
    EXPECT_TRUE(Settings(main)->WasMainForm());
    EXPECT_EQ(main->WindowState(), TWindowState::wsNormal);
    Pump();
    EXPECT_TRUE(::IsIconic(Application->Handle()));
    Application->Restore();
    EXPECT_FALSE(::IsIconic(Application->Handle()));
    Free(main);  // which saved what it found: a normal window

    // Stored by another form: that form starts minimized.
    regtest::RawSet(FormKey(), "MainForm", kFalse.type, kFalse.bytes);
    regtest::RawSet(FormKey(), "State", REG_DWORD, Dword(1).bytes);
    TForm* other = Load();
    EXPECT_FALSE(Settings(other)->WasMainForm());
    EXPECT_EQ(other->WindowState(), TWindowState::wsMinimized);
    Pump();
    EXPECT_FALSE(::IsIconic(Application->Handle()));
}

TEST_F(FormSettingsTest, TheOptionsLeaveOutWhatTheFormDoesNotKeep) {
    const struct {
        const char* what;
        std::string formProps, settingsProps;
        std::vector<std::string> names;
    } cases[] = {
        {"no border: only the list", "  BorderStyle = bsNone\n", "", {}},
        {"dialog: only its place", "  BorderStyle = bsDialog\n", "", {"Left", "ScreenRes", "Top"}},
        {"no minimize or maximize icons: no state",
         "  BorderIcons = [biSystemMenu]\n",
         "    MRULength = 0\n",
         {"Height", "Left", "ScreenRes", "Top", "Width"}},
        {"options emptied in the form file", "", "    FormSaveOpt = []\n", {"MRUList"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TForm* form = Load(Props(c.formProps, c.settingsProps));
        form->Show();
        Pump();
        Check(form)->SetChecked(true);
        CloseByUser(form);
        EXPECT_EQ(ValueNames(FormKey()), c.names);
        EXPECT_EQ(Stored("Checked", "Check1"), Sz("True"));
        Free(form);
        ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key.Path()).c_str());
    }
}

TEST_F(FormSettingsTest, TheRecentlyUsedListIsCutToItsLengthStoredAndBroughtBack) {
    TForm* first = Load(Props("", "    MRULength = 2\n"));
    for (const char* name : {"C:\\a.txt", "C:\\b.txt", "C:\\c.txt"}) Settings(first)->MRUList().Add(name);
    first->Show();
    Pump();
    CloseByUser(first);
    EXPECT_EQ(Settings(first)->MRUList().Text(), "C:\\a.txt\r\nC:\\b.txt\r\n");
    const std::string text = "C:\\a.txt\r\nC:\\b.txt\r\n";
    std::vector<uint8_t> bytes{7, 0, 0, 0, uint8_t(text.size()), 0, 0, 0};
    bytes.insert(bytes.end(), text.begin(), text.end());
    EXPECT_EQ(Stored("MRUList"), Binary(bytes));
    Free(first);

    // The names are of no files: kept only when the restore does not check them.
    TForm* second = Load(Props("", "    MRULength = 2\n    MRUValidate = False\n"));
    EXPECT_EQ(Settings(second)->MRUList().Text(), text);
    EXPECT_EQ(Settings(second)->MRUCount(), 2);
}

TEST_F(FormSettingsTest, TheKeyNameHandlerMovesTheValuesToAnotherKey) {
    TForm* first = Load();
    Settings(first)->OnSetFormKeyName = [](TObject*, std::string& name) { name = "Elsewhere"; };
    first->Show();
    Pump();
    first->SetBounds(150, 160, 400, 300);
    CloseByUser(first);
    EXPECT_FALSE(regtest::RawKeyExists(FormKey()));
    EXPECT_EQ(regtest::RawGet(FormKey("Elsewhere"), "Left"), Dword(150));
    EXPECT_TRUE(regtest::RawKeyExists(FormKey("Elsewhere") + "\\Check1"));
}

TEST_F(FormSettingsTest, TheUserLocationHandsEverySettingAndBuiltInValueToTheHandlers) {
    TForm* form = Load(Props("", "    SaveLocation = pslUser\n"));
    TPFormSettings* s = Settings(form);
    form->Show();
    Pump();
    form->SetBounds(170, 180, 400, 300);
    std::vector<std::string> saved;
    s->OnUserSave = [&](TObject*, TPSetting* setting) {
        saved.push_back((setting->Name.empty() ? setting->BoundProperty : setting->Name) + "=" +
                        setting->GetAsString());
    };
    CloseByUser(form);
    EXPECT_EQ(saved, (std::vector<std::string>{"Check1.Checked=False", "Left=170", "Top=180", "Width=400",
                                               "Height=300", "MainForm=False", "State=0",
                                               "ScreenRes=" + ScreenRes(), "MRUList="}));
    EXPECT_FALSE(regtest::RawKeyExists(FormKey()));

    // Restoring: the handler fills the values it is given; they are applied.
    s->OnUserRestore = [](TObject*, TPSetting* setting) {
        if (setting->Name == "Left") setting->SetAsInteger(60);
        if (setting->BoundProperty == "Check1.Checked") setting->SetAsBoolean(true);
    };
    s->RestoreSequence(TPLocation::User);
    EXPECT_EQ(form->Left(), 60);
    EXPECT_EQ(form->Top(), 180);
    EXPECT_TRUE(Check(form)->Checked());
}

TEST_F(FormSettingsTest, StreamAndStorageLocationsSaveAndRestoreNothing) {
    regtest::RawSet(FormKey(), "Left", REG_DWORD, Dword(5).bytes);
    for (const char* location : {"pslStream", "pslStorage"}) {
        TForm* form = Load(Props("", std::string("    SaveLocation = ") + location + "\n"));
        EXPECT_EQ(form->Left(), 100) << location;
        int events = 0;
        Settings(form)->OnPreSave = [&](TObject*) { ++events; };
        Settings(form)->OnPostSave = [&](TObject*) { ++events; };
        form->Show();
        Pump();
        CloseByUser(form);
        EXPECT_EQ(events, 2) << location;
        EXPECT_EQ(ValueNames(FormKey()), std::vector<std::string>{"Left"}) << location;
        Free(form);
    }
}

TEST_F(FormSettingsTest, BadStoredValuesLeaveTheFormAsDesigned) {
    // Dates where numbers belong, a list where a boolean belongs: none of
    // them converts, and each counts as not stored.
    const std::vector<uint8_t> date{5, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x3F};
    regtest::RawSet(FormKey(), "Left", REG_BINARY, date);
    regtest::RawSet(FormKey(), "Width", REG_BINARY, date);
    regtest::RawSet(FormKey(), "MainForm", REG_BINARY, {7, 0, 0, 0, 1, 0, 0, 0, 'x'});
    regtest::RawSet(FormKey(), "State", REG_BINARY, {7, 0, 0, 0, 1, 0, 0, 0, 'x'});
    regtest::RawSet(FormKey(), "Top", REG_DWORD, Dword(90).bytes);
    TForm* form = Load();
    EXPECT_TRUE(Settings(form)->IsLoaded());
    EXPECT_EQ(form->BoundsRect(), (TRect{100, 90, 500, 390}));
    EXPECT_EQ(form->WindowState(), TWindowState::wsNormal);
    EXPECT_FALSE(Settings(form)->WasMainForm());
}

TEST_F(FormSettingsTest, FreeingTheComponentSavesNothingAndTheFormLivesOn) {
    TForm* form = Load();
    form->Show();
    Pump();
    std::vector<std::string> closes;
    form->OnClose = [&](TObject*, TCloseAction&) { closes.push_back("close"); };
    TComponent::Free(Settings(form));
    EXPECT_FALSE(regtest::RawKeyExists(FormKey()));
    CloseByUser(form);
    EXPECT_EQ(closes, std::vector<std::string>{"close"});
    EXPECT_FALSE(::IsWindowVisible(form->WindowHandle()));
    EXPECT_FALSE(regtest::RawKeyExists(FormKey()));
}
