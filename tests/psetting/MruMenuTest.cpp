// The recently used files in real menus on a shown form, with the real
// registry and real files: a stored list longer than the length, where the
// entries and separators go in both placements, files that vanish, clicks,
// the properties' effect on the menu, and the menu item going away.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/psetting/MruFixture.h"

using namespace formtest;
using namespace mrutest;

namespace {

using Strings = std::vector<std::string>;

void CloseByUser(TForm* form) {
    ::PostMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
    Pump();
}

TMenuItem* Bar(TForm* form) { return static_cast<TMainMenu*>(form->FindComponent("MainMenu1"))->Items(); }

int OwnedMenuItems(const TPFormSettings* s) {
    int n = 0;
    for (int i = 0; i < s->ComponentCount(); ++i) n += s->Components(i)->Is<TMenuItem>() ? 1 : 0;
    return n;
}

}  // namespace

TEST_F(FormSettingsTest, NineOfTwelveStoredEntriesAreShownAndTheNextSaveKeepsNine) {
    TTempFiles files;
    Strings names;
    for (int i = 1; i <= 12; ++i) names.push_back(files.Make("file" + std::to_string(i) + ".txt"));
    regtest::RawSet(FormKey(), "MRUList", REG_BINARY, ListValue(names).bytes);

    TForm* form = Load(Props(MenuText(), "    MRUMenuItem = RecentMenu\n    MRULength = 9\n"));
    form->Show();
    Pump();
    TPFormSettings* s = Settings(form);
    EXPECT_EQ(s->MRUCount(), 12);  // the restore takes what is stored; the save cuts
    Strings expected;
    for (int i = 0; i < 9; ++i) expected.push_back("&" + std::to_string(i + 1) + " " + names[size_t(i)] + " [entry]");
    EXPECT_EQ(Described(Item(form, "RecentMenu")), expected);
    EXPECT_EQ(mrutest::Shown(form, 1), Captions(Item(form, "RecentMenu")));

    CloseByUser(form);
    EXPECT_EQ(s->MRUCount(), 9);
    EXPECT_EQ(Stored("MRUList"), ListValue(Strings(names.begin(), names.begin() + 9)));
}

TEST_F(FormSettingsTest, EntriesAndSeparatorsGoWhereThePlacementPutsThem) {
    const std::string withLine =
        "      object OpenItem: TMenuItem\n        Caption = '&Open'\n      end\n"
        "      object Line1: TMenuItem\n        Caption = '-'\n      end\n"
        "      object ExitItem: TMenuItem\n        Caption = 'E&xit'\n      end\n";
    struct Case {
        const char* what;
        std::string fileItems;  // the File menu's items, default when empty
        const char* settings;
        const char* container;
        int barIndex;      // the container's place in the menu bar
        Strings two;       // after b.txt, then a.txt were used
        Strings three;     // after c.txt was used too
    } cases[] = {
        {"before an item with one above it", "", "    MRUMenuItem = ExitItem\n    MRUPlacement = pmpBefore\n",
         "FileMenu", 0,
         {"&Open", "- [sep]", "&1 a.txt [entry]", "&2 b.txt [entry]", "- [sep]", "E&xit"},
         {"&Open", "- [sep]", "&1 c.txt [entry]", "&2 a.txt [entry]", "&3 b.txt [entry]", "- [sep]", "E&xit"}},
        {"before the first item", "", "    MRUMenuItem = OpenItem\n    MRUPlacement = pmpBefore\n", "FileMenu", 0,
         {"&1 a.txt [entry]", "&2 b.txt [entry]", "- [sep]", "&Open", "E&xit"},
         {"&1 c.txt [entry]", "&2 a.txt [entry]", "&3 b.txt [entry]", "- [sep]", "&Open", "E&xit"}},
        {"before an item below a separator", withLine, "    MRUMenuItem = ExitItem\n    MRUPlacement = pmpBefore\n",
         "FileMenu", 0,
         {"&Open", "-", "&1 a.txt [entry]", "&2 b.txt [entry]", "- [sep]", "E&xit"},
         {"&Open", "-", "&1 c.txt [entry]", "&2 a.txt [entry]", "&3 b.txt [entry]", "- [sep]", "E&xit"}},
        {"into an empty submenu", "", "    MRUMenuItem = RecentMenu\n", "RecentMenu", 1,
         {"&1 a.txt [entry]", "&2 b.txt [entry]"},
         {"&1 c.txt [entry]", "&2 a.txt [entry]", "&3 b.txt [entry]"}},
        {"into a submenu with items", "", "    MRUMenuItem = FileMenu\n", "FileMenu", 0,
         {"&Open", "E&xit", "- [sep]", "&1 a.txt [entry]", "&2 b.txt [entry]"},
         {"&Open", "E&xit", "- [sep]", "&1 c.txt [entry]", "&2 a.txt [entry]", "&3 b.txt [entry]"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TTempFiles files;
        TForm* form = Load(Props(MenuText(c.fileItems), std::string(c.settings) + "    MRUDisplay = pmdFileOnly\n"));
        form->Show();
        Pump();
        TPFormSettings* s = Settings(form);
        TMenuItem* container = Item(form, c.container);
        const Strings before = Described(container);

        s->AddMRUFile(files.Make("b.txt"));
        s->AddMRUFile(files.Make("a.txt"));
        EXPECT_EQ(Described(container), c.two);
        s->AddMRUFile(files.Make("c.txt"));
        EXPECT_EQ(Described(container), c.three);
        EXPECT_EQ(mrutest::Shown(form, c.barIndex), Captions(container));

        s->ClearMRUMenu();
        EXPECT_EQ(Described(container), before);
        Free(form);
        // The next round starts without what this one stored.
        ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key.Path()).c_str());
    }
}

