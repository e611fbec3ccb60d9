// The real program started on a screen of 144 and 192 pixels per inch: the
// main window, its controls, the list rows, the character grid, a toolbar
// glyph and the About box all come up scaled from the 96-pixel design, and
// the window wraps the grid's cells as the design does. The same test at 96
// holds the design itself.
//
// Wine takes the screen's density from HKCU\Control Panel\Desktop, value
// LogPixels, once, when a process starts. The value is set only for the
// start of the program under test and put back as soon as its window shows;
// a copy of what was there before waits under the test's own key, so that a
// run killed in between is mended by the next e2e test program that starts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/MainWindow.h"
#include "tests/e2e/StoredSettings.h"
#include "tests/support/Density.h"
#include "tests/support/StoredState.h"

namespace {

const wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
const wchar_t kSavedKey[] = L"Software\\Glyphora tests\\Density";
constexpr DWORD kNoValue = 0;  // saved when there was no LogPixels

bool ReadDword(const wchar_t* key, const wchar_t* name, DWORD& value) {
    DWORD size = sizeof value;
    return ::RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_REG_DWORD, nullptr, &value, &size) == ERROR_SUCCESS;
}

void WriteDword(const wchar_t* key, const wchar_t* name, DWORD value) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, key, name, REG_DWORD, &value, sizeof value);
}

// Puts back the LogPixels saved by SetStartDensity, if any.
void RestoreStartDensity() {
    DWORD saved = 0;
    if (!ReadDword(kSavedKey, L"LogPixels", saved)) return;
    if (saved == kNoValue)
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, L"LogPixels");
    else
        WriteDword(kDesktopKey, L"LogPixels", saved);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Glyphora tests");
}

void SetStartDensity(int ppi) {
    RestoreStartDensity();
    DWORD before = kNoValue;
    ReadDword(kDesktopKey, L"LogPixels", before);
    WriteDword(kSavedKey, L"LogPixels", before);
    WriteDword(kDesktopKey, L"LogPixels", DWORD(ppi));
}

// Every e2e test program mends what a killed density test left behind.
class TDensityMend : public testing::Environment {
public:
    void SetUp() override { RestoreStartDensity(); }
    void TearDown() override { RestoreStartDensity(); }
};
const testing::Environment* const kMend = testing::AddGlobalTestEnvironment(new TDensityMend);

