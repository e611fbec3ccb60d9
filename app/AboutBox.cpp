// The main window's About button: the program's own About box, always
// the compact one (no further information).

#include "about/AboutDlg.h"
#include "app/AppMainForm.h"
#include "app/Version.h"

namespace {

constexpr const char* kProgramName = GLYPHORA_PRODUCT;
constexpr const char* kVersion = GLYPHORA_VERSION;
constexpr const char* kCopyright = GLYPHORA_COPYRIGHT;
constexpr const char* kEMail = "glyphora@orlenka.example";
constexpr const char* kWeb = "http://www.orlenka.example/glyphora/";

}  // namespace

void TMainForm::About(TObject* /*Sender*/) { ShowAboutDlg(kProgramName, kVersion, kCopyright, "", kEMail, kWeb); }
