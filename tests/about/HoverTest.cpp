// The links' colours follow the pointer: the link under it red, the other
// blue; the rest of the box turns both blue, except the "Kontakt:" heading
// and the two lines, which leave them as they are. The hand pointer and the
// underline stay.

#include <gtest/gtest.h>

#include "platform/win/Win32.h"
#include "tests/about/AboutTestUtil.h"

namespace {

enum class TLink { Blue, Red };

struct TStep {
    const char* over;  // a control's name; the box itself for "AboutDlg"
    int x, y;          // a client point of it; -1: its middle
    TLink email, web;
};

TControl& ControlNamed(TAboutDlg& dlg, const char* name) {
    if (dlg.Name() == name) return dlg;
    auto* control = static_cast<TControl*>(dlg.FindComponent(name));
    if (!control) throw std::runtime_error(std::string("no control ") + name);
    return *control;
}

TLink ColourOf(const TLabel& link) { return link.Font()->Color() == clRed ? TLink::Red : TLink::Blue; }

// The colour that the screen shows: the underline is drawn in it.
bool ShowsColour(const TLabel& link, TLink colour) {
    const TShot shot(link);
    const COLORREF wanted = colour == TLink::Red ? RGB(255, 0, 0) : RGB(0, 0, 255);
    const COLORREF other = colour == TLink::Red ? RGB(0, 0, 255) : RGB(255, 0, 0);
    return shot.Count(wanted) >= link.Width() / 2 && shot.Count(other) == 0;
}

void Walk(TAboutDlg& dlg, const std::vector<TStep>& steps) {
    const HICON hand = ::LoadCursorW(nullptr, IDC_HAND);
    for (const TStep& step : steps) {
        TControl& over = ControlNamed(dlg, step.over);
        if (step.x < 0)
            MovePointerTo(over);
        else
            MovePointerTo(over, step.x, step.y);
        SCOPED_TRACE(std::string("over ") + step.over);
        EXPECT_EQ(ColourOf(*dlg.EMailLabel), step.email);
        EXPECT_EQ(ColourOf(*dlg.WWWLabel), step.web);
        const bool overLink = &over == dlg.EMailLabel || &over == dlg.WWWLabel;
        EXPECT_EQ(::GetCursor() == hand, overLink);
    }
    // The colours reach the screen; the font keeps its underline.
    EXPECT_TRUE(ShowsColour(*dlg.EMailLabel, steps.back().email));
    EXPECT_TRUE(ShowsColour(*dlg.WWWLabel, steps.back().web));
    for (const TLabel* link : {dlg.EMailLabel, dlg.WWWLabel})
        EXPECT_TRUE(link->Font()->Style().Has(TFontStyle::fsUnderline));
}

TEST(AboutHover, StraightFromLinkToLinkAndStayingRedOverTheHeadingAndTheLines) {
    RunAbout({}, [](TAboutDlg& dlg) {
        EXPECT_EQ(ColourOf(*dlg.EMailLabel), TLink::Blue);
        EXPECT_EQ(ColourOf(*dlg.WWWLabel), TLink::Blue);
        Walk(dlg, {
                      {"EMailLabel", -1, -1, TLink::Red, TLink::Blue},
                      {"WWWLabel", -1, -1, TLink::Blue, TLink::Red},
                      {"EMailLabel", -1, -1, TLink::Red, TLink::Blue},
                      {"Label3", -1, -1, TLink::Red, TLink::Blue},
                      {"Bevel1", -1, -1, TLink::Red, TLink::Blue},
                      {"Bevel2", -1, -1, TLink::Red, TLink::Blue},
                      {"WWWLabel", -1, -1, TLink::Blue, TLink::Red},
                      {"Bevel1", 5, 8, TLink::Blue, TLink::Red},
                      {"Label3", 2, 6, TLink::Blue, TLink::Red},
                  });
        PressKey(VK_ESCAPE);
    });
}

TEST(AboutHover, EveryOtherPartOfTheBoxTurnsBothLinksBlue) {
    TAboutTexts texts;
    texts.additional = "Další řádek";
    RunAbout(texts, [](TAboutDlg& dlg) {
        const struct {
            const char* name;
            int x, y;
        } others[] = {
            {"AboutDlg", 150, 20}, {"NameLabel", -1, -1}, {"VersionLabel", -1, -1}, {"IconImage", -1, -1},
            {"CopyrightLabel", -1, -1}, {"Panel1", 250, 10}, {"Label1", -1, -1}, {"Label2", -1, -1},
            {"Label4", -1, -1}, {"AdditionalMemo", -1, -1}, {"OKBtn", -1, -1},
        };
        bool fromEmail = true;
        for (const auto& other : others) {
            // From a red link each time, alternating which.
            Walk(dlg, {
                          {fromEmail ? "EMailLabel" : "WWWLabel", -1, -1, fromEmail ? TLink::Red : TLink::Blue,
                           fromEmail ? TLink::Blue : TLink::Red},
                          {other.name, other.x, other.y, TLink::Blue, TLink::Blue},
                      });
            fromEmail = !fromEmail;
        }
        PressKey(VK_ESCAPE);
    });
}

}  // namespace
