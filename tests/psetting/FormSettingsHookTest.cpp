// The form settings component's hook on its form's window procedure: when
// it saves (close, hide, destroy), when it saves again (shown again, the
// application minimized since), what a minimized application stores, and
// the window procedure it leaves behind.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/psetting/FormSettingsFixture.h"

using namespace formtest;

namespace {

void CloseByUser(TForm* form) {
    ::PostMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
    Pump();
}

// A window procedure of someone else's that notes what passes.
struct TRecorder {
    std::vector<uint32_t>* log;
    std::function<void(TMessage&)> previous;
    void operator()(TMessage& m) const {
        log->push_back(m.Msg);
        if (previous) previous(m);
    }
};

int Count(const std::vector<uint32_t>& log, uint32_t msg) { return int(std::count(log.begin(), log.end(), msg)); }

class FormSettingsHook : public FormSettingsTest {
protected:
    // A loaded, shown form whose saves are counted.
    TForm* Counted(bool main = false) {
        TForm* form = Load({}, main);
        Settings(form)->OnPreSave = [this](TObject*) { ++saves; };
        form->Show();
        Pump();
        return form;
    }
    int saves = 0;
};

}  // namespace

TEST_F(FormSettingsHook, SavesOnceWhenClosedOrHiddenAndAgainOnlyAfterBeingShownAgain) {
    TForm* form = Counted();
    TPFormSettings* s = Settings(form);
    EXPECT_FALSE(s->IsSaved());
    form->SetBounds(120, 130, 400, 300);  // moving is no reason to save
    EXPECT_EQ(saves, 0);

    CloseByUser(form);  // closing hides it: one save, at the close
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(s->IsSaved());
    EXPECT_EQ(Stored("Left"), Dword(120));
    form->Perform(WM_CLOSE);
    EXPECT_EQ(saves, 1);

    form->Show();
    Pump();
    EXPECT_FALSE(s->IsSaved());
    form->SetBounds(140, 130, 400, 300);
    form->Hide();  // hiding saves too
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(Stored("Left"), Dword(140));

    form->Show();
    Pump();
    form->DestroyHandle();  // hidden, then destroyed: one save
    EXPECT_EQ(saves, 3);
    // The hook left with the window; a new window of the form is not watched.
    form->Show();
    Pump();
    CloseByUser(form);
    EXPECT_EQ(saves, 3);
}

TEST_F(FormSettingsHook, ARefusedCloseHasSavedAndTheNextCloseDoesNotSaveAgain) {
    TForm* form = Counted();
    int closes = 0;
    form->OnClose = [&](TObject*, TCloseAction& action) {
        ++closes;
        action = TCloseAction::caNone;
    };
    CloseByUser(form);
    CloseByUser(form);
    EXPECT_EQ(closes, 2);
    EXPECT_EQ(saves, 1);
    EXPECT_TRUE(::IsWindowVisible(form->WindowHandle()));
}

TEST_F(FormSettingsHook, NothingIsSavedBeforeLoadCompletionAndTheHookLeavesOnlyAfterIt) {
    auto* form = TComponent::Create<TForm>(Application);
    std::vector<uint32_t> log;
    form->WindowProc = TRecorder{&log, form->WindowProc};
    auto* s = TComponent::Create<TPFormSettings>(form);
    s->SetCompanyName("GlyphoraTest");
    s->SetSoftwareName(Leaf());
    int saves = 0;
    s->OnPreSave = [&](TObject*) { ++saves; };
    form->Show();
    Pump();
    CloseByUser(form);
    EXPECT_EQ(saves, 0);
    EXPECT_GT(Count(log, WM_CLOSE), 0) << "messages pass on to the procedure it replaced";
    // Not loaded: the hook stays through the window's end.
    form->DestroyHandle();
    EXPECT_EQ(form->WindowProc.target<TRecorder>(), nullptr);

    s->Loaded();
    EXPECT_TRUE(s->IsLoaded());
    form->Show();
    Pump();
    CloseByUser(form);
    EXPECT_EQ(saves, 1);
    // Loaded: at WM_DESTROY the replaced procedure is put back.
    form->DestroyHandle();
    ASSERT_NE(form->WindowProc.target<TRecorder>(), nullptr);
    log.clear();
    form->Perform(WM_CLOSE);
    EXPECT_EQ(Count(log, WM_CLOSE), 1);
    EXPECT_EQ(saves, 1);
    TComponent::Free(form);
}

TEST_F(FormSettingsHook, AMinimizedApplicationIsStoredOnceAsTheMainFormsMinimizedState) {
    TForm* form = Counted(true);
    ASSERT_EQ(Application->MainForm(), form);
    TPFormSettings* s = Settings(form);
    form->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caNone; };
    CloseByUser(form);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(Stored("MainForm"), Binary({4, 0, 0, 0, 1}));
    EXPECT_EQ(Stored("State"), Dword(0));
    EXPECT_TRUE(MainFormSaved());

    // Minimizing the application hides the form: the state changed since
    // the last save, so the hide saves again, with the application minimized.
    Application->Minimize();
    Pump();
    EXPECT_EQ(saves, 2);
    EXPECT_EQ(Stored("State"), Dword(1));
    EXPECT_TRUE(s->AppWasMinimized());
    // Recorded: neither moves nor a close while minimized save again.
    form->SetBounds(150, 160, 400, 300);
    form->Perform(WM_CLOSE);
    EXPECT_EQ(saves, 2);

    Application->Restore();
    Pump();
    EXPECT_FALSE(s->IsSaved());
    CloseByUser(form);
    EXPECT_EQ(saves, 3);
    EXPECT_EQ(Stored("State"), Dword(0));
    EXPECT_FALSE(s->AppWasMinimized());
}

TEST_F(FormSettingsHook, OnlyTheMainFormsSaveMarksTheMainFormSaved) {
    TForm* other = Counted();
    CloseByUser(other);
    EXPECT_EQ(saves, 1);
    EXPECT_FALSE(MainFormSaved());
}

TEST_F(FormSettingsHook, ASaveThatFailsIsReportedOnceAndTheFormStillCloses) {
    TForm* form = Counted();
    TPFormSettings* s = Settings(form);
    s->OnAutoSave = [](TObject*, bool&) { throw Exception("registry gone"); };
    std::vector<std::string> reported;
    Application->OnException = [&](TObject*, const std::exception& e) { reported.push_back(e.what()); };
    CloseByUser(form);  // the close hides the form too: still one report
    EXPECT_EQ(reported, std::vector<std::string>{"registry gone"});
    EXPECT_FALSE(::IsWindowVisible(form->WindowHandle()));
    EXPECT_FALSE(regtest::RawKeyExists(FormKey()));
    // Shown again, the next close tries again.
    form->Show();
    Pump();
    CloseByUser(form);
    Application->OnException = nullptr;
    EXPECT_EQ(reported, (std::vector<std::string>{"registry gone", "registry gone"}));
    s->OnAutoSave = nullptr;
}

TEST_F(FormSettingsHook, AHookPutInAfterItKeepsWorkingWhenTheComponentGoesFirst) {
    TForm* form = Counted();
    std::vector<uint32_t> log;
    form->WindowProc = TRecorder{&log, form->WindowProc};
    int closes = 0;
    form->OnClose = [&](TObject*, TCloseAction&) { ++closes; };
    TComponent::Free(Settings(form));
    CloseByUser(form);
    EXPECT_EQ(Count(log, WM_CLOSE), 1);
    EXPECT_EQ(closes, 1);
    EXPECT_EQ(saves, 0);
    EXPECT_FALSE(::IsWindowVisible(form->WindowHandle()));
}
