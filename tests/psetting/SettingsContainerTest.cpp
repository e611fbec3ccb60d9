// The settings container: defaults, key naming, look-up by name, the list,
// the save and restore sequences with their events, and its published
// properties.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/core/Filer.h"
#include "platform/core/Stream.h"
#include "platform/win/Registry.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"
#include "tests/psetting/RegistryTestKey.h"
#include "tests/psetting/SettingsTestContainer.h"

namespace {

TOwnedPtr<TTestSettings> NewSettings(TComponent* owner = nullptr) {
    return TOwnedPtr<TTestSettings>(TComponent::Create<TTestSettings>(owner));
}

TPSetting* Named(TComponent* owner, const std::string& name, const std::string& bound = "") {
    auto* s = TComponent::Create<TPSetting>(owner);
    s->Name = name;
    s->BoundProperty = bound;
    return s;
}

// Puts the machine's registered organisation to a given state for one test
// and back afterwards.
class TOrganizationValue {
public:
    TOrganizationValue() {
        HKEY key = Open();
        if (!key) return;
        DWORD type = 0, size = 0;
        if (::RegQueryValueExW(key, L"RegisteredOrganization", nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            std::vector<uint8_t> data(size);
            ::RegQueryValueExW(key, L"RegisteredOrganization", nullptr, &type, data.data(), &size);
            saved_ = Saved{type, data};
        }
        ::RegCloseKey(key);
    }
    ~TOrganizationValue() {
        if (saved_)
            Set(saved_->type, saved_->data);
        else
            Delete();
    }
    void Set(DWORD type, const std::vector<uint8_t>& data) {
        HKEY key = Open();
        ASSERT_NE(key, nullptr);
        ::RegSetValueExW(key, L"RegisteredOrganization", 0, type, data.data(), DWORD(data.size()));
        ::RegCloseKey(key);
    }
    void Delete() {
        HKEY key = Open();
        if (!key) return;
        ::RegDeleteValueW(key, L"RegisteredOrganization");
        ::RegCloseKey(key);
    }

private:
    static HKEY Open() {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0, KEY_ALL_ACCESS,
                            &key) != ERROR_SUCCESS)
            return nullptr;
        return key;
    }
    struct Saved {
        DWORD type;
        std::vector<uint8_t> data;
    };
    std::optional<Saved> saved_;
};

}  // namespace

TEST(SettingsContainer, ConstructionTakesTheRegisteredOrganisation) {
    TOrganizationValue org;
    std::vector<uint8_t> text = regtest::Utf16Bytes("Acme \xC5\xA1koda");
    text.push_back(0);
    text.push_back(0);
    org.Set(REG_SZ, text);
    auto s = NewSettings();
    EXPECT_EQ(s->CompanyName(), "Acme \xC5\xA1koda");
    EXPECT_EQ(s->SoftwareName(), "");
    EXPECT_EQ(s->SoftwareVersion(), "");
    EXPECT_EQ(s->RegistryRootKey(), prkCurrentUser);
    EXPECT_TRUE(s->SaveAll());
    EXPECT_EQ(s->SettingCount(), 0);

    org.Delete();
    EXPECT_EQ(NewSettings()->CompanyName(), "");

}

