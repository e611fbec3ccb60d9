// The About box as it shows: frame, place on the screen, the controls'
// places, texts, fonts and colours, in the full and the compact layout.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "platform/win/Application.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"
#include "tests/about/AboutTestUtil.h"

namespace {

std::vector<LONG> Bounds(const TControl& control) {
    RECT r{};
    ::GetWindowRect(control.WindowHandle(), &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control.WindowHandle()), reinterpret_cast<POINT*>(&r), 2);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

std::string WindowText(const TControl& control) {
    std::wstring text(size_t(::GetWindowTextLengthW(control.WindowHandle())) + 1, L'\0');
    text.resize(size_t(::GetWindowTextW(control.WindowHandle(), text.data(), int(text.size()))));
    return Utf8(text);
}

// The size of a line of text in the font the control's window uses.
SIZE TextSize(const TControl& control) {
    HWND w = control.WindowHandle();
    HDC dc = ::GetDC(w);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(w, WM_GETFONT, 0, 0)));
    const std::wstring text = Wide(WindowText(control));
    RECT r{0, 0, 0, 0};
    ::DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(dc, old);
    ::ReleaseDC(w, dc);
    return {r.right, r.bottom};
}

HFONT WindowFontHandle(const TControl& control) {
    return reinterpret_cast<HFONT>(::SendMessageW(control.WindowHandle(), WM_GETFONT, 0, 0));
}

LOGFONTW WindowFont(const TControl& control) {
    LOGFONTW lf{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control.WindowHandle(), WM_GETFONT, 0, 0)), sizeof lf, &lf);
    return lf;
}

constexpr COLORREF kPanelGrey = RGB(224, 224, 224);
constexpr COLORREF kBlue = RGB(0, 0, 255);

struct TPlace {
    const char* name;
    std::vector<LONG> bounds;  // a label's size follows its text (-1 here)
};

// Where each control lies in both layouts; the compact one moves only these.
const std::vector<TPlace> kFullPlaces = {
    {"IconImage", {12, 8, 33, 33}},   {"NameLabel", {56, 8, -1, -1}},        {"VersionLabel", {56, 24, -1, -1}},
    {"CopyrightLabel", {56, 48, -1, -1}}, {"Bevel1", {0, 62, 297, 10}},     {"Panel1", {0, 72, 297, 202}},
    {"Label3", {16, 8, -1, -1}},      {"Label1", {32, 25, -1, -1}},          {"EMailLabel", {72, 25, -1, -1}},
    {"Label2", {32, 41, -1, -1}},     {"WWWLabel", {72, 41, -1, -1}},        {"Label4", {16, 64, -1, -1}},
    {"AdditionalMemo", {32, 84, 241, 105}}, {"Bevel2", {-1, 274, 297, 7}},  {"OKBtn", {212, 286, 75, 25}},
};

std::vector<TPlace> CompactPlaces() {
    std::vector<TPlace> places = kFullPlaces;
    for (TPlace& p : places) {
        const std::string name = p.name;
        if (name == "Panel1") p.bounds = {0, 72, 297, 66};
        if (name == "Bevel2") p.bounds = {-1, 138, 297, 7};
        if (name == "OKBtn") p.bounds = {212, 150, 75, 25};
    }
    return places;
}

void ExpectPlaces(TAboutDlg& dlg, const std::vector<TPlace>& places) {
    for (const TPlace& p : places) {
        auto* control = static_cast<TControl*>(dlg.FindComponent(p.name));
        ASSERT_NE(control, nullptr) << p.name;
        std::vector<LONG> expected = p.bounds;
        if (expected[2] < 0) {
            const SIZE text = TextSize(*control);
            // As wide as the line's measure, or as what is drawn of it where
            // that reaches further.
            const TDrawnLine drawn(WindowFontHandle(*control), Wide(WindowText(*control)), RGB(0, 0, 0),
                                   RGB(255, 255, 255), 2 * text.cx + 40, 2 * text.cy + 4);
            expected[2] = std::max<LONG>(text.cx, drawn.InkRight());
            expected[3] = text.cy;
            // One line of 8-point Tahoma is 13 pixels high; the links' font
            // is the system's own, whose height may differ.
            if (control->Font()->Name() == "Tahoma") {
                EXPECT_EQ(text.cy, 13) << p.name;
            }
        }
        EXPECT_EQ(Bounds(*control), expected) << p.name;
    }
}

