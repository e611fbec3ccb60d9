// The About box moved to a screen of another density: its client area and
// every control's place come from the design, in the full and the compact
// layout alike.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/Win32.h"
#include "tests/about/AboutTestUtil.h"
#include "tests/support/Density.h"

namespace {

struct TDesigned {
    const char* name;
    int x, y, w, h;  // a label's size follows its text (-1 here)
};

const std::vector<TDesigned> kFull = {
    {"IconImage", 12, 8, 33, 33},      {"NameLabel", 56, 8, -1, -1},   {"VersionLabel", 56, 24, -1, -1},
    {"CopyrightLabel", 56, 48, -1, -1}, {"Bevel1", 0, 62, 297, 10},    {"Panel1", 0, 72, 297, 202},
    {"Label3", 16, 8, -1, -1},          {"Label1", 32, 25, -1, -1},    {"EMailLabel", 72, 25, -1, -1},
    {"Label2", 32, 41, -1, -1},         {"WWWLabel", 72, 41, -1, -1},  {"Label4", 16, 64, -1, -1},
    {"AdditionalMemo", 32, 84, 241, 105}, {"Bevel2", -1, 274, 297, 7}, {"OKBtn", 212, 286, 75, 25},
};

std::vector<TDesigned> Compact() {
    std::vector<TDesigned> places = kFull;
    for (TDesigned& p : places) {
        const std::string name = p.name;
        if (name == "Panel1") p.h = 66;
        if (name == "Bevel2") p.y = 138;
        if (name == "OKBtn") p.y = 150;
    }
    return places;
}

TEST(AboutDensity, BothLayoutsScaleFromTheDesign) {
    const struct {
        const char* additional;
        int clientHeight;
        std::vector<TDesigned> places;
    } layouts[] = {{"", 184, Compact()}, {"Více", 320, kFull}};
    for (const auto& layout : layouts) {
        for (const int ppi : {144, 192}) {
            SCOPED_TRACE(std::string("information \"") + layout.additional + "\" at " + std::to_string(ppi));
            auto S = [ppi](int v) { return ScaleFromDesign(v, ppi); };
            TAboutTexts texts;
            texts.additional = layout.additional;
            RunAbout(texts, [&](TAboutDlg& dlg) {
                // The system suggests the window around the scaled client area.
                HWND w = dlg.WindowHandle();
                RECT r{0, 0, S(296), S(layout.clientHeight)};
                ::AdjustWindowRectEx(&r, DWORD(::GetWindowLongW(w, GWL_STYLE)), FALSE,
                                     DWORD(::GetWindowLongW(w, GWL_EXSTYLE)));
                ::OffsetRect(&r, 20 - r.left, 10 - r.top);
                ::SendMessageW(w, WM_DPICHANGED, MAKEWPARAM(ppi, ppi), reinterpret_cast<LPARAM>(&r));
                RECT client{};
                ::GetClientRect(dlg.WindowHandle(), &client);
                EXPECT_EQ(client.right, S(296));
                EXPECT_EQ(client.bottom, S(layout.clientHeight));
                for (const TDesigned& p : layout.places) {
                    const auto* control = static_cast<const TControl*>(dlg.FindComponent(p.name));
                    ASSERT_NE(control, nullptr) << p.name;
                    EXPECT_EQ(control->Left(), S(p.x)) << p.name;
                    EXPECT_EQ(control->Top(), S(p.y)) << p.name;
                    if (p.w >= 0) {
                        EXPECT_EQ(control->Width(), S(p.w)) << p.name;
                    }
                    if (p.h >= 0) {
                        EXPECT_EQ(control->Height(), S(p.h)) << p.name;
                    }
                }
                LOGFONTW lf{};
                ::GetObjectW(dlg.NameLabel->Font()->Handle(), sizeof lf, &lf);
                EXPECT_EQ(lf.lfHeight, -S(11));
                // A label grows with its font: at least as much as the design's 13.
                EXPECT_GE(dlg.VersionLabel->Height(), S(13) - 1);
                // Nothing of the heading below the compact panel peeks out
                // at its lower edge: the strip shows the panel's grey alone.
                const bool compact = layout.clientHeight == 184;
                const int strip = S(compact ? 66 : 202) - S(64);  // Panel1's height, Label4's top
                ASSERT_GT(strip, 0);
                const TShot edge(*dlg.Panel1, 0, S(64), S(296), strip);  // the panel reaches past the client
                const bool plain = edge.Count(RGB(224, 224, 224)) == edge.Width() * edge.Height();
                EXPECT_EQ(plain, compact);

                PressKey(VK_ESCAPE);
            });
        }
    }
}

}  // namespace
