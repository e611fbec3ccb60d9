// A click on a link asks the shell to open "mailto:" and the address, or
// the web address as it stands; the box stays open. The shell's handlers
// for mailto: and http: are shellrecord.exe, which notes what it got.

#include <gtest/gtest.h>

#include "platform/win/Win32.h"
#include "tests/about/AboutTestUtil.h"
#include "tests/about/ShellRecorder.h"

namespace {

TEST(AboutLinks, AClickOpensTheAddressThroughTheShellAndTheBoxStaysOpen) {
    TRecordFile record;
    TShellHandler mail("mailto", record.Path());
    TShellHandler web("http", record.Path());
    TAboutTexts texts;
    // Passed on without any checking, odd characters and all.
    texts.email = "jan.novak+glyphora@example.org";
    texts.web = "http://example.org/glyphora/?a=1&b=%20";
    const bool result = RunAbout(texts, [&](TAboutDlg& dlg) {
        // The labels beside the links open nothing.
        MovePointerTo(*dlg.Label1);
        ClickPointer();
        MovePointerTo(*dlg.Label2);
        ClickPointer();

        MovePointerTo(*dlg.EMailLabel);
        ClickPointer();
        const std::string mailLine = "mailto:jan.novak+glyphora@example.org\n";
        EXPECT_TRUE(PumpUntil([&] { return record.Text() == mailLine; })) << record.Text();
        EXPECT_TRUE(::IsWindowVisible(dlg.WindowHandle()));

        MovePointerTo(*dlg.WWWLabel);
        ClickPointer();
        EXPECT_TRUE(PumpUntil([&] { return record.Text() == mailLine + "http://example.org/glyphora/?a=1&b=%20\n"; }))
            << record.Text();
        EXPECT_TRUE(::IsWindowVisible(dlg.WindowHandle()));
        PressKey(VK_ESCAPE);
    });
    EXPECT_TRUE(result);
}

TEST(AboutLinks, APressThatLeavesTheLinkBeforeReleaseOpensNothing) {
    TRecordFile record;
    TShellHandler mail("mailto", record.Path());
    RunAbout({}, [&](TAboutDlg& dlg) {
        MovePointerTo(*dlg.EMailLabel);
        INPUT down{};
        down.type = INPUT_MOUSE;
        down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        ::SendInput(1, &down, sizeof down);
        MovePointerTo(*dlg.Label3);
        INPUT up = down;
        up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
        ::SendInput(1, &up, sizeof up);
        // A real click afterwards is the one and only address opened.
        MovePointerTo(*dlg.EMailLabel);
        ClickPointer();
        EXPECT_TRUE(PumpUntil([&] { return !record.Text().empty(); }));
        EXPECT_EQ(record.Text(), "mailto:glyphora@orlenka.example\n");
        PressKey(VK_ESCAPE);
    });
}

}  // namespace