TEST(AboutLayout, FullBoxFrameAndPlaces) {
    TAboutTexts texts;
    texts.additional = "Řádek první\r\nŘádek druhý";
    const bool result = RunAbout(texts, [&](TAboutDlg& dlg) {
        HWND w = dlg.WindowHandle();
        EXPECT_EQ(WindowText(dlg), "O aplikaci");
        RECT client;
        ::GetClientRect(w, &client);
        EXPECT_EQ(client.right, 296);
        EXPECT_EQ(client.bottom, 320);
        // A fixed dialog frame whose title bar has only the close box.
        const LONG style = ::GetWindowLongW(w, GWL_STYLE), ex = ::GetWindowLongW(w, GWL_EXSTYLE);
        EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU), WS_CAPTION | WS_SYSMENU);
        EXPECT_EQ(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
        EXPECT_TRUE(ex & WS_EX_DLGMODALFRAME);
        EXPECT_FALSE(ex & WS_EX_CONTEXTHELP);
        // Centred on the screen.
        RECT r, work;
        ::GetWindowRect(w, &r);
        ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        EXPECT_LE(std::abs((r.left - work.left) - (work.right - r.right)), 1);
        EXPECT_LE(std::abs((r.top - work.top) - (work.bottom - r.bottom)), 1);
        ExpectPlaces(dlg, kFullPlaces);
        EXPECT_EQ(WindowText(*dlg.AdditionalMemo), "Řádek první\r\nŘádek druhý");
        EXPECT_TRUE(::IsWindowVisible(dlg.AdditionalMemo->WindowHandle()));
        PressKey(VK_ESCAPE);
    });
    EXPECT_TRUE(result);
}

TEST(AboutLayout, EmptyInformationGivesTheCompactBoxAndASpaceTheFullOne) {
    const struct {
        const char* additional;
        int clientHeight;
        bool compact;
    } cases[] = {{"", 184, true}, {" ", 320, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("information \"") + c.additional + "\"");
        TAboutTexts texts;
        texts.additional = c.additional;
        RunAbout(texts, [&](TAboutDlg& dlg) {
            RECT client;
            ::GetClientRect(dlg.WindowHandle(), &client);
            EXPECT_EQ(client.right, 296);
            EXPECT_EQ(client.bottom, c.clientHeight);
            ExpectPlaces(dlg, c.compact ? CompactPlaces() : kFullPlaces);
            // The heading and the memo lie below the panel's lower edge in the
            // compact box: the panel shows nothing of them.
            EXPECT_EQ(dlg.AdditionalMemo->Top() >= dlg.Panel1->Height(), c.compact);
            const int shown = std::min(dlg.Label4->Height(), dlg.Panel1->Height() - dlg.Label4->Top());
            const TShot heading(*dlg.Label4, 0, 0, dlg.Label4->Width(), shown);
            EXPECT_EQ(heading.Count(kPanelGrey) == shown * dlg.Label4->Width(), c.compact);
            EXPECT_EQ(WindowText(*dlg.AdditionalMemo), c.compact ? "" : c.additional);
            PressKey(VK_ESCAPE);
        });
    }
}

TEST(AboutLayout, TextsFontsAndColours) {
    TAboutTexts texts;
    texts.name = "Ukázka";
    texts.version = "3.0 beta";
    texts.copyright = "© 2024 Žluťoučký kůň";
    texts.email = "kun+about@example.org";
    texts.web = "http://example.org/a?b=1&c=2";
    RunAbout(texts, [&](TAboutDlg& dlg) {
        // Shown exactly as passed, the version after "Verze ".
        const struct {
            TControl* control;
            std::string text;
        } captions[] = {
            {dlg.NameLabel, "Ukázka"},        {dlg.VersionLabel, "Verze 3.0 beta"},
            {dlg.CopyrightLabel, "© 2024 Žluťoučký kůň"}, {dlg.EMailLabel, "kun+about@example.org"},
            {dlg.WWWLabel, "http://example.org/a?b=1&c=2"}, {dlg.Label3, "Kontakt:"},
            {dlg.Label1, "E-mail:"},          {dlg.Label2, "WWW:"},
            {dlg.Label4, "Dodatečné informace:"}, {dlg.OKBtn, "OK"},
        };
        for (const auto& c : captions) EXPECT_EQ(WindowText(*c.control), c.text) << c.control->Name();

        const struct {
            TControl* control;
            const wchar_t* face;
            bool bold, underline;
        } fonts[] = {
            {dlg.NameLabel, L"Tahoma", true, false},        {dlg.VersionLabel, L"Tahoma", false, false},
            {dlg.CopyrightLabel, L"Tahoma", false, false},  {dlg.Label3, L"Tahoma", true, false},
            {dlg.Label1, L"Tahoma", false, false},          {dlg.EMailLabel, L"MS Sans Serif", false, true},
            {dlg.Label2, L"Tahoma", false, false},          {dlg.WWWLabel, L"MS Sans Serif", false, true},
            {dlg.Label4, L"Tahoma", true, false},           {dlg.AdditionalMemo, L"Tahoma", false, false},
            {dlg.OKBtn, L"Tahoma", false, false},
        };
        for (const auto& f : fonts) {
            const LOGFONTW lf = WindowFont(*f.control);
            EXPECT_STREQ(lf.lfFaceName, f.face) << f.control->Name();
            EXPECT_EQ(lf.lfHeight, -11) << f.control->Name();
            EXPECT_EQ(lf.lfWeight, f.bold ? FW_BOLD : FW_NORMAL) << f.control->Name();
            EXPECT_EQ(lf.lfUnderline != 0, f.underline) << f.control->Name();
            EXPECT_FALSE(lf.lfItalic) << f.control->Name();
        }

        // The panel and its labels are grey; the labels above it have the
        // dialog's face colour.
        EXPECT_EQ(TShot(*dlg.Panel1, 250, 10, 1, 1).Pixel(0, 0), kPanelGrey);
        for (TLabel* label : {dlg.Label3, dlg.Label1, dlg.EMailLabel, dlg.Label2, dlg.WWWLabel})
            EXPECT_EQ(TShot(*label).Pixel(label->Width() - 1, 0), kPanelGrey) << label->Name();
        for (TLabel* label : {dlg.NameLabel, dlg.VersionLabel, dlg.CopyrightLabel})
            EXPECT_EQ(TShot(*label).Pixel(label->Width() - 1, 0), ::GetSysColor(COLOR_BTNFACE)) << label->Name();
        // The links are drawn in blue, not red: their underline is a line of it.
        for (TLabel* link : {dlg.EMailLabel, dlg.WWWLabel}) {
            const TShot shot(*link);
            EXPECT_GE(shot.Count(kBlue), link->Width() / 2) << link->Name();
            EXPECT_EQ(shot.Count(RGB(255, 0, 0)), 0) << link->Name();
            EXPECT_EQ(link->Cursor(), crHandPoint) << link->Name();
        }
        // Tab order: the button first, then the panel.
        EXPECT_EQ(dlg.OKBtn->TabOrder(), 0);
        EXPECT_EQ(dlg.Panel1->TabOrder(), 1);
        PressKey(VK_ESCAPE);
    });
}

