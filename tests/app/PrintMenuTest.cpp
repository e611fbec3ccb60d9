// The print menu as the form file makes it: its items, their captions and
// handlers, and the Print button that opens it.

#include <gtest/gtest.h>

#include "app/AppMainForm.h"
#include "platform/win/Application.h"
#include "tests/app/MainFormFile.h"

namespace {

TEST(PrintMenu, HasTheThreePrintoutsWithTheirAccessKeysAndTheButtonOpensIt) {
    const auto data = ReadMainForm();
    ASSERT_FALSE(data.empty()) << "GLYPHORA_SOURCE_DIR must name the source tree";
    TMainForm* form = Application->CreateFormFrom<TMainForm>(data);
    ASSERT_NE(form->PrintPopup, nullptr);
    TMenuItem* root = form->PrintPopup->Items();
    ASSERT_EQ(root->Count(), 3);
    const struct {
        TMenuItem* field;
        const char* caption;
    } items[] = {{form->FontListItem, "&Seznam fontů"}, {form->TestTextItem, "&Testovací text"},
                 {form->CharmapItem, "&Mapa znaků"}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(root->Items(i), items[i].field);
        EXPECT_EQ(items[i].field->Caption(), items[i].caption);
        EXPECT_TRUE(static_cast<bool>(items[i].field->OnClick)) << items[i].caption;
    }
    EXPECT_EQ(form->PrintPopup->Alignment(), TPopupAlignment::paLeft);
    EXPECT_TRUE(static_cast<bool>(form->PrintBtn->OnMouseUp));
    EXPECT_FALSE(static_cast<bool>(form->PrintBtn->OnClick));
    TComponent::Free(form);
}

}  // namespace
