#pragma once
// Test helpers for the process-wide number and date formats.

#include "platform/core/Numbers.h"

// Pins the process-wide settings for one test and puts the previous ones
// back, so that no test depends on another's leftovers.
class PinnedFormatSettings {
public:
    explicit PinnedFormatSettings(const TFormatSettings& fs) : saved_(FormatSettings()) { FormatSettings() = fs; }
    ~PinnedFormatSettings() { FormatSettings() = saved_; }
    PinnedFormatSettings(const PinnedFormatSettings&) = delete;
    PinnedFormatSettings& operator=(const PinnedFormatSettings&) = delete;

private:
    TFormatSettings saved_;
};

// The formats of a Czech user: decimal comma, day.month.year.
inline TFormatSettings CzechFormats() {
    TFormatSettings fs;
    fs.decimalSeparator = ',';
    fs.thousandSeparator = ' ';
    fs.dateSeparator = '.';
    fs.timeSeparator = ':';
    fs.shortDateFormat = "d.m.yyyy";
    fs.longTimeFormat = "h:nn:ss";
    fs.timeAMString = "dop.";
    fs.timePMString = "odp.";
    return fs;
}
