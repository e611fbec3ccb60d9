#include "platform/core/DateTime.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace {

constexpr int64_t kMsPerDay = 86400000;

bool IsLeapYear(int year) noexcept { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) noexcept {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Days from 0000-03-01 in the proleptic Gregorian calendar, counting years
// from March so that the leap day falls at the end of each cycle year.
int64_t DaysFromCivil(int64_t y, int m, int d) noexcept {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe;
}

void CivilFromDays(int64_t z, TDateParts& p) noexcept {
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    p.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    p.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    p.year = static_cast<int>(yoe + era * 400 + (p.month <= 2));
}

const int64_t kEpoch = DaysFromCivil(1899, 12, 30);

std::string Padded(int64_t value, size_t width) {
    std::string s = std::to_string(value);
    if (s.size() < width) s.insert(0, width - s.size(), '0');
    return s;
}

char Lower(char c) noexcept { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithNoCase(std::string_view s, size_t at, std::string_view prefix) noexcept {
    if (s.size() - at < prefix.size()) return false;
    for (size_t k = 0; k < prefix.size(); ++k)
        if (Lower(s[at + k]) != prefix[k]) return false;
    return true;
}

// Length of the half-day marker starting at `at`, or 0 when there is none.
size_t MarkerLength(std::string_view picture, size_t at) noexcept {
    if (StartsWithNoCase(picture, at, "am/pm")) return 5;
    if (StartsWithNoCase(picture, at, "ampm")) return 4;
    if (StartsWithNoCase(picture, at, "a/p")) return 3;
    return 0;
}

size_t QuotedEnd(std::string_view picture, size_t open) noexcept {
    const size_t close = picture.find(picture[open], open + 1);
    return close == std::string_view::npos ? picture.size() : close + 1;
}

// A half-day marker anywhere in the picture switches every hour in it to the
// twelve-hour clock, even one written before the marker.
bool UsesTwelveHourClock(std::string_view picture) noexcept {
    for (size_t i = 0; i < picture.size();) {
        if (picture[i] == '\'' || picture[i] == '"') {
            i = QuotedEnd(picture, i);
        } else if (MarkerLength(picture, i) != 0) {
            return true;
        } else {
            ++i;
        }
    }
    return false;
}

}  // namespace

std::optional<TDateTime> EncodeDateTime(const TDateParts& p) {
    if (p.year < 1 || p.year > 9999 || p.month < 1 || p.month > 12) return std::nullopt;
    if (p.day < 1 || p.day > DaysInMonth(p.year, p.month)) return std::nullopt;
    if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || p.second < 0 || p.second > 59 ||
        p.millisecond < 0 || p.millisecond > 999)
        return std::nullopt;
    const int64_t days = DaysFromCivil(p.year, p.month, p.day) - kEpoch;
    const int64_t ms = ((p.hour * 60LL + p.minute) * 60 + p.second) * 1000 + p.millisecond;
    const double time = static_cast<double>(ms) / static_cast<double>(kMsPerDay);
    // Before the epoch the time of day still counts forwards, so it moves the
    // number away from zero: -1.25 is 29 December 1899, 6:00.
    return days < 0 ? static_cast<double>(days) - time : static_cast<double>(days) + time;
}

TDateParts DecodeDateTime(TDateTime dt) {
    TDateParts p;
    // Beyond a few million years the calendar arithmetic would overflow int;
    // such numbers (and NaN, infinities) decode as the epoch itself.
    if (!std::isfinite(dt) || std::fabs(dt) > 7.0e8) return p;
    const double whole = std::trunc(dt);
    int64_t days = static_cast<int64_t>(whole);
    // The product is rounded once in long double and then to the nearest
    // millisecond, so 0.5 gives exactly 12:00:00.000 and a value stored a
    // hair below a millisecond boundary still shows the intended time.
    int64_t ms = std::llround(static_cast<long double>(std::fabs(dt - whole)) * kMsPerDay);
    if (ms >= kMsPerDay) {
        // Rounded up to midnight: the next calendar day, on either side of
        // the epoch.
        ms -= kMsPerDay;
        ++days;
    }
    CivilFromDays(days + kEpoch, p);
    p.millisecond = static_cast<int>(ms % 1000);
    p.second = static_cast<int>(ms / 1000 % 60);
    p.minute = static_cast<int>(ms / 60000 % 60);
    p.hour = static_cast<int>(ms / 3600000);
    return p;
}

