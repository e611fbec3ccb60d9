#pragma once
// The About box: the program's name, version, copyright line and icon, the
// author's e-mail and web addresses as links, and optionally a block of
// further information. ShowAboutDlg makes it, shows it modally and frees it.

#include <string>

#include "platform/win/Bevel.h"
#include "platform/win/Button.h"
#include "platform/win/Form.h"
#include "platform/win/Image.h"
#include "platform/win/Label.h"
#include "platform/win/Memo.h"
#include "platform/win/Panel.h"

class TAboutDlg : public TForm {
    GLY_CLASS(TAboutDlg)
public:
    using TForm::TForm;

    // Controls, filled in by the form file.
    TImage* IconImage = nullptr;
    TLabel* NameLabel = nullptr;
    TLabel* VersionLabel = nullptr;
    TLabel* CopyrightLabel = nullptr;
    TBevel* Bevel1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* EMailLabel = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* WWWLabel = nullptr;
    TLabel* Label4 = nullptr;
    TMemo* AdditionalMemo = nullptr;
    TBevel* Bevel2 = nullptr;
    TButton* OKBtn = nullptr;

    // The link under the pointer is red, the other one blue; elsewhere both
    // are blue.
    void EmailLabelMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void WWWLabelMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void FormMouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    // The shell opens the address; the box stays open.
    void EmailLabelClick(TObject* Sender);
    void WWWLabelClick(TObject* Sender);
};

// Shows the About box modally with the texts given; an empty `additional`
// gives the compact box without the information block. True when it was
// closed with OK (the button, Enter or Esc), false when it was closed
// otherwise (the close box, the system menu). The box is freed before this
// returns, also when an error ends it.
bool ShowAboutDlg(const std::string& name, const std::string& version, const std::string& copyright,
                  const std::string& additional, const std::string& email, const std::string& web);
