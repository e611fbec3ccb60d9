// A form's Menu property: the menu bar named in the form file is shown on
// the window, another one or none replaces it, and a freed menu is let go.
#include <gtest/gtest.h>

#include "platform/win/Menus.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kBarForm = R"(object BarForm: TForm
  Width = 300
  Height = 200
  Menu = MainMenu1
  object MainMenu1: TMainMenu
    object FileItem: TMenuItem
      Caption = '&Soubor'
    end
  end
  object MainMenu2: TMainMenu
    object HelpItem: TMenuItem
      Caption = '&Nápověda'
    end
  end
end
)";

std::wstring FirstText(HWND window) {
    HMENU bar = ::GetMenu(window);
    if (!bar) return L"(none)";
    wchar_t text[64] = {};
    ::GetMenuStringW(bar, 0, text, 64, MF_BYPOSITION);
    return text;
}

TEST(FormMenu, TheNamedMenuIsShownReplacedAndLetGo) {
    TShownForm form(kBarForm);
    auto* one = form.Find<TMainMenu>("MainMenu1");
    auto* two = form.Find<TMainMenu>("MainMenu2");
    HWND window = form->WindowHandle();
    EXPECT_EQ(form->Menu(), one);
    EXPECT_EQ(one->Form(), form.Get());
    EXPECT_EQ(FirstText(window), L"&Soubor");

    form->SetMenu(two);
    EXPECT_EQ(one->Form(), nullptr);
    EXPECT_EQ(FirstText(window), L"&Nápověda");

    form->SetMenu(nullptr);
    EXPECT_EQ(two->Form(), nullptr);
    EXPECT_EQ(FirstText(window), L"(none)");

    form->SetMenu(two);
    TComponent::Free(two);
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(FirstText(window), L"(none)");
}

}  // namespace
