// The form settings component as a component: the owner it needs, the
// defaults its form suggests, its published properties as a form file holds
// them, the ranges of the list properties and its key name.

#include <gtest/gtest.h>

#include <string>

#include "platform/core/Filer.h"
#include "platform/core/Stream.h"
#include "platform/win/Panel.h"
#include "tests/psetting/FormSettingsFixture.h"

using namespace formtest;

namespace {

TOwnedPtr<TForm> NewForm() { return TOwnedPtr<TForm>(TComponent::Create<TForm>(nullptr)); }

// The text of `name`'s object in the form's stream.
std::string ObjectText(TForm& form, const std::string& name) {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteRootComponent(form);
    const std::string text = ObjectBinaryToText(stream.Bytes());
    const size_t start = text.find("  object " + name + ":");
    if (start == std::string::npos) return "(not written)";
    return text.substr(start, text.find("\n  end\n", start) + 7 - start);
}

}  // namespace

TEST(FormSettings, TheOwnerMustBeAForm) {
    TOwnedPtr<TComponent> plain(TComponent::Create<TComponent>(nullptr));
    TOwnedPtr<TPanel> panel(TComponent::Create<TPanel>(nullptr));
    for (TComponent* owner : {static_cast<TComponent*>(nullptr), plain.get(), static_cast<TComponent*>(panel.get())}) {
        try {
            TComponent::Create<TPFormSettings>(owner);
            ADD_FAILURE() << "no error";
        } catch (const EPFormSettingsException& e) {
            EXPECT_STREQ(e.what(), "Parent must be a TCustomForm descendent");
        }
    }
    EXPECT_EQ(plain->ComponentCount(), 0);
    EXPECT_EQ(panel->ComponentCount(), 0);

    auto form = NewForm();
    auto* settings = TComponent::Create<TPFormSettings>(form.get());
    EXPECT_EQ(settings->Form(), form.get());
    EXPECT_EQ(form->ComponentCount(), 1);
    EXPECT_FALSE(settings->IsLoaded());
    EXPECT_FALSE(settings->IsSaved());
}

TEST(FormSettings, DefaultsFollowTheFormsBorderIconsStyleAndPosition) {
    using enum TFormBorderStyle;
    const TBorderIcons all{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
    const TBorderIcons menuOnly{TBorderIcon::biSystemMenu};
    const TPFormSaveOpt place{pfsLeft, pfsTop};
    const TPFormSaveOpt noState{pfsLeft, pfsTop, pfsWidth, pfsHeight};
    const struct {
        TFormBorderStyle border;
        TBorderIcons icons;
        TFormStyle style;
        TPFormSaveOpt saveOpt;
        int mruLength;
        TPSaveLocationType location;
    } cases[] = {
        {bsSizeable, all, TFormStyle::fsNormal, kAllFormSaveOpts, 4, pslRegistry},
        {bsSizeable, menuOnly, TFormStyle::fsNormal, noState, 4, pslRegistry},
        {bsSizeable, TBorderIcons{TBorderIcon::biMaximize}, TFormStyle::fsNormal, kAllFormSaveOpts, 4, pslRegistry},
        {bsSizeToolWin, menuOnly, TFormStyle::fsNormal, noState, 4, pslRegistry},
        {bsSingle, all, TFormStyle::fsNormal, place, 0, pslRegistry},
        {bsDialog, all, TFormStyle::fsNormal, place, 0, pslRegistry},
        {bsToolWindow, all, TFormStyle::fsNormal, place, 0, pslRegistry},
        {bsNone, all, TFormStyle::fsNormal, {}, 0, pslRegistry},
        {bsSizeable, all, TFormStyle::fsMDIChild, kAllFormSaveOpts, 4, pslStream},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.border) * 100 + int(c.icons.Bits()) * 10 + int(c.style));
        auto form = NewForm();
        form->SetBorderStyle(c.border);
        form->SetBorderIcons(c.icons);
        form->SetFormStyle(c.style);
        auto* s = TComponent::Create<TPFormSettings>(form.get());
        EXPECT_EQ(s->FormSaveOpt(), c.saveOpt);
        EXPECT_EQ(s->MRULength(), c.mruLength);
        EXPECT_EQ(s->SaveLocation(), c.location);
        EXPECT_FALSE(s->Centre());
        // Untouched by the form.
        EXPECT_EQ(s->MRUDisplay(), pmdFullPath);
        EXPECT_EQ(s->MRUMaxItemWidth(), 200);
        EXPECT_EQ(s->MRUPlacement(), pmpDescending);
        EXPECT_TRUE(s->MRUValidate());
        EXPECT_TRUE(s->AddToRecentDocs);
        EXPECT_FALSE(s->AutoRestartApp);
        EXPECT_EQ(s->MRUCount(), 0);
        EXPECT_EQ(s->AppSettingsCtrl(), nullptr);
    }
}

TEST(FormSettings, AScreenCentredFormLetsTheSystemPlaceItAndIsCentredByTheComponent) {
    for (TPosition position : {TPosition::poScreenCenter, TPosition::poDesktopCenter, TPosition::poDesigned}) {
        auto form = NewForm();
        form->SetPosition(position);
        auto* s = TComponent::Create<TPFormSettings>(form.get());
        const bool screenCentre = position == TPosition::poScreenCenter;
        EXPECT_EQ(s->Centre(), screenCentre) << int(position);
        EXPECT_EQ(form->Position(), screenCentre ? TPosition::poDefaultPosOnly : position) << int(position);
    }
    // While the form is designed its position stays as designed.
    auto designed = NewForm();
    designed->SetDesigning(true);
    designed->SetPosition(TPosition::poScreenCenter);
    auto* s = TComponent::Create<TPFormSettings>(designed.get());
    EXPECT_FALSE(s->Centre());
    EXPECT_EQ(designed->Position(), TPosition::poScreenCenter);
}

