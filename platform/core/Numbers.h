#pragma once
// Locale-dependent number, date and time formats, and the conversions between
// numbers and their text that settings rely on.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct TFormatSettings {
    char decimalSeparator = '.';
    char thousandSeparator = ',';
    char dateSeparator = '/';
    char timeSeparator = ':';
    // Format pictures: d dd m mm yy yyyy for dates, h hh n nn s ss for times,
    // "/" and ":" stand for the separators above, ampm/am/pm markers allowed.
    std::string shortDateFormat = "m/d/yyyy";
    std::string longTimeFormat = "h:nn:ss";
    std::string timeAMString = "AM";
    std::string timePMString = "PM";
};

// The process-wide settings; the platform layer fills them from the user's
// locale at start-up, tests may pin them.
TFormatSettings& FormatSettings() noexcept;

// Rounds to the nearest integer, halves to the even neighbour.
long double RoundHalfEven(long double v) noexcept;

// General format with `precision` significant digits, trailing zeros removed,
// the locale's decimal separator; scientific ("1,5E-7") for very small or large.
std::string FloatToText(long double v, int precision = 15);
std::string FloatToText(long double v, const TFormatSettings& fs, int precision = 15);

// Parses a decimal number (optional sign, digits, the locale's decimal
// separator, optional exponent), surrounding blanks allowed. Nothing else.
std::optional<long double> TextToFloat(std::string_view s);
std::optional<long double> TextToFloat(std::string_view s, const TFormatSettings& fs);

std::string IntToText(int64_t v);
std::optional<int64_t> TextToInt(std::string_view s);  // decimal, optional sign; $hex allowed