std::string FormatDateTime(std::string_view picture, TDateTime dt, const TFormatSettings& fs) {
    const TDateParts p = DecodeDateTime(dt);
    const bool twelveHour = UsesTwelveHourClock(picture);
    std::string out;
    // An "m" that follows an hour means minutes ("h:mm"); any other field in
    // between makes it the month again. Literals do not break the link.
    bool afterHour = false;
    for (size_t i = 0; i < picture.size();) {
        const char c = picture[i];
        const char lc = Lower(c);
        if (c == '\'' || c == '"') {
            // An unclosed quote runs to the end of the picture.
            const size_t close = std::min(picture.find(c, i + 1), picture.size());
            out.append(picture.substr(i + 1, close - i - 1));
            i = close + 1;
            continue;
        }
        if (const size_t marker = MarkerLength(picture, i)) {
            const bool pm = p.hour >= 12;
            if (marker == 4) {
                out += pm ? fs.timePMString : fs.timeAMString;
            } else if (marker == 5) {
                out.append(picture.substr(pm ? i + 3 : i, 2));  // keeps the picture's letter case
            } else {
                out += picture[pm ? i + 2 : i];
            }
            afterHour = false;
            i += marker;
            continue;
        }
        if (lc != 'd' && lc != 'm' && lc != 'y' && lc != 'h' && lc != 'n' && lc != 's' && lc != 'z') {
            if (c == '/')
                out += fs.dateSeparator;
            else if (c == ':')
                out += fs.timeSeparator;
            else
                out += c;
            ++i;
            continue;
        }
        size_t run = 1;
        while (i + run < picture.size() && Lower(picture[i + run]) == lc) ++run;
        i += run;
        switch (lc) {
        case 'd':
            // Three or more d's would be day names, which the program never
            // shows; they produce nothing rather than a misleading number.
            if (run <= 2) out += Padded(p.day, run);
            break;
        case 'm':
            if (afterHour) {
                out += Padded(p.minute, run >= 2 ? 2 : 1);
            } else if (run <= 2) {
                out += Padded(p.month, run);  // longer runs would be month names
            }
            break;
        case 'y':
            out += run <= 2 ? Padded(p.year % 100, 2) : Padded(p.year, 4);
            break;
        case 'h': {
            int hour = p.hour;
            if (twelveHour) hour = hour % 12 == 0 ? 12 : hour % 12;
            out += Padded(hour, run >= 2 ? 2 : 1);
            break;
        }
        case 'n':
            out += Padded(p.minute, run >= 2 ? 2 : 1);
            break;
        case 's':
            out += Padded(p.second, run >= 2 ? 2 : 1);
            break;
        case 'z':
            out += Padded(p.millisecond, run >= 3 ? 3 : 1);
            break;
        }
        afterHour = lc == 'h';
    }
    return out;
}

std::string DateTimeToText(TDateTime dt) { return DateTimeToText(dt, FormatSettings()); }

std::string DateTimeToText(TDateTime dt, const TFormatSettings& fs) {
    std::string out = FormatDateTime(fs.shortDateFormat, dt, fs);
    // Decided on the rounded parts: a fraction too small to reach a
    // millisecond would otherwise print as " 0:00:00".
    const TDateParts p = DecodeDateTime(dt);
    if (p.hour != 0 || p.minute != 0 || p.second != 0 || p.millisecond != 0) {
        out += ' ';
        out += FormatDateTime(fs.longTimeFormat, dt, fs);
    }
    return out;
}
