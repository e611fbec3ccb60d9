// Single-line edits: text, limits and events, on real EDIT windows.
#include <gtest/gtest.h>

#include <functional>

#include "platform/win/Edit.h"
#include "platform/win/Memo.h"
#include "platform/win/WinText.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kEditForm = R"(object EditForm: TForm
  Left = 30
  Top = 30
  Width = 300
  Height = 200
  Font.Height = -11
  Font.Name = 'Tahoma'
  object SizeEdit: TEdit
    Left = 76
    Top = 4
    Width = 41
    Height = 21
    MaxLength = 3
    TabOrder = 0
    Text = '16'
  end
  object OtherEdit: TEdit
    Left = 8
    Top = 40
    ReadOnly = True
    TabOrder = 1
  end
end
)";

class EditTest : public testing::Test {
protected:
    TShownForm form{kEditForm};
    TEdit* size = form.Find<TEdit>("SizeEdit");
    TEdit* other = form.Find<TEdit>("OtherEdit");
};

TEST_F(EditTest, PropertiesFromTheFormReachTheWindow) {
    HWND w = size->WindowHandle();
    EXPECT_EQ(WideText(w), L"16");
    EXPECT_EQ(Bounds(w), (std::vector<LONG>{76, 4, 41, 21}));
    EXPECT_EQ(::SendMessageW(w, EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_NE(::SendMessageW(other->WindowHandle(), EM_GETLIMITTEXT, 0, 0), 3);
    EXPECT_TRUE(::GetWindowLongW(other->WindowHandle(), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(::GetWindowLongW(w, GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(::GetWindowLongW(w, GWL_STYLE) & WS_TABSTOP);

    size->SetText("24");
    EXPECT_EQ(WideText(w), L"24");
    ::SetWindowTextW(w, L"typed");
    EXPECT_EQ(size->Text(), "typed");
    other->SetReadOnly(false);
    EXPECT_FALSE(::GetWindowLongW(other->WindowHandle(), GWL_STYLE) & ES_READONLY);
}

TEST_F(EditTest, ChangeRunsForTypingAndForTextFromCode) {
    std::vector<std::string> seen;
    size->OnChange = [&](TObject* sender) { seen.push_back(static_cast<TEdit*>(sender)->Text()); };
    size->SetFocus();
    size->SelectAll();
    Type(L"24");
    EXPECT_EQ(seen, (std::vector<std::string>{"2", "24"}));
    size->SetText("30");
    EXPECT_EQ(seen.back(), "30");
    // The limit holds for typing.
    size->SetSelStart(2);
    Type(L"56");
    EXPECT_EQ(size->Text(), "305");
}

TEST_F(EditTest, ExitAndEnterFollowTheFocusWithinTheForm) {
    std::vector<std::string> log;
    size->OnExit = [&](TObject*) { log.push_back("exit size"); };
    size->OnEnter = [&](TObject*) { log.push_back("enter size"); };
    other->OnEnter = [&](TObject*) { log.push_back("enter other"); };
    other->OnExit = [&](TObject*) { log.push_back("exit other"); };
    size->SetFocus();
    log.clear();
    other->SetFocus();
    EXPECT_EQ(log, (std::vector<std::string>{"exit size", "enter other"}));

    // The focus leaving for another form is no exit, and coming back no enter.
    log.clear();
    TShownForm second{"object Second: TForm\n  Left = 400\n  object E: TEdit\n  end\nend\n"};
    second.Find<TEdit>("E")->SetFocus();
    other->SetFocus();
    Pump();
    EXPECT_TRUE(log.empty()) << log.front();
}

TEST_F(EditTest, KeysReachTheHandlersExceptEnterDownThatTheFormTakes) {
    std::vector<std::string> log;
    size->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { log.push_back("down " + std::to_string(key)); };
    size->OnKeyUp = [&](TObject*, uint16_t& key, TShiftState) { log.push_back("up " + std::to_string(key)); };
    size->SetFocus();
    PressKey('A');
    PressKey(VK_RETURN);
    EXPECT_EQ(log, (std::vector<std::string>{"down 65", "up 65", "up 13"}));
}

}  // namespace

namespace {

// The text is kept between reads: every way the window's text can change
// must be seen by the next read, for a single-line edit and for a memo
// (which gets no EN_CHANGE for WM_SETTEXT).
TEST_F(EditTest, TheTextReadAfterAnyChangeIsTheWindowsText) {
    TShownForm memoForm{R"(object MemoForm: TForm
  Left = 30
  Top = 30
  Width = 300
  Height = 200
  object Memo: TMemo
    Left = 8
    Top = 8
    Width = 200
    Height = 100
  end
end
)"};
    TCustomEdit* memo = memoForm.Find<TMemo>("Memo");
    for (TCustomEdit* edit : {static_cast<TCustomEdit*>(size), memo}) {
        HWND w = edit->WindowHandle();
        const struct {
            const char* how;
            std::function<void()> change;
            const char* expected;
        } cases[] = {
            {"WM_SETTEXT", [&] { ::SendMessageW(w, WM_SETTEXT, 0, LPARAM(L"12")); }, "12"},
            {"typing", [&] {
                 ::SendMessageW(w, EM_SETSEL, 0, -1);
                 ::PostMessageW(w, WM_CHAR, L'3', 1);
                 ::PostMessageW(w, WM_CHAR, L'4', 1);
                 Pump();
             }, "34"},
            {"EM_REPLACESEL", [&] {
                 ::SendMessageW(w, EM_SETSEL, 0, -1);
                 ::SendMessageW(w, EM_REPLACESEL, FALSE, LPARAM(L"56"));
             }, "56"},
            {"SetText", [&] { edit->SetText("78"); }, "78"},
        };
        for (const auto& c : cases) {
            SCOPED_TRACE(c.how);
            (void)edit->Text();  // read, so that a kept text would be stale
            c.change();
            EXPECT_EQ(edit->Text(), c.expected);
            EXPECT_EQ(WideText(w), Wide(c.expected));
        }
    }
}

}  // namespace
