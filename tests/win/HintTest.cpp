// Hints become tooltips of their form while ShowHint is in effect.
#include <gtest/gtest.h>

#include "platform/win/Edit.h"
#include "platform/win/Panel.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kHintForm = R"(object HintForm: TForm
  Left = 30
  Top = 30
  Width = 300
  Height = 150
  object Panel1: TPanel
    Align = alTop
    Height = 28
    ShowHint = True
    object SizeEdit: TEdit
      Left = 76
      Top = 4
      Width = 41
      Height = 21
      Hint = 'Velikost písma'
    end
    object NoHint: TEdit
      Left = 150
      Top = 4
      Width = 41
      Height = 21
    end
  end
  object Outside: TEdit
    Left = 8
    Top = 50
    Hint = 'not shown'
  end
end
)";

// The form's tooltip control, found as the user's system sees it: an owned
// pop-up window of the tooltip class.
struct TooltipSearch {
    HWND owner;
    HWND found = nullptr;
};

BOOL CALLBACK FindTooltip(HWND w, LPARAM data) {
    auto* s = reinterpret_cast<TooltipSearch*>(data);
    wchar_t cls[64] = {};
    ::GetClassNameW(w, cls, 64);
    if (::GetWindow(w, GW_OWNER) == s->owner && lstrcmpiW(cls, TOOLTIPS_CLASSW) == 0) s->found = w;
    return TRUE;
}

HWND TooltipOf(HWND form) {
    TooltipSearch search{form};
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindTooltip, LPARAM(&search));
    return search.found;
}

// The tool's text for the control's window; empty when it has no tool.
std::wstring ToolText(HWND tip, HWND form, HWND control) {
    if (!tip) return {};
    TTTOOLINFOW ti{};
    ti.cbSize = sizeof ti;
    ti.hwnd = form;
    ti.uId = reinterpret_cast<UINT_PTR>(control);
    if (!::SendMessageW(tip, TTM_GETTOOLINFOW, 0, LPARAM(&ti))) return {};
    wchar_t buffer[256] = {};
    ti.lpszText = buffer;
    ::SendMessageW(tip, TTM_GETTEXTW, 256, LPARAM(&ti));
    return buffer;
}

TEST(HintTest, HintsInEffectAreToolsOfTheFormsTooltip) {
    TShownForm form{kHintForm};
    HWND f = form->WindowHandle();
    auto* size = form.Find<TEdit>("SizeEdit");
    auto* outside = form.Find<TEdit>("Outside");
    HWND tip = TooltipOf(f);
    ASSERT_NE(tip, nullptr);
    auto text = [&](TControl* c) { return ToolText(tip, f, c->WindowHandle()); };
    EXPECT_EQ(text(size), L"Velikost písma");
    EXPECT_EQ(text(form.Find<TEdit>("NoHint")), L"");
    EXPECT_EQ(text(outside), L"");
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 1);

    size->SetHint("Jiný text");
    EXPECT_EQ(text(size), L"Jiný text");
    outside->SetShowHint(true);
    EXPECT_EQ(text(outside), L"not shown");
    form.Find<TPanel>("Panel1")->SetShowHint(false);
    EXPECT_EQ(text(size), L"");
    size->SetParentShowHint(false);
    size->SetShowHint(true);
    EXPECT_EQ(text(size), L"Jiný text");
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 2);
}

}  // namespace
