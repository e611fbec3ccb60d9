#include "platform/core/DateTime.h"

#include <gtest/gtest.h>

#include "tests/core/PinnedFormatSettings.h"

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace {

// Separators unlike any letter of the pictures, so that a "/" or ":" copied
// through unchanged shows.
TFormatSettings Unusual() {
    TFormatSettings fs;
    fs.dateSeparator = '-';
    fs.timeSeparator = '.';
    fs.timeAMString = "dop.";
    fs.timePMString = "odp.";
    return fs;
}

TDateParts Parts(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0) {
    TDateParts p;
    p.year = y;
    p.month = mo;
    p.day = d;
    p.hour = h;
    p.minute = mi;
    p.second = s;
    p.millisecond = ms;
    return p;
}

std::string Show(const TDateParts& p) {
    return std::to_string(p.year) + "-" + std::to_string(p.month) + "-" + std::to_string(p.day) + " " +
           std::to_string(p.hour) + ":" + std::to_string(p.minute) + ":" + std::to_string(p.second) + "." +
           std::to_string(p.millisecond);
}

TDateTime Encode(const TDateParts& p) {
    const auto dt = EncodeDateTime(p);
    EXPECT_TRUE(dt.has_value()) << Show(p);
    return dt.value_or(0);
}

// --- EncodeDateTime, DecodeDateTime ---------------------------------------

struct KnownDate {
    TDateParts parts;
    TDateTime value;
};

const KnownDate kKnownDates[] = {
    {Parts(1899, 12, 30), 0},
    {Parts(1899, 12, 31), 1},
    {Parts(1899, 12, 29), -1},
    {Parts(1900, 1, 1), 2},
    {Parts(1900, 3, 1), 61},  // 1900 has no 29 February
    {Parts(2000, 1, 1), 36526},
    {Parts(2026, 12, 10), 46366},
    {Parts(1800, 3, 1), -36463},
    {Parts(1, 1, 1), -693593},
    {Parts(9999, 12, 31), 2958465},
    {Parts(1899, 12, 30, 12), 0.5},
    {Parts(1899, 12, 30, 6), 0.25},
    {Parts(1899, 12, 31, 18), 1.75},
    // Before the epoch the time of day still counts forwards from midnight,
    // so it moves the number away from zero.
    {Parts(1899, 12, 29, 6), -1.25},
    {Parts(1899, 12, 28, 18), -2.75},
};

}  // namespace

TEST(EncodeDateTime, GivesDaysSinceTheEpochPlusTheTimeOfDay)
{
    for (const KnownDate& k : kKnownDates) EXPECT_EQ(EncodeDateTime(k.parts), k.value) << Show(k.parts);
}

TEST(DecodeDateTime, InvertsTheKnownDates)
{
    for (const KnownDate& k : kKnownDates) EXPECT_EQ(Show(DecodeDateTime(k.value)), Show(k.parts)) << k.value;
}

TEST(EncodeDateTime, RefusesPartsOutOfRange)
{
    const TDateParts bad[] = {
        Parts(0, 1, 1),      Parts(10000, 1, 1), Parts(2000, 0, 1),          Parts(2000, 13, 1),
        Parts(2000, 1, 0),   Parts(2000, 1, 32), Parts(2001, 2, 29),         Parts(1900, 2, 29),
        Parts(2100, 2, 29),  Parts(2000, 4, 31), Parts(2000, 6, 31),         Parts(2000, 1, 1, 24),
        Parts(2000, 1, 1, -1), Parts(2000, 1, 1, 0, 60), Parts(2000, 1, 1, 0, 0, 60), Parts(2000, 1, 1, 0, 0, 0, 1000),
        Parts(2000, 1, 1, 0, 0, 0, -1),
    };
    for (const TDateParts& p : bad) EXPECT_FALSE(EncodeDateTime(p).has_value()) << Show(p);
    // The valid neighbours of the refused ones.
    const TDateParts good[] = {
        Parts(2000, 2, 29), Parts(2004, 2, 29), Parts(2000, 4, 30), Parts(2000, 1, 31),
        Parts(2000, 12, 31, 23, 59, 59, 999),
    };
    for (const TDateParts& p : good) EXPECT_TRUE(EncodeDateTime(p).has_value()) << Show(p);
}

