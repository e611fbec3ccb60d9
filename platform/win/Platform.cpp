#include "platform/win/Platform.h"

#include "platform/core/Numbers.h"
#include "platform/win/Application.h"
#include "platform/win/LocalePictures.h"
#include "platform/win/Panel.h"
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
    // Lives until the process ends; its destructor frees any forms left.
    static const TOwnedPtr<TApplication> application(TComponent::Create<TApplication>(nullptr));
}
