// Menus: item trees from form files and from code, the popup menu chosen by
// the keyboard (and the mouse) while it is open, and a form's menu bar that
// follows its items.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/core/Filer.h"
#include "platform/win/Menus.h"
#include "tests/win/ControlTestUtil.h"

namespace {

const char* const kMenuForm = R"(object MenuForm: TForm
  Left = 100
  Top = 100
  Width = 300
  Height = 200
  object PrintPopup: TPopupMenu
    object FontListItem: TMenuItem
      Caption = '&Seznam fontů'
    end
    object TestTextItem: TMenuItem
      Caption = '&Testovací text'
    end
    object Line: TMenuItem
      Caption = '-'
    end
    object CharmapItem: TMenuItem
      Caption = '&Mapa znaků'
      object Nested: TMenuItem
        Caption = 'Nested'
        Tag = 7
      end
    end
  end
end
)";

// Waits on another thread until a popup menu window is shown, notes where,
// and then posts what the user would type to the GUI thread, whose menu
// loop is the one that reads it. Without a menu in 5 s it gives up and
// presses Esc, so that a test cannot hang.
class TMenuDriver {
public:
    struct Input {
        UINT msg;
        WPARAM wParam;
    };
    // An Input that clicks the right button wParam pixels below the top of
    // the menu's first item.
    static constexpr UINT kRightClick = WM_APP;

    TMenuDriver(HWND target, std::vector<Input> input) : thread_([this, target, input] { Run(target, input); }) {}
    ~TMenuDriver() { thread_.join(); }

    RECT MenuRect() const { return rect_; }
    bool Seen() const { return seen_; }

private:
    void Run(HWND target, const std::vector<Input>& input) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        HWND menu = nullptr;
        while (std::chrono::steady_clock::now() < deadline) {
            menu = ::FindWindowW(L"#32768", nullptr);
            if (menu && ::IsWindowVisible(menu)) break;
            menu = nullptr;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        if (!menu) {
            ::PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
            return;
        }
        ::GetWindowRect(menu, &rect_);
        seen_ = true;
        for (const Input& i : input) {
            if (i.msg == kRightClick)
                RightClick(rect_.left + 20, rect_.top + 4 + int(i.wParam));
            else
                ::PostMessageW(target, i.msg, i.wParam, 1);
        }
        // A menu that the input did not close is closed, so that the test
        // fails instead of hanging.
        const auto closeBy = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        while (::IsWindowVisible(menu) && std::chrono::steady_clock::now() < closeBy)
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        if (::IsWindowVisible(menu)) ::PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0);
    }

    // The right button pressed and released at a screen point, as the
    // hardware gives it.
    static void RightClick(int x, int y) {
        ::SetCursorPos(x, y);
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        INPUT in[2] = {};
        in[0].type = in[1].type = INPUT_MOUSE;
        in[0].mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
        in[1].mi.dwFlags = MOUSEEVENTF_RIGHTUP;
        ::SendInput(1, &in[0], sizeof(INPUT));
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        ::SendInput(1, &in[1], sizeof(INPUT));
        ::SetCursorPos(0, 1000);  // out of the way of later tests
    }

    RECT rect_{};
    std::atomic<bool> seen_{false};
    std::thread thread_;
};

TMenuDriver::Input Key(WPARAM vk) { return {WM_KEYDOWN, vk}; }
TMenuDriver::Input Char(wchar_t c) { return {WM_CHAR, WPARAM(c)}; }

class MenuTest : public testing::Test {
protected:
    MenuTest() {
        for (const char* name : {"FontListItem", "TestTextItem", "CharmapItem", "Nested"})
            Item(name)->OnClick = [this](TObject* sender) {
                chosen.push_back(static_cast<TMenuItem*>(sender)->Name());
            };
    }

    TMenuItem* Item(const char* name) const { return form.Find<TMenuItem>(name); }

    // Opens the menu at the point while `input` arrives; what ran by the
    // time Popup returned.
    std::vector<std::string> PopupWith(std::vector<TMenuDriver::Input> input, int x = 300, int y = 250) {
        chosen.clear();
        TMenuDriver driver(form->WindowHandle(), std::move(input));
        popup->Popup(x, y);
        const std::vector<std::string> ran = chosen;
        menuRect = driver.MenuRect();
        return ran;
    }

    TShownForm form{kMenuForm};
    TPopupMenu* popup = form.Find<TPopupMenu>("PrintPopup");
    std::vector<std::string> chosen;
    RECT menuRect{};
};

