// The application settings component: the list of live ones, restoring at
// load completion and handing the values to linked form settings, saving in
// its destruction (after the owner's destruction handler), the naming it
// lends, and the links themselves; and what the form settings component does
// when components it refers to go.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/psetting/FormSettingsFixture.h"

using namespace formtest;

namespace {

TOwnedPtr<TPAppSettings> NewAppSettings() {
    return TOwnedPtr<TPAppSettings>(TComponent::Create<TPAppSettings>(nullptr));
}

TPSetting* Named(const std::string& name) {
    auto* s = TComponent::Create<TPSetting>(nullptr);
    s->Name = name;
    return s;
}

bool Listed(const TPAppSettings* a) {
    const auto& list = AppSettingsList();
    return std::find(list.begin(), list.end(), a) != list.end();
}

bool Linked(const TPAppSettings* a, const TPFormSettings* f) {
    const auto& list = a->LinkedFormSettings();
    return std::find(list.begin(), list.end(), f) != list.end();
}

// A form whose form settings relate Edit1.Text to the application setting
// "Greeting", and whose application settings hold "Greeting" and "Count".
TFormText Related(const std::string& leaf) {
    TFormText t;
    t.settingsProps = "    AppSettingsCtrl = AppSettings1\n";
    t.settings += "      ''\n      'Edit1.Text'\n      'Greeting'\n      False\n";
    t.appSettings = AppSettingsText(leaf, "    Settings = (\n      'Greeting'\n      False\n"
                                          "      'Count'\n      False\n    )\n");
    return t;
}

}  // namespace

TEST(AppSettings, LiveOnesAreListedFromConstructionToDestruction) {
    auto a = NewAppSettings();
    auto b = NewAppSettings();
    EXPECT_TRUE(Listed(a.get()));
    EXPECT_TRUE(IsLiveAppSettings(b.get()));
    TPAppSettings* gone = b.get();
    b.reset();
    EXPECT_FALSE(Listed(gone));
    EXPECT_FALSE(IsLiveAppSettings(gone));
    EXPECT_FALSE(IsLiveAppSettings(nullptr));
    EXPECT_TRUE(Listed(a.get()));
}

TEST(AppSettings, KeyNameEndsInAppSettingsAndValuesAreFoundWithoutRaising) {
    auto a = NewAppSettings();
    a->SetCompanyName("Orlenka");
    a->SetSoftwareName("Glyphora");
    a->SetSoftwareVersion("2.10");
    EXPECT_EQ(a->GetKeyName(), "Software\\Orlenka\\Glyphora\\2.10\\AppSettings");
    a->SetSoftwareName("");
    EXPECT_EQ(a->GetKeyName(), "Software\\Orlenka\\2.10\\AppSettings");

    TPSetting* s = Named("Count");
    a->AppendSetting(s);
    s->SetAsInteger(7);
    EXPECT_EQ(a->AppValue("Count").Kind, pvkInteger);
    EXPECT_EQ(a->AppValue("Count").Integer, 7);
    EXPECT_EQ(a->AppValue("count").Kind, pvkNone);  // names are exact
    EXPECT_EQ(a->AppValue("Missing").Kind, pvkNone);
    a->SetSaveLocation(palUser);  // nothing to store at the end
}

TEST_F(FormSettingsTest, AppSettingsRestoreAtLoadAndHandTheValuesToLinkedForms) {
    regtest::RawSet(AppKey(), "Greeting", REG_SZ, regtest::Utf16Sz("hello"));
    regtest::RawSet(AppKey(), "Count", REG_DWORD, Dword(3).bytes);
    TForm* form = Load(Related(Leaf()));
    TPFormSettings* f = Settings(form);
    TPAppSettings* a = AppSettings(form);
    EXPECT_EQ(f->AppSettingsCtrl(), a);
    EXPECT_TRUE(Linked(a, f));
    EXPECT_EQ(a->SettingByName("Count").GetAsInteger(), 3);
    EXPECT_EQ(a->SettingByName("Greeting").GetAsString(), "hello");
    EXPECT_EQ(Edit(form)->Text(), "hello");

    // The related setting lives in the application's key, not the form's.
    form->Show();
    Pump();
    ::PostMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
    Pump();
    EXPECT_TRUE(regtest::RawKeyExists(FormKey() + "\\Check1"));
    EXPECT_FALSE(regtest::RawKeyExists(FormKey() + "\\Edit1"));
}

TEST_F(FormSettingsTest, ARelatedSettingWithoutItsApplicationSettingGetsNoValue) {
    TFormText t = Related(Leaf());
    t.appSettings = AppSettingsText(Leaf(), "");
    TForm* form = Load(t);
    Edit(form)->SetText("kept");
    Settings(form)->LinkAppValues();
    EXPECT_EQ(Edit(form)->Text(), "kept");
    const TPSetting* related = Settings(form)->Setting(1);
    EXPECT_EQ(related->RelAppSetting, "Greeting");
    EXPECT_EQ(related->Value.Kind, pvkNone);
}

