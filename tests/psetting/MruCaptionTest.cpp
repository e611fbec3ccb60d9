// What the entries of the recently used files list show: the file part, the
// whole name, or the name shortened by the system to the item width with
// the form's font; and a file used again coming to the top, told to the
// shell.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <shlobj.h>

#include "tests/psetting/MruFixture.h"

using namespace formtest;
using namespace mrutest;

namespace {

// The width of a text in the form's font, as DrawText measures it.
int TextWidth(TForm* form, const std::string& text) {
    HDC dc = ::GetDC(form->WindowHandle());
    HGDIOBJ old = ::SelectObject(dc, form->Font()->Handle());
    const std::wstring w = Wide(text);
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc, w.c_str(), int(w.size()), &r, DT_SINGLELINE | DT_CALCRECT);
    ::SelectObject(dc, old);
    ::ReleaseDC(form->WindowHandle(), dc);
    return r.right - r.left;
}

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

TEST_F(FormSettingsTest, TheFileOnlyCaptionIsThePartAfterTheLastBackslashOrColon) {
    TForm* form = Load(Props(MenuText(), "    MRUMenuItem = RecentMenu\n    MRUDisplay = pmdFileOnly\n"
                                         "    MRUValidate = False\n"));
    TPFormSettings* s = Settings(form);
    const struct {
        const char* name;
        const char* fileOnly;
    } cases[] = {
        {"C:\\Docs\\a.txt", "a.txt"}, {"C:a.txt", "a.txt"},  {"a.txt", "a.txt"},
        {"C:\\Docs\\", ""},           {"\\\\server\\share\\b.doc", "b.doc"},
    };
    for (const auto& c : cases) EXPECT_EQ(s->GetMRUCaption(c.name), c.fileOnly) << c.name;
    s->SetMRUDisplay(pmdFullPath);
    for (const auto& c : cases) EXPECT_EQ(s->GetMRUCaption(c.name), c.name);

    // In the menu, numbered: the number is the item's access key.
    s->SetMRUDisplay(pmdFileOnly);
    form->Show();
    Pump();
    s->MRUList().Add("C:\\Docs\\a.txt");
    s->UpdateMRUMenu();
    EXPECT_EQ(Captions(Item(form, "RecentMenu")), (std::vector<std::string>{"&1 a.txt"}));
    EXPECT_EQ(mrutest::Shown(form, 1), (std::vector<std::string>{"&1 a.txt"}));
}

TEST_F(FormSettingsTest, TheAbbreviatedCaptionFitsTheItemWidthInTheFormsFont) {
    TForm* form = Load(Props(MenuText(), "    MRUDisplay = pmdAbbPath\n    MRUMaxItemWidth = 100\n"));
    form->Show();
    Pump();
    TPFormSettings* s = Settings(form);
    const std::string shortName = "C:\\a.txt";
    const std::string longName = "C:\\Documents and Settings\\Somebody\\Projects\\Glyphora\\Samples\\letter.txt";
    std::string veryLong = "C:";
    for (int i = 0; veryLong.size() < 300; ++i) veryLong += "\\folder" + std::to_string(i);
    veryLong += "\\end.txt";

    EXPECT_EQ(s->GetMRUCaption(shortName), shortName);
    const std::string narrow = s->GetMRUCaption(longName);
    EXPECT_NE(narrow.find("..."), std::string::npos) << narrow;
    EXPECT_TRUE(EndsWith(narrow, "\\letter.txt")) << narrow;
    EXPECT_LE(TextWidth(form, narrow), 100) << narrow;
    EXPECT_LT(narrow.size(), longName.size());

    s->SetMRUMaxItemWidth(300);
    const std::string wide = s->GetMRUCaption(longName);
    EXPECT_GT(wide.size(), narrow.size()) << wide;
    EXPECT_LE(TextWidth(form, wide), 300) << wide;

    // Only the first 255 characters are shortened, and the ellipsis has room.
    const std::string cut = s->GetMRUCaption(veryLong);
    EXPECT_NE(cut.find("..."), std::string::npos) << cut;
    EXPECT_LE(TextWidth(form, cut), 300) << cut;
    EXPECT_EQ(cut.find("end.txt"), std::string::npos) << cut;

    // Measured with the form's font: a larger one leaves fewer characters.
    form->Font()->SetSize(form->Font()->Size() * 3);
    const std::string large = s->GetMRUCaption(longName);
    EXPECT_LT(large.size(), wide.size()) << large;
}

TEST_F(FormSettingsTest, AFileUsedAgainMovesToTheTopAndTheShellHearsOfIt) {
    TTempFiles files;
    TForm* form = Load(Props(MenuText(), "    MRUMenuItem = RecentMenu\n    MRULength = 3\n"));
    TPFormSettings* s = Settings(form);
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) s->AddMRUFile(files.Make(name));
    EXPECT_EQ(s->MRUList().Text(), files.Path("c.txt") + "\r\n" + files.Path("b.txt") + "\r\n" + files.Path("a.txt") + "\r\n");

    // The same file under another case is the same file.
    std::string again = files.Path("A.TXT");
    s->AddMRUFile(again);
    EXPECT_EQ(s->MRUList().Text(), again + "\r\n" + files.Path("c.txt") + "\r\n" + files.Path("b.txt") + "\r\n");
    s->AddMRUFile(files.Make("d.txt"));
    EXPECT_EQ(s->MRUCount(), 3);
    EXPECT_EQ(s->MRUList().Get(0), files.Path("d.txt"));

    wchar_t recent[MAX_PATH] = {};
    ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_RECENT, nullptr, 0, recent), S_OK);
    const auto announced = [&recent](const char* name) {
        return ::GetFileAttributesW((std::wstring(recent) + L"\\" + Wide(name) + L".lnk").c_str()) !=
               INVALID_FILE_ATTRIBUTES;
    };
    EXPECT_TRUE(announced("d.txt"));
    s->AddToRecentDocs = false;
    s->AddMRUFile(files.Make("e.txt"));
    EXPECT_FALSE(announced("e.txt"));
}