TEST(EncodeDateTime, CountsEveryDayOfTheCalendarOnce)
{
    // Walks 1 January 1 to 31 December 9999 day by day: each valid date is
    // one more than the previous, and decodes back to itself.
    double expected = -693593;
    int checked = 0;
    for (int y = 1; y <= 9999; ++y) {
        for (int m = 1; m <= 12; ++m) {
            for (int d = 1; d <= 31; ++d) {
                const auto dt = EncodeDateTime(Parts(y, m, d));
                if (!dt) continue;
                ++checked;
                if (*dt != expected) {
                    ADD_FAILURE() << Show(Parts(y, m, d)) << " gave " << *dt << ", expected " << expected;
                    return;
                }
                const TDateParts back = DecodeDateTime(*dt);
                if (back.year != y || back.month != m || back.day != d) {
                    ADD_FAILURE() << *dt << " decoded as " << Show(back);
                    return;
                }
                ++expected;
            }
        }
    }
    EXPECT_EQ(checked, 2958465 + 693593 + 1);
}

TEST(DecodeDateTime, RoundsToTheNearestMillisecond)
{
    struct Case {
        TDateTime in;
        TDateParts out;
    };
    const double ms = 1.0 / 86400000;
    const Case cases[] = {
        {0.5, Parts(1899, 12, 30, 12)},
        {1.0 / 3, Parts(1899, 12, 30, 8)},
        {2.0 / 3, Parts(1899, 12, 30, 16)},
        {46366 + 0.4 * ms, Parts(2026, 12, 10)},
        {46366 + 0.6 * ms, Parts(2026, 12, 10, 0, 0, 0, 1)},
        {46366 + 1 - 0.4 * ms, Parts(2026, 12, 11)},  // rounds up into the next day
        {46366 + 1 - 0.6 * ms, Parts(2026, 12, 10, 23, 59, 59, 999)},
        {-0.25, Parts(1899, 12, 30, 6)},  // no whole day before the epoch
        {-1 - 0.4 * ms, Parts(1899, 12, 29)},
        // 29 December at almost midnight rounds to the next calendar day,
        // although the number is close to -2.
        {-2 + 0.4 * ms, Parts(1899, 12, 30)},
        {-2 + 0.6 * ms, Parts(1899, 12, 29, 23, 59, 59, 999)},
    };
    for (const Case& c : cases) EXPECT_EQ(Show(DecodeDateTime(c.in)), Show(c.out)) << c.in;
}

TEST(DecodeDateTime, ReadsBackEveryEncodedTime)
{
    // Every 997th millisecond of a day after and a day before the epoch
    // (a prime step, so that all digit positions vary).
    for (const TDateParts day : {Parts(2026, 12, 10), Parts(1800, 3, 1)}) {
        for (int ms = 0; ms < 86400000; ms += 997) {
            TDateParts p = day;
            p.hour = ms / 3600000;
            p.minute = ms / 60000 % 60;
            p.second = ms / 1000 % 60;
            p.millisecond = ms % 1000;
            const TDateParts back = DecodeDateTime(Encode(p));
            if (Show(back) != Show(p)) {
                ADD_FAILURE() << Show(p) << " came back as " << Show(back);
                return;
            }
        }
    }
}

TEST(DecodeDateTime, GivesTheEpochForNumbersWithoutADate)
{
    const double values[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(), 1e300};
    for (double v : values) EXPECT_EQ(Show(DecodeDateTime(v)), Show(TDateParts{})) << v;
}

// --- FormatDateTime ---------------------------------------------------------

TEST(FormatDateTime, ExpandsEachFieldOfThePicture)
{
    struct Case {
        const char* picture;
        TDateParts at;
        const char* out;
    };
    const TDateParts afternoon = Parts(2026, 12, 10, 14, 5, 9, 7);
    const TDateParts morning = Parts(2026, 3, 5, 8, 4, 3, 45);
    const Case cases[] = {
        {"d/m/yyyy", afternoon, "10-12-2026"},
        {"d/m/yyyy", morning, "5-3-2026"},
        {"dd/mm/yy", morning, "05-03-26"},
        {"yyyy", Parts(5, 1, 1), "0005"},
        {"yy", Parts(2005, 1, 1), "05"},
        {"h:nn:ss", morning, "8.04.03"},
        {"hh:nn:ss", morning, "08.04.03"},
        {"h:n:s", morning, "8.4.3"},
        {"hh:nn:ss", afternoon, "14.05.09"},
        {"z", morning, "45"},
        {"zzz", morning, "045"},
        {"zzz", afternoon, "007"},
        {"D.M.YYYY H:NN", morning, "5.3.2026 8.04"},  // letters in either case
        // An m after an hour is the minute, even across separators...
        {"h:mm", morning, "8.04"},
        {"H:M", morning, "8.4"},
        {"hh mm ss", morning, "08 04 03"},
        // ...but the month anywhere else, or once another field intervenes.
        {"m", morning, "3"},
        {"mm/yyyy", morning, "03-2026"},
        {"h d m", morning, "8 5 3"},
        {"m h", morning, "3 8"},
        // Names are not supported: their fields produce nothing.
        {"ddd|dddd|mmm|mmmm", morning, "|||"},
    };
    const TFormatSettings fs = Unusual();
    for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.picture, Encode(c.at), fs), c.out) << c.picture;
}