RECT InParent(HWND child) {
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

struct TBox {
    int x, y, w, h;
};

void ExpectBox(HWND window, const TBox& expected, const std::string& name) {
    ASSERT_NE(window, nullptr) << name;
    const RECT r = InParent(window);
    EXPECT_EQ(r.left, expected.x) << name;
    EXPECT_EQ(r.top, expected.y) << name;
    EXPECT_EQ(r.right - r.left, expected.w) << name;
    EXPECT_EQ(r.bottom - r.top, expected.h) << name;
}

// The screen's pixels of a window, as they show (Xvfb has no other windows
// over it).
std::vector<COLORREF> Pixels(HWND window, int& width, int& height) {
    RECT r{};
    ::GetWindowRect(window, &r);
    width = r.right - r.left;
    height = r.bottom - r.top;
    HDC screen = ::GetDC(nullptr);
    HDC mem = ::CreateCompatibleDC(screen);
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    std::vector<COLORREF> pixels(size_t(width) * size_t(height));
    const auto* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = RGB((p[i] >> 16) & 0xFF, (p[i] >> 8) & 0xFF, p[i] & 0xFF);
    ::SelectObject(mem, old);
    ::DeleteObject(dib);
    ::DeleteDC(mem);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

class Density : public testing::TestWithParam<int> {
protected:
    int S(int designed) const { return ScaleFromDesign(designed, GetParam()); }

    void MainWindowLayout(const TProgram& program, const TMainWindow& w) const;
    void CharacterGrid(const TProgram& program, const TMainWindow& w) const;
    // Outer size of `outside` less the client size of `inside`.
    static SIZE Chrome(HWND outside, HWND inside);
    void WrapsTheGrid(const TMainWindow& w, HWND grid) const;
    void BoldGlyph(const TMainWindow& w) const;
    void AboutBox(const TProgram& program) const;
};

void Density::MainWindowLayout(const TProgram& program, const TMainWindow& w) const {
    RECT outer{}, client{}, work{};
    ::GetWindowRect(w.main, &outer);
    ::GetClientRect(w.main, &client);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    // Whole on the screen; its size is the grid's to decide (CharacterGrid).
    EXPECT_GE(outer.left, work.left);
    EXPECT_GE(outer.top, work.top);
    EXPECT_LE(outer.right, work.right);
    EXPECT_LE(outer.bottom, work.bottom);
    const int cw = client.right, ch = client.bottom;

    const RECT bar = InParent(w.bar);
    const int barHeight = bar.bottom - bar.top;
    EXPECT_EQ(barHeight, S(19));
    const int middle = ch - S(28) - barHeight;
    const int pageLeft = S(257) + S(2);
    struct Case {
        HWND window;
        TBox box;
        const char* name;
    };
    const Case cases[] = {
        {::GetParent(w.bold), {0, 0, cw, S(28)}, "toolbar"},
        {w.bar, {0, ch - barHeight, cw, barHeight}, "status bar"},
        {w.list, {0, S(28), S(257), middle}, "font list"},
        {w.splitter, {S(257), S(28), S(2), middle}, "splitter"},
        {w.tabs, {pageLeft, S(28), cw - pageLeft, middle}, "notebook"},
        {w.bold, {S(3), S(3), S(23), S(22)}, "bold"},
        {w.italic, {S(26), S(3), S(23), S(22)}, "italic"},
        {w.underline, {S(49), S(3), S(23), S(22)}, "underline"},
        {w.sizeEdit, {S(76), S(4), S(41), S(21)}, "size"},
        {w.upDown, {S(117), S(4), S(15), S(21)}, "arrows"},
        {program.ChildWithText("Obnovit"), {S(157), S(3), S(73), S(22)}, "reload"},
        {program.ChildWithText("Tisk"), {S(230), S(3), S(73), S(22)}, "print"},
        {program.ChildWithText("O aplikaci..."), {S(303), S(3), S(90), S(22)}, "about"},
        {w.cache, {S(416), S(6), S(137), S(17)}, "cache"},
    };
    for (const Case& c : cases) ExpectBox(c.window, c.box, c.name);
    EXPECT_EQ(::SendMessageW(w.list, LB_GETITEMHEIGHT, 0, 0), S(36));
}

void Density::CharacterGrid(const TProgram& program, const TMainWindow& w) const {
    PressKey(w.tabs, VK_RIGHT);
    ASSERT_TRUE(WaitFor([&] { return w.Grid() != nullptr && ::IsWindowVisible(w.Grid()); }));
    HWND grid = w.Grid();
    ExpectBox(program.ChildWithText("&Kopírovat"), {S(128), S(8), S(75), S(25)}, "copy");
    ExpectBox(::GetParent(program.ChildWithText("&Kopírovat")), {0, 0, InParent(grid).right, S(73)}, "panel");
    // Cells of S(22) with a line after each: the first and the last pixel of
    // a cell choose it, as the labels tell.
    const int pitch = S(22) + 1;
    struct Cell {
        int col, row;
    };
    for (const Cell cell : {Cell{0, 0}, Cell{7, 6}, Cell{15, 13}}) {
        const int code = (cell.row + 2) * 16 + cell.col;
        for (const int inside : {0, S(22) - 1}) {
            ClickAt(grid, cell.col * pitch + inside, cell.row * pitch + inside);
            EXPECT_TRUE(WaitFor([&] { return TextOf(w.decLabel) == std::to_string(code); }))
                << "cell " << cell.col << "," << cell.row << " at +" << inside << ": " << TextOf(w.decLabel);
        }
    }
    // The grid fills the rest of its page, as designed.
    RECT page{};
    ::GetClientRect(::GetParent(grid), &page);
    ExpectBox(grid, {0, S(73), page.right, page.bottom - S(73)}, "grid");
    WrapsTheGrid(w, grid);
}

SIZE Density::Chrome(HWND outside, HWND inside) {
    RECT outer{}, client{};
    ::GetWindowRect(outside, &outer);
    ::GetClientRect(inside, &client);
    return {(outer.right - outer.left) - client.right, (outer.bottom - outer.top) - client.bottom};
}

void Density::WrapsTheGrid(const TMainWindow& w, HWND grid) const {
    // From the window's edge to the cells, the design gives
    //   across: frame 8, list 257, splitter 2, notebook border 8, grid border
    //           4, 16 cells of 22 with 15 lines of 1 between them: 646;
    //   down:   frame and caption 27, toolbar 28, status bar 19, notebook tab
    //           row and border 28, panel 73, grid border 4, 14 cells of 22
    //           with 13 lines: 500.
    // The program's own parts scale; the system's (frame, notebook, grid
    // border) are what the live windows show; the lines stay one pixel.
    // The window is as large as that sum, which is the scaled design less
    // what the system's parts fall short of their scaled share: then the
    // cells fill the grid.
    const SIZE frame = Chrome(w.main, w.main);
    const SIZE notebook = Chrome(w.tabs, ::GetParent(grid));
    const SIZE border = Chrome(grid, grid);
    const int cellsWide = 16 * S(22) + 15, cellsHigh = 14 * S(22) + 13;
    const int wrappedWidth = frame.cx + S(257) + S(2) + notebook.cx + border.cx + cellsWide;
    const int wrappedHeight = frame.cy + S(28) + S(19) + notebook.cy + S(73) + border.cy + cellsHigh;
    RECT outer{}, work{}, inside{};
    ::GetWindowRect(w.main, &outer);
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    ::GetClientRect(grid, &inside);
    std::printf("at %d: window %d x %d, %d x %d less than the scaled design; cells %d x %d in %d x %d\n", GetParam(),
                int(outer.right - outer.left), int(outer.bottom - outer.top), S(646) - wrappedWidth,
                S(500) - wrappedHeight, cellsWide, cellsHigh, int(inside.right), int(inside.bottom));
    // A screen too small for the wrapped window cuts it, and the cells with
    // it; the run's 1280 x 1024 screen holds it at 192.
    const int width = std::min<int>(wrappedWidth, work.right - work.left);
    const int height = std::min<int>(wrappedHeight, work.bottom - work.top);
    EXPECT_EQ(outer.right - outer.left, width);
    EXPECT_EQ(outer.bottom - outer.top, height);
    EXPECT_EQ(inside.right, cellsWide - (wrappedWidth - width));
    EXPECT_EQ(inside.bottom, cellsHigh - (wrappedHeight - height));
    // At 96 the sum is the design's own outer size: the parts above are all
    // there is between the window's edge and the cells.
    if (GetParam() == 96) {
        EXPECT_EQ(wrappedWidth, 646);
        EXPECT_EQ(wrappedHeight, 500);
    }
}

void Density::BoldGlyph(const TMainWindow& w) const {
    // The "B" of the 16 x 16 glyph is 11 x 12 pixels of black on olive, the
    // colour that shows the face through: shown smoothly at this density's
    // size, with no olive left at its edges.
    int width = 0, height = 0;
    const std::vector<COLORREF> pixels = Pixels(w.bold, width, height);
    int left = width, right = -1, top = height, bottom = -1, blends = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const COLORREF c = pixels[size_t(y) * size_t(width) + size_t(x)];
            EXPECT_FALSE(GetRValue(c) == GetGValue(c) && GetGValue(c) > 0 && GetBValue(c) == 0 && GetRValue(c) < 0xC0)
                << "olive at " << x << "," << y;
            if (GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c) && GetRValue(c) > 0x30 &&
                GetRValue(c) < 0xB0)
                ++blends;
            if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 96) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
        }
    EXPECT_NEAR(right - left + 1, S(11), 1);
    EXPECT_NEAR(bottom - top + 1, S(12), 1);
    // One and a half pixels per pixel cannot be drawn in black and face
    // alone: the smooth reduction leaves greys between them.
    if (GetParam() % 96 != 0) {
        EXPECT_GT(blends, 0);
    }
}

