// Key preview by the form, and minimizing through the application's window.
#include <gtest/gtest.h>

#include "platform/win/Form.h"
#include "tests/win/TestControls.h"

namespace {

class KeysAndState : public testing::Test {
protected:
    static void SetUpTestSuite() { classes::Register(TTestEdit::StaticClass()); }
    void SetUp() override {
        ASSERT_EQ(Application->MainForm(), nullptr);
        form = Application->CreateFormFrom<TForm>(FormText("object KeyForm: TForm\n  Width = 300\n  Height = 200\n"
                                                           "  object KeyEdit: TTestEdit\n  end\nend\n"));
        edit = static_cast<TTestEdit*>(form->FindComponent("KeyEdit"));
        form->OnKeyDown = [this](TObject* sender, uint16_t& key, TShiftState) {
            log.push_back("form " + std::to_string(key) + (sender == form ? "" : " (wrong sender)"));
            if (swallow) key = 0;
        };
        edit->OnKeyDown = [this](TObject*, uint16_t& key, TShiftState) { log.push_back("edit " + std::to_string(key)); };
        form->Show();
    }
    void TearDown() override { TComponent::Free(form); }

    TForm* form = nullptr;
    TTestEdit* edit = nullptr;
    std::vector<std::string> log;
    bool swallow = false;
};

TEST_F(KeysAndState, KeyPreviewLetsTheFormSeeKeysFirst) {
    ::SendMessageW(edit->WindowHandle(), WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(log, std::vector<std::string>{"edit 116"});

    log.clear();
    form->SetKeyPreview(true);
    ::SendMessageW(edit->WindowHandle(), WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(log, (std::vector<std::string>{"form 116", "edit 116"}));

    log.clear();
    swallow = true;
    ::SendMessageW(edit->WindowHandle(), WM_KEYDOWN, VK_F5, 0);
    EXPECT_EQ(log, std::vector<std::string>{"form 116"});
}

TEST_F(KeysAndState, MinimizingTheMainFormMinimizesTheApplication) {
    auto appShowCmd = [] {
        WINDOWPLACEMENT wp{};
        wp.length = sizeof wp;
        ::GetWindowPlacement(Application->Handle(), &wp);
        return wp.showCmd;
    };
    EXPECT_FALSE(::IsWindowVisible(Application->Handle()));
    ::SendMessageW(form->WindowHandle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
    Application->ProcessMessages();
    EXPECT_EQ(appShowCmd(), UINT(SW_SHOWMINIMIZED));
    EXPECT_FALSE(::IsWindowVisible(form->WindowHandle()));

    ::SendMessageW(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    Application->ProcessMessages();
    EXPECT_NE(appShowCmd(), UINT(SW_SHOWMINIMIZED));
    EXPECT_TRUE(::IsWindowVisible(form->WindowHandle()));
    EXPECT_FALSE(::IsWindowVisible(Application->Handle()));
}

TEST_F(KeysAndState, ChangingTheBorderKeepsTheWindow) {
    HWND before = form->WindowHandle();
    bool destroyed = false;
    const auto previous = form->WindowProc;
    form->WindowProc = [&destroyed, previous](TMessage& m) {
        if (m.Msg == WM_DESTROY) destroyed = true;
        previous(m);
    };
    EXPECT_TRUE(::GetWindowLongW(before, GWL_STYLE) & WS_THICKFRAME);
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    EXPECT_EQ(form->WindowHandle(), before);
    EXPECT_FALSE(destroyed);
    EXPECT_FALSE(::GetWindowLongW(before, GWL_STYLE) & WS_THICKFRAME);
    EXPECT_TRUE(::IsWindowVisible(before));
    form->WindowProc = previous;
}

}  // namespace
