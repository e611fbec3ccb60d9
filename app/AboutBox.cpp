// The main window's About button: the program's own About box, always
// the compact one (no further information).

#include "about/AboutDlg.h"
#include "app/AppMainForm.h"

namespace {

constexpr const char* kProgramName = "Glyphora";
constexpr const char* kVersion = "2.10";
constexpr const char* kCopyright = "Copyright © 2024 Orlenka";
constexpr const char* kEMail = "glyphora@orlenka.example";
constexpr const char* kWeb = "http://www.orlenka.example/glyphora/";

}  // namespace

void TMainForm::About(TObject* /*Sender*/) { ShowAboutDlg(kProgramName, kVersion, kCopyright, "", kEMail, kWeb); }
