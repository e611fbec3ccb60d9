// The main window as its form file describes it.
#include <gtest/gtest.h>

#include "app/AppMainForm.h"
#include "platform/win/Application.h"
#include "platform/win/Win32.h"
#include "tests/app/MainFormFile.h"
#include "tests/support/StoredState.h"

namespace {

class MainFormFile : public testing::Test {
protected:
    void SetUp() override {
        const std::vector<uint8_t> data = ReadMainForm();
        ASSERT_FALSE(data.empty()) << "GLYPHORA_SOURCE_DIR must name the source tree (scripts/test sets it)";
        ForgetStoredState();
        form = Application->CreateFormFrom<TMainForm>(data);
    }
    void TearDown() override {
        TComponent::Free(form);
        ForgetStoredState();
    }

    std::string HandlerName(const char* event) const {
        const TMethodRef ref = GetMethodProp(*form, *FindPropInfo(*form, event));
        return ref.method ? ref.method->name : "(none)";
    }

    TMainForm* form = nullptr;
};

TEST_F(MainFormFile, HasTheDesignedFrameFontAndHandlers) {
    EXPECT_EQ(form->Name(), "MainForm");
    EXPECT_EQ(MainForm, form);
    EXPECT_EQ(Application->MainForm(), form);
    EXPECT_EQ(form->Caption(), "Glyphora");
    EXPECT_EQ(form->Font()->Name(), "Tahoma");
    EXPECT_EQ(form->Font()->Height(), -11);
    EXPECT_EQ(form->Font()->Size(), 8);
    EXPECT_EQ(form->Font()->Charset(), 1);
    EXPECT_TRUE(form->Font()->Style().Empty());
    EXPECT_EQ(form->Font()->Color(), clWindowText);
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_EQ(form->Position(), TPosition::poDefaultPosOnly);
    EXPECT_EQ(form->BorderStyle(), TFormBorderStyle::bsSizeable);
    EXPECT_EQ(HandlerName("OnCreate"), "FormCreate");
    EXPECT_EQ(HandlerName("OnDestroy"), "FormDestroy");
    EXPECT_EQ(HandlerName("OnKeyDown"), "FormKeyDown");
}

TEST_F(MainFormFile, OpensAt646By500WithAClientAreaOf638By473) {
    form->Show();
    Application->ProcessMessages();
    RECT outer{}, client{};
    ::GetWindowRect(form->WindowHandle(), &outer);
    ::GetClientRect(form->WindowHandle(), &client);
    EXPECT_EQ(outer.right - outer.left, 646);
    EXPECT_EQ(outer.bottom - outer.top, 500);
    EXPECT_EQ(client.right, 638);
    EXPECT_EQ(client.bottom, 473);
    EXPECT_EQ(form->Width(), 646);
    EXPECT_EQ(form->Height(), 500);
}

}  // namespace