// One machine-wide value of the wrong type must not keep every settings
// component, and with it the program's window, from being made: it counts
// as no organisation at all. The registry object itself still refuses it.
TEST(SettingsContainer, ARegisteredOrganisationThatIsNoStringCountsAsAbsent) {
    TOrganizationValue org;
    std::vector<uint8_t> expand = regtest::Utf16Bytes("Acme");
    expand.insert(expand.end(), {0, 0});
    std::vector<uint8_t> multi = expand;
    multi.insert(multi.end(), {0, 0});
    const struct {
        const char* what;
        DWORD type;
        std::vector<uint8_t> data;
        const char* company;
    } cases[] = {
        {"dword", REG_DWORD, {1, 0, 0, 0}, ""},
        {"binary", REG_BINARY, {'A', 0, 0, 0}, ""},
        {"multi string", REG_MULTI_SZ, multi, ""},
        {"expandable string", REG_EXPAND_SZ, expand, "Acme"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        org.Set(c.type, c.data);
        TOwnedPtr<TTestSettings> s;
        EXPECT_NO_THROW(s = NewSettings());
        ASSERT_TRUE(s);
        EXPECT_EQ(s->CompanyName(), c.company);
    }

    org.Set(REG_DWORD, {1, 0, 0, 0});
    TRegistry reg;
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    ASSERT_TRUE(reg.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", false));
    try {
        reg.ReadString("RegisteredOrganization");
        ADD_FAILURE() << "no error";
    } catch (const ERegistryException& e) {
        EXPECT_STREQ(e.what(), "Invalid data type for 'RegisteredOrganization'");
    }
}

TEST(SettingsContainer, KeyNameSkipsEmptyNamingElements) {
    const struct {
        const char *company, *software, *version, *expected;
    } cases[] = {
        {"Orlenka", "Glyphora", "2.10", "Software\\Orlenka\\Glyphora\\2.10\\TestSettings"},
        {"A", "", "1", "Software\\A\\1\\TestSettings"},
        {"", "B", "", "Software\\B\\TestSettings"},
        {"", "", "", "Software\\TestSettings"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        auto s = NewSettings();
        s->SetCompanyName(c.company);
        s->SetSoftwareName(c.software);
        s->SetSoftwareVersion(c.version);
        EXPECT_EQ(s->GetKeyName(), c.expected);
    }
}

TEST(SettingsContainer, SettingByNameIsExactAndFindsTheFirst) {
    TOwnedPtr<TComponent> form(TComponent::Create<TComponent>(nullptr));
    auto s = NewSettings(form.get());
    TPSetting* first = Named(form.get(), "Size");
    TPSetting* second = Named(form.get(), "Size", "Other.Prop");
    TPSetting* other = Named(form.get(), "Other");
    s->AppendSetting(first);
    s->AppendSetting(second);
    s->AppendSetting(other);
    EXPECT_EQ(&s->SettingByName("Size"), first);
    EXPECT_EQ(&s->SettingByName("Other"), other);
    EXPECT_EQ(s->FindSetting("Size"), first);
    EXPECT_EQ(s->FindSetting("size"), nullptr);
    EXPECT_EQ(s->FindSetting("Absent"), nullptr);
    const struct {
        const char* name;
        const char* message;
    } missing[] = {
        {"size", "No such setting: \"size\""},
        {"Absent", "No such setting: \"Absent\""},
        {"", "No such setting: \"\""},
    };
    for (const auto& m : missing) {
        SCOPED_TRACE(m.name);
        try {
            s->SettingByName(m.name);
            ADD_FAILURE() << "no error";
        } catch (const EPSettingsException& e) {
            EXPECT_EQ(e.Message(), m.message);
        }
    }
}

TEST(SettingsContainer, AddSettingRefusesAnEqualOne) {
    TOwnedPtr<TComponent> form(TComponent::Create<TComponent>(nullptr));
    auto s = NewSettings(form.get());
    TPSetting* a = Named(form.get(), "", "Btn.Down");
    EXPECT_TRUE(s->AddSetting(a));
    EXPECT_FALSE(s->AddSetting(a));
    EXPECT_FALSE(s->AddSetting(Named(form.get(), "", "Btn.Down")));
    TPSetting* encrypted = Named(form.get(), "", "Btn.Down");
    encrypted->Encrypted = true;
    EXPECT_TRUE(s->AddSetting(encrypted));
    TPSetting* related = Named(form.get(), "", "Btn.Down");
    related->RelAppSetting = "App";
    EXPECT_TRUE(s->AddSetting(related));
    EXPECT_TRUE(s->AddSetting(Named(form.get(), "", "btn.Down")));  // exact comparison
    EXPECT_EQ(s->SettingCount(), 4);
    EXPECT_EQ(s->Setting(0), a);
    EXPECT_THROW(s->Setting(4), EListError);
}

TEST(SettingsContainer, SameSettingsComparesPairsInOrder) {
    TOwnedPtr<TComponent> form(TComponent::Create<TComponent>(nullptr));
    auto a = NewSettings(form.get());
    auto b = NewSettings(form.get());
    EXPECT_TRUE(TPSettings::SameSettings(*a, *b));
    a->AppendSetting(Named(form.get(), "X"));
    EXPECT_FALSE(TPSettings::SameSettings(*a, *b));
    b->AppendSetting(Named(form.get(), "X"));
    EXPECT_TRUE(TPSettings::SameSettings(*a, *b));
    a->AppendSetting(Named(form.get(), "Y"));
    b->AppendSetting(Named(form.get(), "Z"));
    EXPECT_FALSE(TPSettings::SameSettings(*a, *b));
}

TEST(SettingsContainer, AFreedSettingLeavesTheList) {
    TOwnedPtr<TComponent> form(TComponent::Create<TComponent>(nullptr));
    auto s = NewSettings(form.get());
    TPSetting* a = Named(form.get(), "A");
    TPSetting* b = Named(form.get(), "B");
    s->AppendSetting(a);
    s->AppendSetting(b);
    TComponent::Free(a);
    ASSERT_EQ(s->SettingCount(), 1);
    EXPECT_EQ(s->Setting(0), b);
    // Moving to another owner is no freeing: it stays, and its freeing later is still heard.
    TOwnedPtr<TComponent> elsewhere(TComponent::Create<TComponent>(nullptr));
    elsewhere->InsertComponent(b);
    EXPECT_EQ(s->SettingCount(), 1);
    elsewhere.reset();
    EXPECT_EQ(s->SettingCount(), 0);
}

namespace {

// Logs every event of a container into its own log, in calling order.
void Listen(TTestSettings& s, bool continueAuto = true) {
    s.OnPreSave = [&s](TObject* sender) { s.log.push_back(sender == &s ? "PreSave" : "PreSave?"); };
    s.OnPostSave = [&s](TObject*) { s.log.push_back("PostSave"); };
    s.OnPreRestore = [&s](TObject*) { s.log.push_back("PreRestore"); };
    s.OnPostRestore = [&s](TObject*) { s.log.push_back("PostRestore"); };
    s.OnAutoSave = [&s, continueAuto](TObject*, bool& go) {
        s.log.push_back(go ? "AutoSave" : "AutoSave?");
        go = continueAuto;
    };
    s.OnAutoRestore = [&s, continueAuto](TObject*, bool& go) {
        s.log.push_back(go ? "AutoRestore" : "AutoRestore?");
        go = continueAuto;
    };
    s.OnUserSave = [&s](TObject*, TPSetting* setting) { s.log.push_back("UserSave " + setting->Name); };
    s.OnUserRestore = [&s](TObject*, TPSetting* setting) { s.log.push_back("UserRestore " + setting->Name); };
}

using Log = std::vector<std::string>;

}  // namespace

TEST(SettingsContainer, SequencesRunTheirEventsByLocation) {
    const struct {
        const char* what;
        bool save;
        TPLocation location;
        bool continueAuto;
        bool designing;
        Log expected;
    } cases[] = {
        {"save to the registry", true, TPLocation::Registry, true, false,
         {"PreSave", "AutoSave", "SaveToRegistry", "PostSave"}},
        {"save skipped by Continue", true, TPLocation::Registry, false, false, {"PreSave", "AutoSave", "PostSave"}},
        {"save by the user", true, TPLocation::User, true, false,
         {"PreSave", "DoUserSave", "UserSave A", "UserSave B", "PostSave"}},
        {"save elsewhere", true, TPLocation::Other, true, false, {"PreSave", "PostSave"}},
        {"save at design time", true, TPLocation::Registry, true, true, {"PreSave", "PostSave"}},
        {"restore from the registry", false, TPLocation::Registry, true, false,
         {"PreRestore", "AutoRestore", "RestoreFromRegistry", "PostRestore"}},
        {"restore skipped by Continue", false, TPLocation::Registry, false, false,
         {"PreRestore", "AutoRestore", "PostRestore"}},
        {"restore by the user", false, TPLocation::User, true, false,
         {"PreRestore", "DoUserRestore", "UserRestore A", "UserRestore B", "PostRestore"}},
        {"restore elsewhere", false, TPLocation::Other, true, false, {"PreRestore", "PostRestore"}},
        {"restore at design time", false, TPLocation::Registry, true, true, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TOwnedPtr<TComponent> form(TComponent::Create<TComponent>(nullptr));
        auto s = NewSettings(form.get());
        s->AppendSetting(Named(form.get(), "A"));
        s->AppendSetting(Named(form.get(), "B"));
        Listen(*s, c.continueAuto);
        s->SetDesigning(c.designing);
        if (c.save)
            s->SaveSequence(c.location);
        else
            s->RestoreSequence(c.location);
        EXPECT_EQ(s->log, c.expected);
    }
}

TEST(SettingsContainer, SequencesWithoutHandlersOnlyTransfer) {
    auto s = NewSettings();
    s->SaveSequence(TPLocation::Registry);
    s->RestoreSequence(TPLocation::Registry);
    s->SaveSequence(TPLocation::User);  // no OnUserSave: nothing is transferred
    s->RestoreSequence(TPLocation::User);
    EXPECT_EQ(s->log, (Log{"SaveToRegistry", "RestoreFromRegistry", "DoUserSave", "DoUserRestore"}));
}

TEST(SettingsContainer, AFailedTransferEndsTheSequenceBeforeThePostEvent) {
    auto s = NewSettings();
    Listen(*s);
    s->failTransfer = true;
    EXPECT_THROW(s->SaveSequence(TPLocation::Registry), std::runtime_error);
    EXPECT_THROW(s->RestoreSequence(TPLocation::Registry), std::runtime_error);
    EXPECT_EQ(s->log, (Log{"PreSave", "AutoSave", "SaveToRegistry", "PreRestore", "AutoRestore", "RestoreFromRegistry"}));
}

TEST(SettingsContainer, SavesAndRestoresFreeAndBoundSettingsThroughTheRegistry) {
    regtest::TTestKey key;
    const std::string prefix = "Software\\GlyphoraTest\\";
    const std::string software = key.Path().substr(prefix.size());

    auto save = NewSettings();
    save->SetCompanyName("GlyphoraTest");
    save->SetSoftwareName(software);
    save->SetSoftwareVersion("");
    TPSetting* size = Named(nullptr, "Size");
    TPSetting* text = Named(nullptr, "Text");
    save->AppendSetting(size);
    save->AppendSetting(text);
    size->SetAsInteger(17);
    text->SetAsString("hello");
    save->SaveSequence(TPLocation::Registry);
    const auto stored = regtest::RawGet(key.Sub("TestSettings"), "Size");
    ASSERT_TRUE(stored.has_value());
    EXPECT_EQ(stored->type, DWORD(REG_DWORD));
    EXPECT_EQ(stored->bytes, (std::vector<uint8_t>{17, 0, 0, 0}));

    auto restore = NewSettings();
    restore->SetCompanyName("GlyphoraTest");
    restore->SetSoftwareName(software);
    restore->AppendSetting(Named(nullptr, "Size"));
    restore->AppendSetting(Named(nullptr, "Text"));
    restore->AppendSetting(Named(nullptr, "Never"));
    bool skip = false;
    restore->OnAutoRestore = [&skip](TObject*, bool& go) { go = !skip; };
    skip = true;
    restore->RestoreSequence(TPLocation::Registry);
    EXPECT_EQ(restore->SettingByName("Size").Value.Kind, pvkNone);
    skip = false;
    restore->RestoreSequence(TPLocation::Registry);
    EXPECT_EQ(restore->SettingByName("Size").GetAsInteger(), 17);
    EXPECT_EQ(restore->SettingByName("Text").GetAsString(), "hello");
    EXPECT_EQ(restore->SettingByName("Never").Value.Kind, pvkNone);
}

TEST(SettingsContainer, PublishedPropertiesInTheirOrder) {
    std::vector<std::string> names;
    for (const TPropInfo& p : TPSettings::StaticClass().props) names.push_back(p.name);
    EXPECT_EQ(names, (std::vector<std::string>{"CompanyName", "SoftwareName", "SoftwareVersion", "RegistryRootKey",
                                               "SaveAll", "OnUserSave", "OnUserRestore", "OnPreSave", "OnPostRestore",
                                               "OnPostSave", "OnPreRestore", "OnAutoSave", "OnAutoRestore"}));
}

TEST(SettingsContainer, StreamsRootKeyAlwaysAndSaveAllOnlyWhenFalse) {
    auto s = NewSettings();
    s->SetCompanyName("");
    const auto written = [&s] {
        TMemoryStream stream;
        TWriter writer(stream);
        writer.WriteProperties(*s);
        return stream.Bytes();
    };
    // 15 RegistryRootKey, ident prkCurrentUser; nothing else (empty names, SaveAll true, empty list).
    std::vector<uint8_t> expected{15};
    for (char c : std::string("RegistryRootKey")) expected.push_back(uint8_t(c));
    expected.push_back(7);
    expected.push_back(14);
    for (char c : std::string("prkCurrentUser")) expected.push_back(uint8_t(c));
    EXPECT_EQ(written(), expected);

    s->SetSaveAll(false);
    s->SetCompanyName("C");
    s->SetRegistryRootKey(prkLocalMachine);
    auto owned = NewSettings();
    TTestSettings& back = *owned;
    {
        TMemoryStream stream;
        TWriter writer(stream);
        writer.WriteProperties(*s);
        writer.WriteListEnd();
        stream.SetPosition(0);
        TReader reader(stream);
        reader.ReadProperties(back);
    }
    EXPECT_EQ(back.CompanyName(), "C");
    EXPECT_EQ(back.RegistryRootKey(), prkLocalMachine);
    EXPECT_FALSE(back.SaveAll());
}

TEST(SettingsContainer, LocalMachineRootIsSelected) {
    auto s = NewSettings();
    TPRegistry reg;
    s->SelectRoot(reg);
    EXPECT_EQ(reg.RootKey(), kRootCurrentUser);
    s->SetRegistryRootKey(prkLocalMachine);
    s->SelectRoot(reg);
    EXPECT_EQ(reg.RootKey(), kRootLocalMachine);
}
