// Automatic settings while a form is designed: components dropped on the
// form are queued, and a moment later each whose class has a sub-key under
// the user's AdvProps key gets one setting per value listed there.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/psetting/FormSettingsFixture.h"
#include "tests/psetting/SettingTestComponents.h"

using namespace formtest;

namespace {

constexpr const char* kAdvProps = "SOFTWARE\\Corvane\\PSetting\\AdvProps";

// The class sub-keys a test lists, removed before and after it.
class TAdvPropsKeys {
public:
    TAdvPropsKeys() { Delete(); }
    TAdvPropsKeys(const TAdvPropsKeys&) = delete;
    TAdvPropsKeys& operator=(const TAdvPropsKeys&) = delete;
    ~TAdvPropsKeys() { Delete(); }
    static std::string Class(const std::string& name) { return std::string(kAdvProps) + "\\" + name; }

private:
    static void Delete() {
        for (const char* name : {"TGizmo", "TCheckBox"}) ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(Class(name)).c_str());
    }
};

struct TBound {
    bool encrypted;
    TComponent* component;
    bool operator==(const TBound&) const = default;
};

// The settings by bound property, whatever the registry's listing order.
std::map<std::string, TBound> Bindings(const TPFormSettings& s) {
    std::map<std::string, TBound> out;
    for (TPSetting* item : s.Settings()) {
        EXPECT_EQ(item->Owner(), &s);  // designed forms' settings are the component's
        out[item->BoundProperty] = {item->Encrypted, item->BoundComponent};
    }
    return out;
}

class AdvProps : public testing::Test {
protected:
    void SetUp() override {
        regtest::RawSet(TAdvPropsKeys::Class("TGizmo"), "Caption", REG_DWORD, {1, 0, 0, 0});
        regtest::RawSet(TAdvPropsKeys::Class("TGizmo"), "Part.Name", REG_DWORD, {2, 0, 0, 0});
        // The key's unnamed value names no property.
        regtest::RawSet(TAdvPropsKeys::Class("TGizmo"), "", REG_DWORD, {2, 0, 0, 0});
        form->SetName("DesignForm");
        form->SetDesigning(true);
    }

    TGizmo* Drop(const std::string& name) {
        auto* g = TComponent::Create<TGizmo>(form.get());
        if (!name.empty()) g->SetName(name);
        return g;
    }

    // Runs the message loop until the settings' timer has stopped.
    static void WaitForTimer(const TPFormSettings& s) {
        ASSERT_TRUE(PumpUntil([&] { return !s.AdvPropsTimerEnabled(); }));
    }

    static std::map<std::string, TBound> TwoFor(const std::string& name, TComponent* c) {
        return {{name + ".Caption", {false, c}}, {name + ".Part.Name", {true, c}}};
    }

    TAdvPropsKeys keys;
    TOwnedPtr<TForm> form{TComponent::Create<TForm>(nullptr)};
};

}  // namespace

TEST_F(AdvProps, ADroppedComponentGetsOneSettingPerListedValue) {
    auto* s = TComponent::Create<TPFormSettings>(form.get());
    EXPECT_FALSE(s->AdvPropsTimerEnabled());
    TGizmo* gizmo = Drop("Gizmo1");
    auto* check = TComponent::Create<TCheckBox>(form.get());  // no sub-key for its class
    check->SetName("Check1");
    EXPECT_EQ(s->QueuedAdvProps(), (std::vector<TComponent*>{gizmo, check}));
    EXPECT_TRUE(s->AdvPropsTimerEnabled());
    EXPECT_EQ(s->SettingCount(), 0);  // nothing before the timer

    WaitForTimer(*s);
    EXPECT_EQ(Bindings(*s), TwoFor("Gizmo1", gizmo));
    EXPECT_TRUE(s->QueuedAdvProps().empty());
}

TEST_F(AdvProps, ComponentsOnTheFormBeforeTheSettingsAreQueuedTooButNotTheSettingsItself) {
    TGizmo* gizmo = Drop("Gizmo1");
    auto* s = TComponent::Create<TPFormSettings>(form.get());
    EXPECT_EQ(s->QueuedAdvProps(), (std::vector<TComponent*>{gizmo}));
    WaitForTimer(*s);
    EXPECT_EQ(Bindings(*s), TwoFor("Gizmo1", gizmo));
    s->AddAdvProps(s);
    EXPECT_EQ(s->SettingCount(), 2);
}

