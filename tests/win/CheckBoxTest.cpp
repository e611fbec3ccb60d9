// Check boxes: the state in the window, and one click event per change,
// whoever makes it.
#include <gtest/gtest.h>

#include "platform/win/CheckBox.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kCheckForm = R"(object CheckForm: TForm
  Left = 30
  Top = 30
  Width = 300
  Height = 120
  Font.Height = -11
  Font.Name = 'Tahoma'
  object CacheFontsCheck: TCheckBox
    Left = 8
    Top = 6
    Width = 137
    Height = 17
    Caption = '&Načítat písma dopředu'
    Checked = True
    TabOrder = 0
  end
end
)";

class CheckBoxTest : public testing::Test {
protected:
    void SetUp() override {
        box->OnClick = [this](TObject*) { seen.push_back(box->Checked()); };
    }
    LRESULT Check() const { return ::SendMessageW(box->WindowHandle(), BM_GETCHECK, 0, 0); }

    TShownForm form{kCheckForm};
    TCheckBox* box = form.Find<TCheckBox>("CacheFontsCheck");
    std::vector<bool> seen;  // Checked as each OnClick found it
};

TEST_F(CheckBoxTest, TheFormsValuesReachTheWindow) {
    EXPECT_EQ(Check(), BST_CHECKED);
    EXPECT_EQ(WideText(box->WindowHandle()), L"&Načítat písma dopředu");
    EXPECT_EQ(::GetWindowLongW(box->WindowHandle(), GWL_STYLE) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_TRUE(box->Checked());
}

TEST_F(CheckBoxTest, CheckedFromCodeClicksOncePerChange) {
    const struct {
        bool value;
        std::vector<bool> clicks;
        LRESULT check;
    } steps[] = {{false, {false}, BST_UNCHECKED}, {false, {}, BST_UNCHECKED}, {true, {true}, BST_CHECKED}};
    for (const auto& s : steps) {
        seen.clear();
        box->SetChecked(s.value);
        EXPECT_EQ(seen, s.clicks) << s.value;
        EXPECT_EQ(Check(), s.check) << s.value;
    }
}

TEST_F(CheckBoxTest, ABoxWithoutAWindowClicksToo) {
    TCheckBox* loose = TComponent::Create<TCheckBox>(form.Get());
    int clicks = 0;
    loose->OnClick = [&](TObject*) { ++clicks; };
    loose->SetChecked(true);
    EXPECT_EQ(clicks, 1);
    loose->SetParent(form.Get());
    EXPECT_EQ(::SendMessageW(loose->WindowHandle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(clicks, 1);
}

TEST_F(CheckBoxTest, TheUsersClicksAndSpaceToggleAndClickOnce) {
    ClickAt(box->WindowHandle(), 5, 8);
    EXPECT_EQ(seen, std::vector<bool>{false});
    EXPECT_EQ(Check(), BST_UNCHECKED);
    EXPECT_FALSE(box->Checked());
    box->SetFocus();
    PressKey(VK_SPACE);
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
    EXPECT_EQ(Check(), BST_CHECKED);
    EXPECT_TRUE(box->Checked());
}

TEST_F(CheckBoxTest, StateSetFromOutsideIsSeen) {
    // As an accessibility tool or another program would set it.
    const struct {
        WPARAM check;
        bool checked;
    } steps[] = {{BST_UNCHECKED, false}, {BST_CHECKED, true}, {BST_UNCHECKED, false}};
    for (const auto& s : steps) {
        ::SendMessageW(box->WindowHandle(), BM_SETCHECK, s.check, 0);
        EXPECT_EQ(box->Checked(), s.checked) << s.check;
    }
    EXPECT_TRUE(seen.empty());  // BM_SETCHECK is no click
}

}  // namespace