TEST_F(FormSettingsTest, ADeletedFileLeavesTheListAndTheMenuAtTheNextUpdate) {
    for (const bool validate : {true, false}) {
        SCOPED_TRACE(validate ? "validating" : "not validating");
        TTempFiles files;
        TForm* form = Load(Props(MenuText(), std::string("    MRUMenuItem = RecentMenu\n    MRUDisplay = pmdFileOnly\n") +
                                                 (validate ? "" : "    MRUValidate = False\n")));
        form->Show();
        Pump();
        TPFormSettings* s = Settings(form);
        for (const char* name : {"c.txt", "b.txt", "a.txt"}) s->AddMRUFile(files.Make(name));
        files.Remove("b.txt");
        // A change that updates the menu without clearing it first.
        s->SetMRUMaxItemWidth(250);
        if (validate) {
            EXPECT_EQ(s->MRUList().Text(), files.Path("a.txt") + "\r\n" + files.Path("c.txt") + "\r\n");
            EXPECT_EQ(Described(Item(form, "RecentMenu")), (Strings{"&1 a.txt [entry]", "&2 c.txt [entry]"}));
        } else {
            EXPECT_EQ(s->MRUCount(), 3);
            EXPECT_EQ(Described(Item(form, "RecentMenu")),
                      (Strings{"&1 a.txt [entry]", "&2 b.txt [entry]", "&3 c.txt [entry]"}));
        }
        EXPECT_EQ(mrutest::Shown(form, 1), Captions(Item(form, "RecentMenu")));
        Free(form);
        // The next round starts without what this one stored.
        ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key.Path()).c_str());
    }
}

TEST_F(FormSettingsTest, ChoosingAnEntryReportsItsFileAndItsNumber) {
    TTempFiles files;
    TForm* form = Load(Props(MenuText(), "    MRUMenuItem = ExitItem\n    MRUPlacement = pmpBefore\n"));
    form->Show();
    Pump();
    TPFormSettings* s = Settings(form);
    for (const char* name : {"b.txt", "a.txt"}) s->AddMRUFile(files.Make(name));

    struct Call {
        TObject* sender;
        TMenuItem* item;
        std::string file;
        int index;
    };
    std::vector<Call> calls;
    s->OnMRUClick = [&calls](TObject* sender, TMenuItem* item, const std::string& file, int index) {
        calls.push_back({sender, item, file, index});
    };
    TMenuItem* file = Item(form, "FileMenu");
    TMenuItem* second = file->Items(3);  // Open, separator, &1, &2
    ASSERT_EQ(second->Caption(), "&2 " + files.Path("b.txt"));
    // As the menu bar reports a choice.
    ::SendMessageW(form->WindowHandle(), WM_COMMAND, WPARAM(second->Command()), 0);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].sender, s);
    EXPECT_EQ(calls[0].item, second);
    EXPECT_EQ(calls[0].file, files.Path("b.txt"));
    EXPECT_EQ(calls[0].index, 2);

    // An entry item taken out of the menu is no entry any more.
    TMenuItem* first = file->Items(2);
    file->Remove(first);
    s->MRUItemClick(first);
    EXPECT_EQ(calls.size(), 1u);
    TComponent::Free(first);

    s->OnMRUClick = nullptr;
    file->Items(2)->Click();  // nothing to tell
    EXPECT_EQ(calls.size(), 1u);
}

