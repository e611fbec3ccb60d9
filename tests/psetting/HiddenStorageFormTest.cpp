// A form whose settings list binds both kinds of hidden property of one of
// its components: saved when the user closes the form, brought back into
// the same form made again.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/psetting/FormSettingsFixture.h"
#include "tests/psetting/SettingTestComponents.h"

using namespace formtest;

namespace {

class HiddenStorageForm : public FormSettingsTest {
protected:
    static void SetUpTestSuite() { classes::Register(TGizmo::StaticClass()); }

    // The gizmo follows the settings component in the form, as a component
    // placed later would.
    TForm* LoadWithGizmo() {
        TFormText t;
        t.settings =
            "      ''\n      'Gizmo1.Secret'\n      ''\n      False\n"
            "      ''\n      'Gizmo1.Blob'\n      ''\n      True\n";
        t.appSettings = "  object Gizmo1: TGizmo\n  end\n";
        return Load(t);
    }
    static TGizmo* Gizmo(TForm* form) { return static_cast<TGizmo*>(form->FindComponent("Gizmo1")); }
};

}  // namespace

TEST_F(HiddenStorageForm, BothKindsAreSavedOnCloseAndRestoredWhenTheFormIsMadeAgain) {
    TForm* form = LoadWithGizmo();
    ASSERT_EQ(Settings(form)->SettingCount(), 2);
    Gizmo(form)->Secret = "skryté";  // UTF-8 in the program
    Gizmo(form)->Blob = {0x00, 0x7F, 0x80, 0x10};
    form->Show();
    Pump();
    ::PostMessageW(form->WindowHandle(), WM_CLOSE, 0, 0);
    Pump();

    // Kind 8 and the writer's text beyond ASCII in code page 1250: tag 6,
    // one length byte, e acute as 0xE9.
    const std::vector<uint8_t> expected{8, 0, 0, 0, 6, 6, 's', 'k', 'r', 'y', 't', 0xE9};
    EXPECT_EQ(Stored("Secret", "Gizmo1"), Binary(expected));
    // The encrypted one: 14 bytes of frame and the four bytes of data.
    const auto blob = Stored("Blob", "Gizmo1");
    ASSERT_TRUE(blob);
    EXPECT_EQ(blob->type, DWORD(REG_BINARY));
    EXPECT_EQ(blob->bytes.size(), 14u + 4u);
    Free(form);

    TForm* again = LoadWithGizmo();
    EXPECT_EQ(Gizmo(again)->Secret, "skryté");
    EXPECT_EQ(Gizmo(again)->Blob, (std::vector<uint8_t>{0x00, 0x7F, 0x80, 0x10}));
}

TEST_F(HiddenStorageForm, NothingStoredLeavesTheDesignedValues) {
    TForm* form = LoadWithGizmo();
    EXPECT_TRUE(Gizmo(form)->Secret.empty());
    EXPECT_TRUE(Gizmo(form)->Blob.empty());
    EXPECT_FALSE(Stored("Secret", "Gizmo1"));
}
