// Single-line edits: text, limits and events, on real EDIT windows.
#include <gtest/gtest.h>

#include "platform/win/Edit.h"
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
