// Every window message passes through the control's replaceable WindowProc;
// no exception leaves a window procedure.
#include <gtest/gtest.h>

#include "platform/core/Exceptions.h"
#include "platform/win/Form.h"
#include "tests/win/TestControls.h"

namespace {

constexpr UINT kThrow = WM_APP + 1;
constexpr UINT kPing = WM_APP + 2;
constexpr UINT kUnhook = WM_APP + 3;

class Dispatch : public testing::Test {
protected:
    void SetUp() override {
        form = TComponent::Create<TForm>(Application);
        form->SetBounds(20, 20, 300, 200);
        edit = TComponent::Create<TTestEdit>(form);
        edit->SetParent(form);
        form->HandleNeeded();
        formProc = form->WindowProc;
        editProc = edit->WindowProc;
    }
    void TearDown() override {
        // Hooks of a test refer to its locals, which are gone by now.
        form->WindowProc = formProc;
        edit->WindowProc = editProc;
        TComponent::Free(form);
    }

    TForm* form = nullptr;
    TTestEdit* edit = nullptr;
    std::function<void(TMessage&)> formProc, editProc;
};

TEST_F(Dispatch, ExceptionInAHandlerReachesTheApplicationAndTheWindowGoesOn) {
    TExceptionCatcher catcher;
    int pings = 0;
    for (TControl* target : std::initializer_list<TControl*>{form, edit}) {
        const auto previous = target->WindowProc;
        target->WindowProc = [&pings, previous, target](TMessage& m) {
            if (m.Msg == kThrow) throw EConvertError("Bad value in " + target->ClassName());
            if (m.Msg == kPing) ++pings;
            previous(m);
        };
    }
    ::PostMessageW(form->WindowHandle(), kPing, 0, 0);
    Application->ProcessMessages();
    EXPECT_TRUE(catcher.messages.empty());

    ::PostMessageW(form->WindowHandle(), kThrow, 0, 0);
    ::PostMessageW(form->WindowHandle(), kPing, 0, 0);
    ::SendMessageW(edit->WindowHandle(), kThrow, 0, 0);
    ::PostMessageW(edit->WindowHandle(), kPing, 0, 0);
    Application->ProcessMessages();
    EXPECT_EQ(catcher.messages, (std::vector<std::string>{"Bad value in TTestEdit", "Bad value in TForm"}));
    EXPECT_EQ(pings, 3);
    // The standard control's own procedure still does its work.
    ::SetWindowTextW(edit->WindowHandle(), L"still here");
    EXPECT_EQ(edit->Text(), "still here");
    EXPECT_TRUE(::IsWindow(form->WindowHandle()));
}

TEST_F(Dispatch, ReplacedWindowProcSeesMessagesAndTheRestoredOneWorks) {
    const auto original = form->WindowProc;
    std::vector<uint32_t> seen;
    form->WindowProc = [&](TMessage& m) {
        seen.push_back(m.Msg);
        original(m);
    };
    ::SendMessageW(form->WindowHandle(), kPing, 0, 0);
    ::SetWindowTextW(form->WindowHandle(), L"hooked");
    EXPECT_NE(std::find(seen.begin(), seen.end(), kPing), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), uint32_t(WM_SETTEXT)), seen.end());
    EXPECT_EQ(form->Caption(), "hooked");

    form->WindowProc = original;
    seen.clear();
    ::SendMessageW(form->WindowHandle(), kPing, 0, 0);
    ::SetWindowTextW(form->WindowHandle(), L"restored");
    EXPECT_TRUE(seen.empty());
    EXPECT_EQ(form->Caption(), "restored");
}

// A hook that takes itself out while handling a message, as a settings
// component does at WM_DESTROY, and still passes that message on.
struct SelfRemovingHook {
    TControl* target;
    std::function<void(TMessage&)> previous;
    std::vector<uint32_t> seen;

    void Install() {
        previous = target->WindowProc;
        target->WindowProc = [this](TMessage& m) { Handle(m); };
    }
    void Handle(TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == kUnhook) target->WindowProc = previous;
        previous(m);
    }
};