void Density::AboutBox(const TProgram& program) const {
    Click(program.ChildWithText("O aplikaci..."));
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = program.TopLevelTitled("O aplikaci")) != nullptr; }));
    RECT client{};
    ::GetClientRect(box, &client);
    EXPECT_EQ(client.right, S(296));
    EXPECT_EQ(client.bottom, S(184));
    HWND ok = nullptr;
    for (HWND h = ::GetWindow(box, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (TextOf(h) == "OK") ok = h;
    ExpectBox(ok, {S(212), S(150), S(75), S(25)}, "OK");
    PressKey(ok, VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
}

TEST_P(Density, TheProgramComesUpScaledFromItsDesign) {
    ForgetStoredState();
    SetStartDensity(GetParam());
    TProgram program;
    RestoreStartDensity();  // read once the process is up; nothing else starts at this density
    ASSERT_NE(program.Main(), nullptr);
    const TMainWindow w(program);
    ASSERT_TRUE(w.Complete());
    PointerAside();
    MainWindowLayout(program, w);
    BoldGlyph(w);
    CharacterGrid(program, w);
    AboutBox(program);
    EXPECT_EQ(program.Close(), 0);
    ForgetStoredState();
}

INSTANTIATE_TEST_SUITE_P(Screens, Density, testing::Values(96, 144, 192));

// Geometry stored by a run at 96 pixels per inch stays in those pixels at
// 192: the window where and as large as it was left, the splitter where it
// was dragged; inside, the design scales as ever.
TEST(DensityStored, GeometryStaysInThePixelsOfTheRunThatStoredIt) {
    ForgetStoredState();
    const TChoices left96{.left = 600, .top = 400, .width = 646, .height = 500, .splitter = 300};
    for (const auto& [entry, value] : Stored(left96).values) {
        const size_t cut = entry.find(" : ");
        Plant(entry.substr(0, cut), entry.substr(cut + 3), value);
    }
    SetStartDensity(192);
    TProgram program;
    RestoreStartDensity();
    ASSERT_NE(program.Main(), nullptr);
    const TMainWindow w(program);
    ASSERT_TRUE(w.Complete());
    RECT outer{};
    ::GetWindowRect(w.main, &outer);
    EXPECT_EQ(std::vector<LONG>({outer.left, outer.top, outer.right, outer.bottom}),
              std::vector<LONG>({600, 400, 1246, 900}));
    EXPECT_EQ(w.SplitterLeft(), 300);
    EXPECT_EQ(w.ListWidth(), 300);
    const RECT toolbar = InParent(::GetParent(w.bold));
    EXPECT_EQ(toolbar.bottom - toolbar.top, ScaleFromDesign(28, 192));
    EXPECT_EQ(program.Close(), 0);
    ForgetStoredState();
}

}  // namespace
