#pragma once
// Date-time numbers: whole days since 30 December 1899 plus the fraction of
// the day, as stored values and variants carry them.

#include <optional>
#include <string>

#include "platform/core/Numbers.h"

using TDateTime = double;

struct TDateParts {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

std::optional<TDateTime> EncodeDateTime(const TDateParts& p);  // nullopt when out of range
TDateParts DecodeDateTime(TDateTime dt);

// Formats with a picture as TFormatSettings describes.
std::string FormatDateTime(std::string_view picture, TDateTime dt, const TFormatSettings& fs);

// The short date, then a space and the long time unless the time of day is zero.
std::string DateTimeToText(TDateTime dt);
std::string DateTimeToText(TDateTime dt, const TFormatSettings& fs);
