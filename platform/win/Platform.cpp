#include "platform/win/Platform.h"

#include "platform/core/Numbers.h"
#include "platform/win/Application.h"
#include "platform/win/Bevel.h"
#include "platform/win/Button.h"
#include "platform/win/CheckBox.h"
#include "platform/win/Edit.h"
#include "platform/win/Image.h"
#include "platform/win/Label.h"
#include "platform/win/ListBox.h"
#include "platform/win/LocalePictures.h"
#include "platform/win/Memo.h"
#include "platform/win/Menus.h"
#include "platform/win/PageControl.h"
#include "platform/win/Panel.h"
#include "platform/win/SpeedButton.h"
#include "platform/win/Splitter.h"
#include "platform/win/StatusBar.h"
#include "platform/win/StringGrid.h"
#include "platform/win/Thread.h"
#include "platform/win/Timer.h"
#include "platform/win/UpDown.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

std::string LocaleText(LCTYPE type) {
    wchar_t buffer[128] = {};
    const int n = ::GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, int(std::size(buffer)));
    return n > 0 ? Utf8(buffer) : std::string();
}

}  // namespace

void LoadLocaleFormats() {
    TFormatSettings& fs = FormatSettings();
    fs.decimalSeparator = SeparatorFromWindows(LocaleText(LOCALE_SDECIMAL), fs.decimalSeparator);
    fs.thousandSeparator = SeparatorFromWindows(LocaleText(LOCALE_STHOUSAND), fs.thousandSeparator);
    fs.dateSeparator = SeparatorFromWindows(LocaleText(LOCALE_SDATE), fs.dateSeparator);
    fs.timeSeparator = SeparatorFromWindows(LocaleText(LOCALE_STIME), fs.timeSeparator);
    if (const std::string date = LocaleText(LOCALE_SSHORTDATE); !date.empty())
        fs.shortDateFormat = PictureFromWindows(date, fs.dateSeparator, '/');
    if (const std::string time = LocaleText(LOCALE_STIMEFORMAT); !time.empty())
        fs.longTimeFormat = PictureFromWindows(time, fs.timeSeparator, ':');
    fs.timeAMString = LocaleText(LOCALE_S1159);
    fs.timePMString = LocaleText(LOCALE_S2359);
}

void RegisterWinClasses() {
    classes::Register(TForm::StaticClass());
    classes::Register(TPanel::StaticClass());
    classes::Register(TBevel::StaticClass());
    classes::Register(TButton::StaticClass());
    classes::Register(TCheckBox::StaticClass());
    classes::Register(TEdit::StaticClass());
    classes::Register(TLabel::StaticClass());
    classes::Register(TListBox::StaticClass());
    classes::Register(TMemo::StaticClass());
    classes::Register(TStatusBar::StaticClass());
    classes::Register(TUpDown::StaticClass());
    classes::Register(TPageControl::StaticClass());
    classes::Register(TTabSheet::StaticClass());
    classes::Register(TStringGrid::StaticClass());
    classes::Register(TSplitter::StaticClass());
    classes::Register(TSpeedButton::StaticClass());
    classes::Register(TMenuItem::StaticClass());
    classes::Register(TPopupMenu::StaticClass());
    classes::Register(TMainMenu::StaticClass());
    classes::Register(TTimer::StaticClass());
    classes::Register(TImage::StaticClass());
}

void InitPlatform() {
    static bool done = false;
    if (done) return;
    done = true;
    InstallAnsiCodec();
    LoadLocaleFormats();
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    RegisterWinClasses();
    InitThreadSync();
    // Lives until the process ends; its destructor frees any forms left.
    static const TOwnedPtr<TApplication> application(TComponent::Create<TApplication>(nullptr));
}