TEST(FormatDateTime, SwitchesToTheTwelveHourClockWithAMarker)
{
    struct Case {
        const char* picture;
        int hour;
        const char* out;
    };
    const Case cases[] = {
        {"h ampm", 0, "12 dop."},
        {"h ampm", 9, "9 dop."},
        {"h ampm", 12, "12 odp."},
        {"hh ampm", 14, "02 odp."},
        {"ampm h", 23, "odp. 11"},  // a marker before the hour counts too
        {"h am/pm", 14, "2 pm"},
        {"h AM/PM", 9, "9 AM"},
        {"h a/p", 14, "2 p"},
        {"h A/P", 9, "9 A"},
        // Without a marker the clock has 24 hours.
        {"h", 0, "0"},
        {"h", 14, "14"},
        {"h 'ampm'", 14, "14 ampm"},  // a quoted marker is only text
    };
    const TFormatSettings fs = Unusual();
    for (const Case& c : cases)
        EXPECT_EQ(FormatDateTime(c.picture, Encode(Parts(2026, 1, 1, c.hour)), fs), c.out)
            << c.picture << " at " << c.hour;
}

TEST(FormatDateTime, CopiesLiteralsAndQuotedTextUnchanged)
{
    struct Case {
        const char* picture;
        const char* out;
    };
    const Case cases[] = {
        {"'day' d", "day 5"},
        {"\"h:m\" h", "h:m 8"},
        {"d'/'m", "5/3"},  // a quoted separator is not replaced
        {"d/m", "5-3"},
        {"'it''s'", "its"},
        {"'unclosed d", "unclosed d"},
        {"x d!", "x 5!"},
        {"", ""},
    };
    const TFormatSettings fs = Unusual();
    const TDateTime at = Encode(Parts(2026, 3, 5, 8, 4, 3));
    for (const Case& c : cases) EXPECT_EQ(FormatDateTime(c.picture, at, fs), c.out) << c.picture;
}

// --- DateTimeToText ---------------------------------------------------------

TEST(DateTimeToText, WritesTheDateAndATimeOfDayUnlessItIsMidnight)
{
    struct Case {
        TDateTime at;
        const char* czech;
        const char* defaults;
    };
    const double ms = 1.0 / 86400000;
    const Case cases[] = {
        {Encode(Parts(2026, 12, 10, 14, 5, 9)), "10.12.2026 14:05:09", "12/10/2026 14:05:09"},
        {Encode(Parts(2026, 12, 10)), "10.12.2026", "12/10/2026"},
        {Encode(Parts(2026, 12, 10, 0, 0, 0, 1)), "10.12.2026 0:00:00", "12/10/2026 0:00:00"},
        {46366 + 0.4 * ms, "10.12.2026", "12/10/2026"},  // less than a millisecond is no time
        {-1.25, "29.12.1899 6:00:00", "12/29/1899 6:00:00"},
        {0, "30.12.1899", "12/30/1899"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DateTimeToText(c.at, CzechFormats()), c.czech) << c.at;
        EXPECT_EQ(DateTimeToText(c.at, TFormatSettings{}), c.defaults) << c.at;
    }
}

TEST(DateTimeToText, WithoutSettingsUsesTheProcessWideOnes)
{
    const TDateTime at = Encode(Parts(2026, 12, 10, 14, 5, 9));
    {
        PinnedFormatSettings pin(CzechFormats());
        EXPECT_EQ(DateTimeToText(at), "10.12.2026 14:05:09");
    }
    PinnedFormatSettings pin(TFormatSettings{});
    EXPECT_EQ(DateTimeToText(at), "12/10/2026 14:05:09");
}