TEST_F(MenuTest, FormFilesNestItemsUnderTheirMenu) {
    TMenuItem* root = popup->Items();
    ASSERT_EQ(root->Count(), 4);
    EXPECT_EQ(root->Items(0), Item("FontListItem"));
    EXPECT_EQ(root->Items(3), Item("CharmapItem"));
    EXPECT_TRUE(root->Items(2)->IsLine());
    EXPECT_EQ(Item("FontListItem")->Caption(), "&Seznam fontů");
    EXPECT_EQ(Item("TestTextItem")->MenuIndex(), 1);
    EXPECT_EQ(Item("TestTextItem")->GetParentComponent(), popup);
    EXPECT_EQ(Item("Nested")->Parent(), Item("CharmapItem"));
    EXPECT_EQ(Item("Nested")->GetParentComponent(), Item("CharmapItem"));
    EXPECT_EQ(Item("Nested")->Tag(), 7);
    EXPECT_EQ(Item("Nested")->GetParentMenu(), popup);
    EXPECT_EQ(Item("Nested")->Owner(), form.Get());
    // Written back, the items nest as they were read.
    TMemoryStream stream;
    TWriter(stream).WriteRootComponent(*form.Get());
    const std::string text = ObjectBinaryToText(stream.Bytes());
    EXPECT_NE(text.find("  object PrintPopup: TPopupMenu\n    object FontListItem: TMenuItem\n"), std::string::npos)
        << text;
    EXPECT_NE(text.find("      object Nested: TMenuItem\n        Tag = 7\n        Caption = 'Nested'\n      end\n"),
              std::string::npos)
        << text;
}

TEST_F(MenuTest, TheKeyboardChoosesAnItemWhichRunsBeforePopupReturns) {
    const struct {
        const char* what;
        std::vector<TMenuDriver::Input> input;
        std::vector<std::string> ran;
    } cases[] = {
        {"first", {Key(VK_DOWN), Key(VK_RETURN)}, {"FontListItem"}},
        {"second", {Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN)}, {"TestTextItem"}},
        {"past the line, into the submenu", {Key(VK_UP), Key(VK_RIGHT), Key(VK_RETURN)}, {"Nested"}},
        {"access key", {Char(L't')}, {"TestTextItem"}},
        {"escape", {Key(VK_ESCAPE)}, {}},
    };
    for (const auto& c : cases) EXPECT_EQ(PopupWith(c.input), c.ran) << c.what;
}

TEST_F(MenuTest, TheRightButtonChoosesToo) {
    EXPECT_EQ(PopupWith({{TMenuDriver::kRightClick, 6}}), std::vector<std::string>{"FontListItem"});
}

TEST_F(MenuTest, TheMenuOpensWithItsTopLeftCornerAtThePoint) {
    for (const POINT at : {POINT{300, 250}, POINT{123, 321}}) {
        PopupWith({Key(VK_ESCAPE)}, at.x, at.y);
        EXPECT_EQ(menuRect.left, at.x);
        EXPECT_EQ(menuRect.top, at.y);
    }
}

TEST_F(MenuTest, OnPopupMayChangeTheItemsFirst) {
    popup->OnPopup = [this](TObject*) { Item("FontListItem")->SetVisible(false); };
    EXPECT_EQ(PopupWith({Key(VK_DOWN), Key(VK_RETURN)}), std::vector<std::string>{"TestTextItem"});
}

TEST_F(MenuTest, DisabledItemsDoNotRun) {
    Item("FontListItem")->SetEnabled(false);
    Item("FontListItem")->Click();
    EXPECT_TRUE(chosen.empty());
    EXPECT_FALSE(popup->DispatchCommand(0));
    EXPECT_TRUE(popup->DispatchCommand(Item("TestTextItem")->Command()));
    EXPECT_EQ(chosen, std::vector<std::string>{"TestTextItem"});
}

TEST(MenuItems, ItemsMadeAtRunTimeGoWhereTheyAreInsertedAndLeaveWhenFreed) {
    TOwnedPtr<TPopupMenu> menu(TComponent::Create<TPopupMenu>(nullptr));
    TMenuItem* root = menu->Items();
    auto make = [&](const char* caption, int tag) {
        TMenuItem* item = TComponent::Create<TMenuItem>(menu.get());
        item->SetCaption(caption);
        item->SetTag(tag);
        return item;
    };
    TMenuItem* a = make("&1 a.txt", 1);
    TMenuItem* b = make("&2 b.txt", 2);
    TMenuItem* c = make("&3 c.txt", 3);
    root->Add(a);
    root->Add(c);
    root->Insert(1, b);
    EXPECT_EQ(root->IndexOf(b), 1);
    EXPECT_EQ(c->MenuIndex(), 2);
    EXPECT_EQ(b->Parent(), root);
    EXPECT_THROW(root->Add(b), EMenuError);     // already in a menu
    EXPECT_THROW(root->Insert(9, make("x", 0)), EListError);
    EXPECT_THROW(a->Add(root), EMenuError);     // inside itself
    EXPECT_NE(a->Command(), b->Command());
    EXPECT_EQ(TMenuItem::FromCommand(b->Command()), b);
    const int freedCommand = b->Command();
    TComponent::Free(b);
    EXPECT_EQ(root->Count(), 2);
    EXPECT_EQ(root->IndexOf(c), 1);
    EXPECT_EQ(TMenuItem::FromCommand(freedCommand), nullptr);
    root->Remove(a);
    EXPECT_EQ(a->Parent(), nullptr);
    EXPECT_EQ(root->IndexOf(a), -1);
    EXPECT_THROW(root->Remove(a), EMenuError);
    // An item takes its own items with it.
    c->Add(a);
    TComponent::Free(c);
    EXPECT_EQ(root->Count(), 0);
    EXPECT_EQ(menu->FindComponent(""), nullptr);
    EXPECT_EQ(menu->ComponentCount(), 1);  // the stray "x" only
}

