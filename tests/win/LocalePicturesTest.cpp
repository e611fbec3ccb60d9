#include "platform/win/LocalePictures.h"

#include <gtest/gtest.h>

#include "platform/core/DateTime.h"
#include "platform/core/Numbers.h"
#include "platform/win/Platform.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

struct PictureCase {
    const char* windows;
    char separator;
    char token;
    const char* expected;
};

const PictureCase kPictures[] = {
    {"d. M. yyyy", '.', '/', "d/ m/ yyyy"},
    {"M/d/yyyy", '/', '/', "m/d/yyyy"},
    {"dd.MM.yy", '.', '/', "dd/mm/yy"},
    {"yyyy-MM-dd", '-', '/', "yyyy/mm/dd"},
    {"yyyy-MM-dd", '/', '/', "yyyy-mm-dd"},  // a dash that is not the separator stays a dash
    {"H:mm:ss", ':', ':', "h:nn:ss"},
    {"HH:mm", ':', ':', "hh:nn"},
    {"h:mm:ss tt", ':', ':', "h:nn:ss ampm"},
    {"H.mm", '.', ':', "h:nn"},
    {"'Day' d", '.', '/', "\"Day\" d"},
    {"d 'o''clock'", '.', '/', "d \"o'clock\""},
    {"d 'say \"hi\"'", '.', '/', "d \"say\" '\"'\"hi\"'\"'"},
    {"gg yyyy", '/', '/', " yyyy"},
};

TEST(LocalePictures, TranslatesWindowsPictures) {
    for (const PictureCase& c : kPictures)
        EXPECT_EQ(PictureFromWindows(c.windows, c.separator, c.token), c.expected) << "picture: " << c.windows;
}

// Windows itself formats with the original picture; the translated one must
// give the same text through our formatter. 14:05:09 on 7 March 2024 keeps
// month (3), minute (5), day (7) and hours apart.
struct OracleCase {
    const char* windows;
    char separator;
    bool time;
};

const OracleCase kOracle[] = {
    {"d. M. yyyy", '.', false}, {"M/d/yyyy", '/', false}, {"dd.MM.yy", '.', false},
    {"yyyy-MM-dd", '-', false}, {"yyyy-MM-dd", '/', false}, {"'Day' dd", '.', false},
    {"d 'say \"hi\"'", '.', false}, {"H:mm:ss", ':', true}, {"HH:mm", ':', true}, {"h:mm:ss tt", ':', true},
    {"H.mm.ss", '.', true},     {"H 'h' m 'min'", ':', true},
};

std::string WindowsFormats(const OracleCase& c, const SYSTEMTIME& st) {
    wchar_t buffer[128] = {};
    const std::wstring picture = Wide(c.windows);
    const int n = c.time ? ::GetTimeFormatW(LOCALE_INVARIANT, 0, &st, picture.c_str(), buffer, 128)
                         : ::GetDateFormatW(LOCALE_INVARIANT, 0, &st, picture.c_str(), buffer, 128);
    return n > 0 ? Utf8(buffer) : "(GetXxxFormatW failed)";
}

TEST(LocalePictures, TranslatedPicturesFormatAsWindowsDoes) {
    for (const WORD hour : {WORD(14), WORD(9)}) {
        SYSTEMTIME st{};
        st.wYear = 2024, st.wMonth = 3, st.wDay = 7, st.wHour = hour, st.wMinute = 5, st.wSecond = 9;
        const TDateTime dt = *EncodeDateTime({2024, 3, 7, hour, 5, 9, 0});
        for (const OracleCase& c : kOracle) {
            TFormatSettings fs;
            (c.time ? fs.timeSeparator : fs.dateSeparator) = c.separator;
            fs.timeAMString = "AM";
            fs.timePMString = "PM";
            const std::string ours = FormatDateTime(PictureFromWindows(c.windows, c.separator, c.time ? ':' : '/'), dt, fs);
            EXPECT_EQ(ours, WindowsFormats(c, st)) << "picture: " << c.windows << ", hour " << hour;
        }
    }
}

TEST(LocalePictures, UserLocaleFormatsAsWindowsDoes) {
    LoadLocaleFormats();
    SYSTEMTIME st{};
    st.wYear = 2024, st.wMonth = 3, st.wDay = 7, st.wHour = 14, st.wMinute = 5, st.wSecond = 9;
    const TDateTime dt = *EncodeDateTime({2024, 3, 7, 14, 5, 9, 0});
    wchar_t date[128] = {}, time[128] = {};
    ASSERT_GT(::GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &st, nullptr, date, 128), 0);
    ASSERT_GT(::GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &st, nullptr, time, 128), 0);
    const TFormatSettings& fs = FormatSettings();
    EXPECT_EQ(FormatDateTime(fs.shortDateFormat, dt, fs), Utf8(date));
    EXPECT_EQ(FormatDateTime(fs.longTimeFormat, dt, fs), Utf8(time));
    wchar_t decimal[8] = {};
    ::GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal, 8);
    EXPECT_EQ(std::string(1, fs.decimalSeparator), Utf8(decimal));
}

struct SeparatorCase {
    const char* windows;
    char expected;
};

const SeparatorCase kSeparators[] = {
    {".", '.'}, {". ", '.'}, {",", ','}, {"\xC2\xA0", ' '}, {"", '#'}, {"\xE2\x80\x99", '#'},
};

TEST(LocalePictures, SeparatorsFitOneByteOrFallBack) {
    for (const SeparatorCase& c : kSeparators)
        EXPECT_EQ(SeparatorFromWindows(c.windows, '#'), c.expected) << "separator: \"" << c.windows << '"';
}

}  // namespace
