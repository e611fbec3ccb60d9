// Modal forms: ShowModal runs until a result is set and OnClose lets the
// form go; meanwhile the thread's other windows take no input.
#include <gtest/gtest.h>

#include <cstdint>
#include <new>

#include "platform/core/Exceptions.h"
#include "platform/win/Button.h"
#include "platform/win/Form.h"
#include "tests/win/ControlTestUtil.h"
#include "tests/win/FailingAllocation.h"

namespace {

const char* const kDialog = R"(object Dialog: TForm
  Left = 40
  Top = 40
  Width = 200
  Height = 120
  BorderStyle = bsDialog
  Caption = 'Dialog'
  object OKBtn: TButton
    Left = 10
    Top = 10
    Caption = 'OK'
    ModalResult = 1
  end
  object PlainBtn: TButton
    Left = 100
    Top = 10
    Caption = 'Plain'
  end
end
)";

// A dialog owned by the application, as a program's dialogs are; never the
// main form.
TForm* NewDialog() {
    TForm* form = TComponent::Create<TForm>(Application);
    LoadFormFrom(*form, FormText(kDialog));
    return form;
}

TEST(ModalForm, AButtonsResultEndsItAndTheOtherWindowsTakeInputAgain) {
    TShownForm other{"object Other: TForm\n  Left = 300\n  Top = 40\n  Width = 200\n  Height = 100\nend\n"};
    TOwnedPtr<TForm> dialog(NewDialog());
    auto* ok = static_cast<TButton*>(dialog->FindComponent("OKBtn"));
    auto* plain = static_cast<TButton*>(dialog->FindComponent("PlainBtn"));
    int plainClicks = 0;
    plain->OnClick = [&](TObject*) { ++plainClicks; };
    bool otherEnabled = true, dialogEnabled = false;
    dialog->OnShow = [&](TObject*) {
        otherEnabled = ::IsWindowEnabled(other->WindowHandle());
        dialogEnabled = ::IsWindowEnabled(dialog->WindowHandle());
        // A button without a result does not end the form; one with it does.
        ::PostMessageW(plain->Handle(), BM_CLICK, 0, 0);
        ::PostMessageW(ok->Handle(), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(plainClicks, 1);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(dialogEnabled);
    EXPECT_TRUE(::IsWindowEnabled(other->WindowHandle()));
    // Hidden, not freed: its owner frees it.
    EXPECT_TRUE(dialog->HandleAllocated());
    EXPECT_FALSE(::IsWindowVisible(dialog->WindowHandle()));
    EXPECT_FALSE(dialog->Visible());
}

TEST(ModalForm, CloseEndsItWithCancelUnlessOnCloseKeepsItOpen) {
    TOwnedPtr<TForm> dialog(NewDialog());
    auto* ok = static_cast<TButton*>(dialog->FindComponent("OKBtn"));
    int closes = 0;
    dialog->OnClose = [&](TObject*, TCloseAction& action) {
        // The first close is refused: the form stays, and OK ends it later.
        if (++closes == 1) action = TCloseAction::caNone;
    };
    dialog->OnShow = [&](TObject*) {
        ::PostMessageW(dialog->WindowHandle(), WM_CLOSE, 0, 0);
        ::PostMessageW(ok->Handle(), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(closes, 2);

    closes = 1;  // from now on OnClose lets it go
    dialog->OnShow = [&](TObject*) { ::PostMessageW(dialog->WindowHandle(), WM_SYSCOMMAND, SC_CLOSE, 0); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(closes, 2);
    // Shown again, it starts without a result.
    dialog->OnShow = [&](TObject*) { ::PostMessageW(ok->Handle(), BM_CLICK, 0, 0); };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
}

TEST(ModalForm, AVisibleFormCannotBeMadeModal) {
    TShownForm shown{kDialog};
    EXPECT_THROW(shown->ShowModal(), Exception);
    EXPECT_TRUE(::IsWindowVisible(shown->WindowHandle()));
}

// The blocks in use in the process heap, where the system keeps its own
// temporary lists.
size_t BusyHeapBlocks() {
    HANDLE heap = ::GetProcessHeap();
    ::HeapLock(heap);
    PROCESS_HEAP_ENTRY entry{};
    size_t count = 0;
    while (::HeapWalk(heap, &entry))
        if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++count;
    ::HeapUnlock(heap);
    return count;
}

// The other windows are collected inside a Win32 callback; an allocation
// failing there comes out of ShowModal after the system's frames have
// returned, and leaves nothing disabled.
TEST(ModalForm, AnAllocationFailingWhileTheOtherWindowsAreCollectedComesOutOfShowModal) {
    TShownForm other{"object Other: TForm\n  Left = 300\n  Top = 40\n  Width = 200\n  Height = 100\nend\n"};
    TOwnedPtr<TForm> dialog(NewDialog());
    dialog->Handle();  // made now, so that the collection allocates first
    const size_t before = BusyHeapBlocks();
    for (int i = 0; i < 20; ++i) {
        FailNextAllocation();
        EXPECT_THROW(dialog->ShowModal(), std::bad_alloc);
        EXPECT_FALSE(AllocationFailurePending());
    }
    // Had it left through EnumThreadWindows, the system would not have freed
    // its list of the windows: one heap block more every time.
    EXPECT_LT(int64_t(BusyHeapBlocks()) - int64_t(before), 10);
    EXPECT_TRUE(::IsWindowEnabled(other->WindowHandle()));
    EXPECT_FALSE(::IsWindowVisible(dialog->WindowHandle()));

    // Nothing of it stays behind: the form is modal again as usual.
    auto* ok = static_cast<TButton*>(dialog->FindComponent("OKBtn"));
    bool otherEnabled = true;
    dialog->OnShow = [&](TObject*) {
        otherEnabled = ::IsWindowEnabled(other->WindowHandle());
        ::PostMessageW(ok->Handle(), BM_CLICK, 0, 0);
    };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_FALSE(otherEnabled);
    EXPECT_TRUE(::IsWindowEnabled(other->WindowHandle()));
}

}  // namespace
