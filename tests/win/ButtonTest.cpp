// Push buttons and the form's keyboard: Enter, Esc and access keys.
#include <gtest/gtest.h>

#include <set>

#include "platform/win/Button.h"
#include "platform/win/Edit.h"
#include "platform/win/Panel.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kButtonForm = R"(object ButtonForm: TForm
  Left = 30
  Top = 30
  Width = 320
  Height = 200
  Font.Height = -11
  Font.Name = 'Tahoma'
  object SizeEdit: TEdit
    Left = 8
    Top = 8
    TabOrder = 0
  end
  object Page: TPanel
    Left = 8
    Top = 40
    Width = 280
    Height = 100
    TabOrder = 1
    object CopyBtn: TButton
      Left = 8
      Top = 8
      Caption = '&Kopírovat'
      Default = True
      TabOrder = 0
    end
    object CloseBtn: TButton
      Left = 100
      Top = 8
      Caption = 'Close'
      Cancel = True
      TabOrder = 1
    end
  end
end
)";

class ButtonTest : public testing::Test {
protected:
    void SetUp() override {
        copy->OnClick = [this](TObject*) { log.push_back("copy"); };
        close->OnClick = [this](TObject*) { log.push_back("close"); };
    }

    TShownForm form{kButtonForm};
    TEdit* edit = form.Find<TEdit>("SizeEdit");
    TPanel* page = form.Find<TPanel>("Page");
    TButton* copy = form.Find<TButton>("CopyBtn");
    TButton* close = form.Find<TButton>("CloseBtn");
    std::vector<std::string> log;
};

TEST_F(ButtonTest, EnterClicksTheDefaultButtonOnlyWhileItCanBeUsed) {
    EXPECT_EQ(::GetWindowLongW(copy->WindowHandle(), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    const struct {
        const char* what;
        bool pageVisible, enabled;
        std::vector<std::string> expected;
    } cases[] = {
        {"shown", true, true, {"copy"}},
        {"on a hidden page", false, true, {}},
        {"disabled", true, false, {}},
    };
    for (const auto& c : cases) {
        page->SetVisible(c.pageVisible);
        copy->SetEnabled(c.enabled);
        edit->SetFocus();
        log.clear();
        PressKey(VK_RETURN);
        EXPECT_EQ(log, c.expected) << c.what;
    }
}

TEST_F(ButtonTest, TabMovesThroughTheControlsInTabOrder) {
    edit->SetFocus();
    std::vector<HWND> visited;
    for (int i = 0; i < 3; ++i) {
        PressKey(VK_TAB);
        visited.push_back(::GetFocus());
    }
    EXPECT_EQ(visited, (std::vector<HWND>{copy->WindowHandle(), close->WindowHandle(), edit->WindowHandle()}));
    EXPECT_TRUE(log.empty());
    // Away from the buttons, the default button looks the default again.
    auto type = [](TButton* b) { return ::GetWindowLongW(b->WindowHandle(), GWL_STYLE) & BS_TYPEMASK; };
    EXPECT_EQ(type(copy), BS_DEFPUSHBUTTON);
    EXPECT_EQ(type(close), BS_PUSHBUTTON);
}

TEST_F(ButtonTest, EnterOnAFocusedButtonClicksThatButton) {
    close->SetFocus();
    PressKey(VK_RETURN);
    EXPECT_EQ(log, std::vector<std::string>{"close"});
}

TEST_F(ButtonTest, EscClicksTheCancelButton) {
    edit->SetFocus();
    PressKey(VK_ESCAPE);
    EXPECT_EQ(log, std::vector<std::string>{"close"});
    close->SetCancel(false);
    log.clear();
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(log.empty());
}

TEST_F(ButtonTest, TheAccessKeyClicksTheButton) {
    edit->SetFocus();
    ::PostMessageW(::GetFocus(), WM_SYSCHAR, L'k', LPARAM(0x20000001));
    Pump();
    EXPECT_EQ(log, std::vector<std::string>{"copy"});
    ::PostMessageW(::GetFocus(), WM_SYSCHAR, L'x', LPARAM(0x20000001));
    Pump();
    EXPECT_EQ(log, std::vector<std::string>{"copy"});
}

TEST_F(ButtonTest, ClickingTheButtonClicksOnce) {
    ClickAt(copy->WindowHandle(), 10, 10);
    EXPECT_EQ(log, std::vector<std::string>{"copy"});
}

BOOL CALLBACK CollectId(HWND child, LPARAM data) {
    reinterpret_cast<std::vector<int>*>(data)->push_back(::GetDlgCtrlID(child));
    return TRUE;
}

TEST_F(ButtonTest, EveryChildWindowHasAnIdOfItsOwn) {
    std::vector<int> ids;
    ::EnumChildWindows(form->WindowHandle(), &CollectId, LPARAM(&ids));
    ASSERT_EQ(ids.size(), 4u);
    EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size());
    for (int id : ids) {
        EXPECT_NE(id, 0);
        EXPECT_NE(id, IDOK);
        EXPECT_NE(id, IDCANCEL);
    }
}

}  // namespace