TEST_F(FormSettingsTest, DestructionSavesWhatTheOwnersDestructionHandlerSet) {
    TForm* form = Load(Related(Leaf()), true);
    form->OnDestroy = [form](TObject*) {
        AppSettings(form)->SettingByName("Count").SetAsInteger(42);
        AppSettings(form)->SettingByName("Greeting").SetAsString("bye");
    };
    Free(form);
    EXPECT_EQ(regtest::RawGet(AppKey(), "Count"), Dword(42));
    EXPECT_EQ(regtest::RawGet(AppKey(), "Greeting"), Sz("bye"));
}

TEST_F(FormSettingsTest, AppSettingsSaveInTheirLocationWhenFreed) {
    auto a = NewAppSettings();
    a->SetCompanyName("GlyphoraTest");
    a->SetSoftwareName(Leaf());
    a->AppendSetting(Named("Count"));
    a->Setting(0)->SetAsInteger(5);
    std::vector<std::string> events;
    a->OnPreSave = [&](TObject*) { events.push_back("pre"); };
    a->OnPostSave = [&](TObject*) { events.push_back("post"); };
    a->OnAutoSave = [&](TObject*, bool& proceed) {
        events.push_back("auto");
        proceed = false;
    };
    a.reset();
    EXPECT_EQ(events, (std::vector<std::string>{"pre", "auto", "post"}));
    EXPECT_FALSE(regtest::RawKeyExists(AppKey()));

    auto user = NewAppSettings();
    user->SetCompanyName("GlyphoraTest");
    user->SetSoftwareName(Leaf());
    user->SetSaveLocation(palUser);
    user->AppendSetting(Named("One"));
    user->AppendSetting(Named("Two"));
    std::vector<std::string> handed;
    user->OnUserSave = [&](TObject*, TPSetting* s) { handed.push_back(s->Name); };
    user.reset();
    EXPECT_EQ(handed, (std::vector<std::string>{"One", "Two"}));
    EXPECT_FALSE(regtest::RawKeyExists(AppKey()));
}

TEST(AppSettings, LinkingLendsTheNamingButNotTheRootAndTheSettersPassOn) {
    TOwnedPtr<TForm> form(TComponent::Create<TForm>(nullptr));
    form->SetName("TestForm");
    auto* f = TComponent::Create<TPFormSettings>(form.get());
    f->SetCompanyName("Own");
    auto a = NewAppSettings();
    a->SetCompanyName("Orlenka");
    a->SetSoftwareName("Glyphora");
    a->SetSoftwareVersion("2.10");
    a->SetRegistryRootKey(prkLocalMachine);
    f->SetAppSettingsCtrl(a.get());
    EXPECT_EQ(f->GetKeyName(), "Software\\Orlenka\\Glyphora\\2.10\\TestForm");
    EXPECT_EQ(f->RegistryRootKey(), prkCurrentUser);
    EXPECT_TRUE(Linked(a.get(), f));

    a->SetCompanyName("Other");
    a->SetSoftwareVersion("3.0");
    EXPECT_EQ(f->GetKeyName(), "Software\\Other\\Glyphora\\3.0\\TestForm");
    a->SetRegistryRootKey(prkCurrentUser);
    a->SetRegistryRootKey(prkLocalMachine);
    EXPECT_EQ(f->RegistryRootKey(), prkLocalMachine);

    // Another one: the first lets go, the second takes over.
    auto b = NewAppSettings();
    b->SetCompanyName("Second");
    f->SetAppSettingsCtrl(b.get());
    EXPECT_FALSE(Linked(a.get(), f));
    EXPECT_TRUE(Linked(b.get(), f));
    a->SetCompanyName("Ignored");
    EXPECT_EQ(f->CompanyName(), "Second");
    f->SetAppSettingsCtrl(nullptr);
    EXPECT_FALSE(Linked(b.get(), f));
    EXPECT_EQ(f->CompanyName(), "Second");
}

TEST(AppSettings, EitherSideMayGoFirst) {
    TOwnedPtr<TForm> form(TComponent::Create<TForm>(nullptr));
    auto* f = TComponent::Create<TPFormSettings>(form.get());
    auto a = NewAppSettings();  // owned elsewhere: only its free notification tells
    f->SetAppSettingsCtrl(a.get());
    a.reset();
    EXPECT_EQ(f->AppSettingsCtrl(), nullptr);

    auto b = NewAppSettings();
    f->SetAppSettingsCtrl(b.get());
    TComponent::Free(f);
    EXPECT_TRUE(b->LinkedFormSettings().empty());
    b->SetCompanyName("after");  // would reach the freed component if still linked
}

TEST_F(FormSettingsTest, ARemovedComponentTakesItsSettingsAlongUntilTheMainFormIsSaved) {
    TForm* form = Load();
    TPFormSettings* s = Settings(form);
    ASSERT_EQ(s->SettingCount(), 1);
    TCheckBox* check = Check(form);
    s->Setting(0)->SetBoundComponent(check);
    form->RemoveComponent(check);
    EXPECT_EQ(s->SettingCount(), 0);
    TComponent::Free(check);
    Free(form);

    TForm* second = Load();
    TPFormSettings* kept = Settings(second);
    TCheckBox* check2 = Check(second);
    kept->Setting(0)->SetBoundComponent(check2);
    SetMainFormSaved(true);
    second->RemoveComponent(check2);
    EXPECT_EQ(kept->SettingCount(), 1);
    EXPECT_EQ(kept->Setting(0)->BoundComponent, check2);
    TComponent::Free(check2);
}