std::wstring MenuText(HMENU menu, int index) {
    wchar_t buffer[128] = {};
    ::GetMenuStringW(menu, UINT(index), buffer, 128, MF_BYPOSITION);
    return buffer;
}

TEST(MainMenu, AFormShowsItsMenuBarAndRunsTheChosenItems) {
    TForm* form = Application->CreateFormFrom<TForm>(FormText("object BarForm: TForm\n  Width = 300\n  Height = 200\nend\n"));
    TMainMenu* menu = TComponent::Create<TMainMenu>(form);
    TMenuItem* file = TComponent::Create<TMenuItem>(form);
    file->SetCaption("&Soubor");
    menu->Items()->Add(file);
    std::vector<int> ran;
    auto add = [&](int index, const std::string& caption, int tag) {
        TMenuItem* item = TComponent::Create<TMenuItem>(form);
        item->SetCaption(caption);
        item->SetTag(tag);
        item->OnClick = [&ran](TObject* sender) { ran.push_back(static_cast<TMenuItem*>(sender)->Tag()); };
        file->Insert(index, item);
        return item;
    };
    TMenuItem* exit = add(0, "&Konec", 99);
    menu->Attach(form);  // before the window exists
    form->Show();
    Pump();
    HMENU bar = ::GetMenu(form->WindowHandle());
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(::GetMenuItemCount(bar), 1);
    EXPECT_EQ(MenuText(bar, 0), L"&Soubor");
    // Recently used files go in above the last item, as they come.
    TMenuItem* first = add(0, "&1 a.txt", 1);
    add(1, "&2 b.txt", 2);
    HMENU sub = ::GetSubMenu(::GetMenu(form->WindowHandle()), 0);
    ASSERT_EQ(::GetMenuItemCount(sub), 3);
    EXPECT_EQ(MenuText(sub, 0), L"&1 a.txt");
    EXPECT_EQ(MenuText(sub, 1), L"&2 b.txt");
    EXPECT_EQ(MenuText(sub, 2), L"&Konec");
    ::PostMessageW(form->WindowHandle(), WM_COMMAND, MAKEWPARAM(first->Command(), 0), 0);
    ::PostMessageW(form->WindowHandle(), WM_COMMAND, MAKEWPARAM(exit->Command(), 0), 0);
    Pump();
    EXPECT_EQ(ran, (std::vector<int>{1, 99}));
    first->SetEnabled(false);
    sub = ::GetSubMenu(::GetMenu(form->WindowHandle()), 0);
    EXPECT_TRUE(::GetMenuState(sub, 0, MF_BYPOSITION) & MF_GRAYED);
    TComponent::Free(first);
    sub = ::GetSubMenu(::GetMenu(form->WindowHandle()), 0);
    EXPECT_EQ(::GetMenuItemCount(sub), 2);
    // The menu goes with the form without leaving anything behind.
    TComponent::Free(form);
}

TEST(MainMenu, AMenuOutlivingItsFormLetsGo) {
    TOwnedPtr<TMainMenu> menu(TComponent::Create<TMainMenu>(nullptr));
    TMenuItem* item = TComponent::Create<TMenuItem>(menu.get());
    item->SetCaption("&Help");
    menu->Items()->Add(item);
    TForm* form = Application->CreateFormFrom<TForm>(FormText("object LoneForm: TForm\n  Width = 200\n  Height = 150\nend\n"));
    form->Show();
    menu->Attach(form);
    Pump();
    EXPECT_NE(::GetMenu(form->WindowHandle()), nullptr);
    EXPECT_EQ(menu->Form(), form);
    TComponent::Free(form);
    EXPECT_EQ(menu->Form(), nullptr);
    EXPECT_EQ(menu->Handle(), nullptr);
    item->SetCaption("&Nápověda");  // nothing to show it on, nothing breaks
}

}  // namespace