TEST(FormSettings, TheFormFileHoldsWhatDiffersFromTheDeclaredDefaults) {
    auto form = NewForm();
    form->SetName("TestForm");
    auto* s = TComponent::Create<TPFormSettings>(form.get());
    s->SetName("FormSettings1");
    s->SetCompanyName("");
    // SaveLocation and RegistryRootKey have no declared default: always there.
    EXPECT_EQ(ObjectText(*form, "FormSettings1"),
              "  object FormSettings1: TPFormSettings\n"
              "    RegistryRootKey = prkCurrentUser\n"
              "    SaveLocation = pslRegistry\n"
              "  end\n");

    auto* app = TComponent::Create<TPAppSettings>(form.get());
    app->SetName("AppSettings1");
    app->SetCompanyName("GlyphoraTest");  // the link passes it on
    auto* check = TComponent::Create<TCheckBox>(form.get());
    check->SetName("Check1");
    auto* item = TComponent::Create<TPSetting>(form.get());
    item->BoundProperty = "Check1.Checked";
    s->AddSetting(item);
    s->SetFormSaveOpt({pfsLeft, pfsTop});
    s->SetSaveLocation(pslUser);
    s->SetMRULength(0);
    s->SetMRUDisplay(pmdFileOnly);
    s->SetMRUMaxItemWidth(300);
    s->SetMRUPlacement(pmpBefore);
    s->SetAppSettingsCtrl(app);
    s->AddToRecentDocs = false;
    s->AutoRestartApp = true;
    s->SetMRUValidate(false);
    s->MRUList().Add("C:\\a.txt");  // MRUCount is read-only: never written
    const std::string written = ObjectText(*form, "FormSettings1");
    EXPECT_EQ(written,
              "  object FormSettings1: TPFormSettings\n"
              "    CompanyName = 'GlyphoraTest'\n"
              "    RegistryRootKey = prkCurrentUser\n"
              "    FormSaveOpt = [pfsLeft, pfsTop]\n"
              "    SaveLocation = pslUser\n"
              "    MRULength = 0\n"
              "    MRUDisplay = pmdFileOnly\n"
              "    MRUMaxItemWidth = 300\n"
              "    MRUPlacement = pmpBefore\n"
              "    AppSettingsCtrl = AppSettings1\n"
              "    AddToRecentDocs = False\n"
              "    AutoRestartApp = True\n"
              "    MRUValidate = False\n"
              "    Settings = (\n"
              "      ''\n"
              "      'Check1.Checked'\n"
              "      ''\n"
              "      False\n"
              "    )\n"
              "  end\n");
}

TEST(FormSettings, ListLengthAndItemWidthTakeOnlyTheirRanges) {
    auto form = NewForm();
    auto* s = TComponent::Create<TPFormSettings>(form.get());
    s->SetMRUValidate(false);  // the names are of no files
    for (const char* name : {"a", "b", "c", "d"}) s->MRUList().Add(name);
    for (int refused : {10, -1, 100}) {
        s->SetMRULength(refused);
        EXPECT_EQ(s->MRULength(), 4) << refused;
    }
    s->SetMRULength(2);  // drops the last entries
    EXPECT_EQ(s->MRULength(), 2);
    EXPECT_EQ(s->MRUList().Text(), "a\r\nb\r\n");
    EXPECT_EQ(s->MRUCount(), 2);
    s->SetMRULength(9);
    EXPECT_EQ(s->MRULength(), 9);
    s->SetMRULength(0);
    EXPECT_EQ(s->MRUCount(), 0);

    for (int refused : {99, 301, -200}) {
        s->SetMRUMaxItemWidth(refused);
        EXPECT_EQ(s->MRUMaxItemWidth(), 200) << refused;
    }
    s->SetMRUMaxItemWidth(100);
    EXPECT_EQ(s->MRUMaxItemWidth(), 100);
    s->SetMRUMaxItemWidth(300);
    EXPECT_EQ(s->MRUMaxItemWidth(), 300);
}

TEST(FormSettings, KeyNameIsTheNamingThenTheFormsNameOrWhatTheHandlerMakesOfIt) {
    auto form = NewForm();
    form->SetName("TestForm");
    auto* s = TComponent::Create<TPFormSettings>(form.get());
    s->SetCompanyName("A");
    s->SetSoftwareName("");
    s->SetSoftwareVersion("1");
    EXPECT_EQ(s->GetKeyName(), "Software\\A\\1\\TestForm");

    std::string seen;
    TObject* sender = nullptr;
    s->OnSetFormKeyName = [&](TObject* from, std::string& name) {
        sender = from;
        seen = name;
        name = "Other";
    };
    EXPECT_EQ(s->GetKeyName(), "Software\\A\\1\\Other");
    EXPECT_EQ(seen, "TestForm");
    EXPECT_EQ(sender, s);
    s->OnSetFormKeyName = [](TObject*, std::string& name) { name.clear(); };
    EXPECT_EQ(s->GetKeyName(), "Software\\A\\1\\");
}