TEST_F(Dispatch, AHookMayRemoveItselfWhileHandlingAMessage) {
    std::vector<uint32_t> reachedForm;
    const auto original = form->WindowProc;
    form->WindowProc = [&](TMessage& m) {
        reachedForm.push_back(m.Msg);
        original(m);
    };
    SelfRemovingHook hook{form, {}, {}};
    hook.Install();
    ::SendMessageW(form->WindowHandle(), kUnhook, 0, 0);
    ::SendMessageW(form->WindowHandle(), kPing, 0, 0);
    EXPECT_EQ(hook.seen, std::vector<uint32_t>{kUnhook});
    EXPECT_EQ(reachedForm, (std::vector<uint32_t>{kUnhook, kPing}));
}

TEST_F(Dispatch, PerformGoesThroughTheReplaceableProcedure) {
    const auto original = edit->WindowProc;
    int seen = 0;
    edit->WindowProc = [&](TMessage& m) {
        if (m.Msg == WM_GETTEXTLENGTH) ++seen;
        original(m);
    };
    edit->SetTextValue("12345");
    EXPECT_EQ(edit->Perform(WM_GETTEXTLENGTH), 5);
    EXPECT_EQ(seen, 1);
    edit->WindowProc = original;
    EXPECT_EQ(edit->Perform(WM_GETTEXTLENGTH), 5);
    EXPECT_EQ(seen, 1);
}

TEST_F(Dispatch, StandardControlsGetTheControlsFont) {
    form->Font()->SetName("Courier New");
    form->Font()->SetHeight(-17);
    auto faceOf = [](HWND window) {
        LOGFONTW lf{};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window, WM_GETFONT, 0, 0)), sizeof lf, &lf);
        return std::make_pair(std::wstring(lf.lfFaceName), lf.lfHeight);
    };
    EXPECT_EQ(faceOf(edit->WindowHandle()), std::make_pair(std::wstring(L"Courier New"), LONG(-17)));
    // Its own font, once set, no longer follows the form.
    edit->Font()->SetName("Arial");
    form->Font()->SetName("Tahoma");
    EXPECT_FALSE(edit->ParentFont());
    EXPECT_EQ(faceOf(edit->WindowHandle()).first, L"Arial");
}

TEST_F(Dispatch, WindowsLeadBackToTheirControls) {
    EXPECT_EQ(TControl::FromHandle(form->WindowHandle()), form);
    EXPECT_EQ(TControl::FromHandle(edit->WindowHandle()), edit);
    EXPECT_EQ(TControl::FromHandle(Application->Handle()), nullptr);
    EXPECT_EQ(TControl::FromHandle(::GetDesktopWindow()), nullptr);
    HWND gone = edit->WindowHandle();
    edit->DestroyHandle();
    EXPECT_FALSE(::IsWindow(gone));
    EXPECT_FALSE(edit->HandleAllocated());
}

TEST_F(Dispatch, AStandardControlPaintsInItsOwnColours) {
    edit->SetColor(clYellow);
    edit->Font()->SetColor(clRed);
    TWindowDC dc(edit->WindowHandle());
    const auto brush = reinterpret_cast<HBRUSH>(
        ::SendMessageW(form->WindowHandle(), WM_CTLCOLOREDIT, WPARAM(dc.Get()), LPARAM(edit->WindowHandle())));
    LOGBRUSH lb{};
    ASSERT_NE(::GetObjectW(brush, sizeof lb, &lb), 0);
    EXPECT_EQ(lb.lbColor, COLORREF(0x00FFFF));
    EXPECT_EQ(::GetTextColor(dc.Get()), COLORREF(0x0000FF));
    // A window that is no control of ours gets the system's default answer.
    const auto other = ::SendMessageW(form->WindowHandle(), WM_CTLCOLOREDIT, WPARAM(dc.Get()), LPARAM(Application->Handle()));
    EXPECT_NE(reinterpret_cast<HBRUSH>(other), brush);
}

}  // namespace
