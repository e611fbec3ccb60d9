#include "about/AboutDlg.h"

#include "platform/core/ClassBuilder.h"
#include "platform/win/Application.h"
#include "platform/win/Shell.h"

namespace {

constexpr TColor kLinkColor = clBlue;
constexpr TColor kHotLinkColor = clRed;

// The compact box: the contact block only, everything below it moved up.
constexpr int kCompactClientHeight = 184;
constexpr int kCompactPanelHeight = 66;
constexpr int kCompactBevelTop = 138;
constexpr int kCompactButtonTop = 150;

}  // namespace

const TClassInfo& TAboutDlg::StaticClass() {
    using D = TAboutDlg;
    static const TClassInfo info = TClassBuilder<D>("TAboutDlg", &TForm::StaticClass)
                                       .Creatable()
                                       .Field("IconImage", &D::IconImage)
                                       .Field("NameLabel", &D::NameLabel)
                                       .Field("VersionLabel", &D::VersionLabel)
                                       .Field("CopyrightLabel", &D::CopyrightLabel)
                                       .Field("Bevel1", &D::Bevel1)
                                       .Field("Panel1", &D::Panel1)
                                       .Field("Label3", &D::Label3)
                                       .Field("Label1", &D::Label1)
                                       .Field("EMailLabel", &D::EMailLabel)
                                       .Field("Label2", &D::Label2)
                                       .Field("WWWLabel", &D::WWWLabel)
                                       .Field("Label4", &D::Label4)
                                       .Field("AdditionalMemo", &D::AdditionalMemo)
                                       .Field("Bevel2", &D::Bevel2)
                                       .Field("OKBtn", &D::OKBtn)
                                       .Method<&D::EmailLabelMouseMove>("EmailLabelMouseMove")
                                       .Method<&D::WWWLabelMouseMove>("WWWLabelMouseMove")
                                       .Method<&D::FormMouseMove>("FormMouseMove")
                                       .Method<&D::EmailLabelClick>("EmailLabelClick")
                                       .Method<&D::WWWLabelClick>("WWWLabelClick")
                                       .Build();
    return info;
}

void TAboutDlg::EmailLabelMouseMove(TObject* /*Sender*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    EMailLabel->Font()->SetColor(kHotLinkColor);
    WWWLabel->Font()->SetColor(kLinkColor);
}

void TAboutDlg::WWWLabelMouseMove(TObject* /*Sender*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    EMailLabel->Font()->SetColor(kLinkColor);
    WWWLabel->Font()->SetColor(kHotLinkColor);
}

void TAboutDlg::FormMouseMove(TObject* /*Sender*/, TShiftState /*Shift*/, int /*X*/, int /*Y*/) {
    EMailLabel->Font()->SetColor(kLinkColor);
    WWWLabel->Font()->SetColor(kLinkColor);
}

void TAboutDlg::EmailLabelClick(TObject* /*Sender*/) { ShellOpen(Handle(), "mailto:" + EMailLabel->Caption()); }

void TAboutDlg::WWWLabelClick(TObject* /*Sender*/) { ShellOpen(Handle(), WWWLabel->Caption()); }

bool ShowAboutDlg(const std::string& name, const std::string& version, const std::string& copyright,
                  const std::string& additional, const std::string& email, const std::string& web) {
    // Owned by the application, yet freed here on every way out.
    TOwnedPtr<TAboutDlg> dlg(CreateOwnedForm<TAboutDlg>(Application));
    dlg->NameLabel->SetCaption(name);
    dlg->VersionLabel->SetCaption("Verze " + version);
    dlg->CopyrightLabel->SetCaption(copyright);
    dlg->IconImage->SetIcon(Application->Icon());
    dlg->EMailLabel->SetCaption(email);
    dlg->WWWLabel->SetCaption(web);
    if (additional.empty()) {
        // Designed lengths like the form file's, at the dialog's density.
        dlg->SetClientHeight(dlg->Scaled(kCompactClientHeight));
        dlg->Panel1->SetHeight(dlg->Scaled(kCompactPanelHeight));
        dlg->Bevel2->SetTop(dlg->Scaled(kCompactBevelTop));
        dlg->OKBtn->SetTop(dlg->Scaled(kCompactButtonTop));
        // Below the panel's new edge but for a strip as high as the heading's
        // leading; at a denser screen its accents would reach into the strip.
        dlg->Label4->Hide();
        dlg->AdditionalMemo->Hide();
    } else {
        dlg->AdditionalMemo->SetText(additional);
    }
    return dlg->ShowModal() == mrOk;
}