TEST(AboutLayout, TheLinksShowTheirWholeAddress) {
    // The program's own addresses. The web address ends in "/": the face
    // that stands in for "MS Sans Serif" under Wine draws that line a few
    // pixels wider than GDI measures it.
    RunAbout({}, [&](TAboutDlg& dlg) {
        for (TLabel* link : {dlg.EMailLabel, dlg.WWWLabel}) {
            const int width = link->Width(), height = link->Height();
            const TDrawnLine drawn(WindowFontHandle(*link), Wide(WindowText(*link)), kBlue, kPanelGrey, width + 40, height);
            EXPECT_GT(drawn.InkRight(), width / 2) << link->Name();
            EXPECT_LE(drawn.InkRight(), width) << link->Name();
            // What the screen shows is that drawing, pixel for pixel.
            const TShot shot(*link);
            int differ = 0;
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) differ += shot.Pixel(x, y) != drawn.Pixel(x, y);
            EXPECT_EQ(differ, 0) << link->Name();
        }
        PressKey(VK_ESCAPE);
    });
}

TEST(AboutLayout, TheApplicationsIconAtItsOwnSize) {
    HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON");
    ASSERT_NE(icon, nullptr) << "the test program carries the program's icon";
    ASSERT_EQ(Application->Icon(), icon);
    RunAbout({}, [&](TAboutDlg& dlg) {
        const TImage& image = *dlg.IconImage;
        EXPECT_EQ(image.IconWidth(), ::GetSystemMetrics(SM_CXICON));
        EXPECT_EQ(image.IconHeight(), ::GetSystemMetrics(SM_CYICON));
        // What the box shows is the icon drawn unscaled at the top-left
        // corner on the face colour, pixel for pixel.
        const int w = image.Width(), h = image.Height();
        const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
        HDC screen = ::GetDC(nullptr);
        HDC mem = ::CreateCompatibleDC(screen);
        HBITMAP bitmap = ::CreateCompatibleBitmap(screen, w, h);
        HGDIOBJ old = ::SelectObject(mem, bitmap);
        HBRUSH brush = ::CreateSolidBrush(face);
        const RECT all{0, 0, w, h};
        ::FillRect(mem, &all, brush);
        ::DrawIconEx(mem, 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
        const TShot shown(image);
        int differ = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) differ += shown.Pixel(x, y) != ::GetPixel(mem, x, y);
        EXPECT_EQ(differ, 0);
        EXPECT_LT(shown.Count(face), w * h - w * h / 4);  // the picture is there
        for (int i = 0; i < w; ++i) {
            EXPECT_EQ(shown.Pixel(i, h - 1), face);
            EXPECT_EQ(shown.Pixel(w - 1, i), face);
        }
        ::SelectObject(mem, old);
        ::DeleteObject(brush);
        ::DeleteObject(bitmap);
        ::DeleteDC(mem);
        ::ReleaseDC(nullptr, screen);
        PressKey(VK_ESCAPE);
    });
}

}  // namespace