TEST_F(AdvProps, UnnamedComponentsWaitAndRemovedOnesAreForgotten) {
    auto* s = TComponent::Create<TPFormSettings>(form.get());
    TGizmo* unnamed = Drop("");
    TGizmo* named = Drop("Gizmo2");
    TGizmo* gone = Drop("Gizmo3");
    TComponent::Free(gone);
    EXPECT_EQ(s->QueuedAdvProps(), (std::vector<TComponent*>{unnamed, named}));
    WaitForTimer(*s);
    EXPECT_EQ(Bindings(*s), TwoFor("Gizmo2", named));
    EXPECT_EQ(s->QueuedAdvProps(), (std::vector<TComponent*>{unnamed}));

    // Named later, it is handled when the timer runs again.
    unnamed->SetName("Gizmo1");
    TGizmo* next = Drop("Gizmo4");
    WaitForTimer(*s);
    std::map<std::string, TBound> expected = TwoFor("Gizmo1", unnamed);
    expected.merge(TwoFor("Gizmo2", named));
    expected.merge(TwoFor("Gizmo4", next));
    EXPECT_EQ(Bindings(*s), expected);
    EXPECT_TRUE(s->QueuedAdvProps().empty());
}

TEST_F(AdvProps, NothingIsQueuedAtRunTimeOrWhileTheFormLoads) {
    // A designed form being opened: its components and their settings are
    // read, not dropped.
    form->SetLoadingState(true, true);
    Drop("Gizmo1");
    auto* s = TComponent::Create<TPFormSettings>(form.get());
    Drop("Gizmo2");
    form->SetLoadingState(false, false);
    EXPECT_TRUE(s->QueuedAdvProps().empty());
    EXPECT_FALSE(s->AdvPropsTimerEnabled());

    TOwnedPtr<TForm> running(TComponent::Create<TForm>(nullptr));
    TComponent::Create<TGizmo>(running.get())->SetName("Gizmo1");
    auto* r = TComponent::Create<TPFormSettings>(running.get());
    TComponent::Create<TGizmo>(running.get())->SetName("Gizmo2");
    EXPECT_TRUE(r->QueuedAdvProps().empty());
    EXPECT_FALSE(r->AdvPropsTimerEnabled());
}

TEST_F(AdvProps, AMissingKeyAddsNothingAndABadValueIsReportedWithoutHoldingUpOthers) {
    auto* s = TComponent::Create<TPFormSettings>(form.get());
    auto* check = TComponent::Create<TCheckBox>(form.get());
    check->SetName("Check1");
    s->AddAdvProps(check);  // no TCheckBox sub-key
    EXPECT_EQ(s->SettingCount(), 0);

    // A listed value that is no integer: the registry's error for that
    // component; the next component still gets its settings.
    regtest::RawSet(TAdvPropsKeys::Class("TCheckBox"), "Checked", REG_SZ, regtest::Utf16Sz("2"));
    std::vector<std::string> reported;
    Application->OnException = [&](TObject*, const std::exception& e) { reported.push_back(e.what()); };
    TComponent::Free(check);
    check = TComponent::Create<TCheckBox>(form.get());
    check->SetName("Check1");
    TGizmo* gizmo = Drop("Gizmo1");
    WaitForTimer(*s);
    Application->OnException = nullptr;
    EXPECT_EQ(reported, (std::vector<std::string>{"Invalid data type for 'Checked'"}));
    EXPECT_EQ(Bindings(*s), TwoFor("Gizmo1", gizmo));
}

// Deleting a component in a designer frees it: its settings leave the list
// and are freed with it, whichever of them hears of it first.
TEST_F(AdvProps, FreeingADesignedComponentTakesItsSettingsAlong) {
    for (const bool formSettingsFirst : {false, true}) {
        SCOPED_TRACE(formSettingsFirst ? "form settings told first" : "settings told first");
        auto* s = TComponent::Create<TPFormSettings>(form.get());
        TGizmo* kept = Drop("Gizmo1");
        TGizmo* gone = Drop("Gizmo2");
        WaitForTimer(*s);
        std::map<std::string, TBound> both = TwoFor("Gizmo1", kept);
        both.merge(TwoFor("Gizmo2", gone));
        ASSERT_EQ(Bindings(*s), both);
        const int owned = s->ComponentCount();
        // The last to ask is the first told.
        if (formSettingsFirst) s->FreeNotification(gone);

        TComponent::Free(gone);
        EXPECT_EQ(Bindings(*s), TwoFor("Gizmo1", kept));
        EXPECT_EQ(s->ComponentCount(), owned - 2);  // freed, not only unlisted
        TComponent::Free(kept);
        EXPECT_EQ(s->SettingCount(), 0);
        TComponent::Free(s);
    }
}