TEST_F(FormSettingsTest, ThePropertiesRebuildTheMenuOnlyWhenTheyChange) {
    TTempFiles files;
    TForm* form = Load(Props(MenuText(), "    MRUMenuItem = RecentMenu\n    MRUDisplay = pmdFileOnly\n"));
    form->Show();
    Pump();
    TPFormSettings* s = Settings(form);
    for (const char* name : {"d.txt", "c.txt", "b.txt", "a.txt"}) s->AddMRUFile(files.Make(name));
    TMenuItem* recent = Item(form, "RecentMenu");
    ASSERT_EQ(recent->Count(), 4);
    const TMenuItem* firstEntry = recent->Items(0);

    // Equal values and refused ones leave the very same items.
    s->SetMRUMenuItem(recent);
    s->SetMRUPlacement(pmpDescending);
    s->SetMRUValidate(true);
    s->SetMRULength(4);
    s->SetMRULength(10);
    s->SetMRULength(-1);
    s->SetMRUMaxItemWidth(99);
    EXPECT_EQ(recent->Items(0), firstEntry);
    EXPECT_EQ(recent->Count(), 4);

    s->SetMRULength(2);
    EXPECT_EQ(Described(recent), (Strings{"&1 a.txt [entry]", "&2 b.txt [entry]"}));
    EXPECT_EQ(mrutest::Shown(form, 1), Captions(recent));

    s->SetMRUDisplay(pmdFullPath);
    EXPECT_EQ(recent->Items(0)->Caption(), "&1 " + files.Path("a.txt"));

    // Another place: the old one is left as it was.
    s->SetMRUPlacement(pmpBefore);
    EXPECT_EQ(recent->Count(), 0);
    EXPECT_EQ(Described(Bar(form)),
              (Strings{"&File", "- [sep]", "&1 " + files.Path("a.txt") + " [entry]",
                       "&2 " + files.Path("b.txt") + " [entry]", "- [sep]", "&Recent"}));
    s->SetMRUMenuItem(Item(form, "ExitItem"));
    EXPECT_EQ(Captions(Bar(form)),
              (Strings{"&File", "&Recent"}));
    EXPECT_EQ(Captions(Item(form, "FileMenu")),
              (Strings{"&Open", "-", "&1 " + files.Path("a.txt"), "&2 " + files.Path("b.txt"), "-", "E&xit"}));
}

TEST_F(FormSettingsTest, AFreedMenuItemTakesTheEntriesWithItAndIsForgotten) {
    for (const bool before : {true, false}) {
        SCOPED_TRACE(before ? "before the item" : "in its submenu");
        TTempFiles files;
        TForm* form = Load(Props(MenuText(), before ? "    MRUMenuItem = ExitItem\n    MRUPlacement = pmpBefore\n"
                                                    : "    MRUMenuItem = RecentMenu\n"));
        form->Show();
        Pump();
        TPFormSettings* s = Settings(form);
        for (const char* name : {"b.txt", "a.txt"}) s->AddMRUFile(files.Make(name));
        TMenuItem* item = Item(form, before ? "ExitItem" : "RecentMenu");
        ASSERT_EQ(OwnedMenuItems(s), before ? 4 : 2);

        TComponent::Free(item);
        EXPECT_EQ(s->MRUMenuItem(), nullptr);
        EXPECT_EQ(OwnedMenuItems(s), 0);
        EXPECT_EQ(Captions(Item(form, "FileMenu")), (before ? Strings{"&Open"} : Strings{"&Open", "E&xit"}));
        // The list lives on and the menu can be set again.
        EXPECT_EQ(s->MRUCount(), 2);
        s->SetMRUPlacement(pmpDescending);
        s->SetMRUMenuItem(Item(form, "FileMenu"));
        EXPECT_EQ(Item(form, "FileMenu")->Count(), (before ? 1 : 2) + 3);
        Free(form);
        // The next round starts without what this one stored.
        ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key.Path()).c_str());
    }
}
