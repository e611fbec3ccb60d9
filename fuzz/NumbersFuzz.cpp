// The 10-byte extended number, the exact float texts of form files, and
// the locale's float, integer and date texts. The first byte picks what is
// tried; the rest is the number's image or the text.

#include <cmath>
#include <cstring>

#include "FuzzSupport.h"
#include "platform/core/DateTime.h"
#include "platform/core/Extended.h"
#include "platform/core/FloatText.h"
#include "tests/core/PinnedFormatSettings.h"

namespace {

using floattext::TFloatFormat;
using fuzz::Bytes;

constexpr TFloatFormat kFormats[] = {TFloatFormat::Single, TFloatFormat::Double, TFloatFormat::Extended};

// The image of `format` from the front of `bytes`, zeros where they run out.
Bytes Image(const Bytes& bytes, TFloatFormat format) {
    Bytes image(floattext::ImageSize(format), 0);
    if (!bytes.empty()) std::memcpy(image.data(), bytes.data(), std::min(image.size(), bytes.size()));
    return image;
}

// Format gives the shortest decimal that parses back to exactly the image.
void CheckFormatParses(const Bytes& image, TFloatFormat format) {
    const std::optional<std::string> text = floattext::Format(image.data(), format);
    if (!text) return;
    const std::optional<Bytes> back = floattext::Parse(*text, format);
    if (!back || *back != image) std::fprintf(stderr, "formatted as %s\n", text->c_str());
    FUZZ_CHECK(back && *back == image, "the decimal of an image parses back to the same image");
}

void Extended(const Bytes& bytes) {
    TExtended10 e;
    const Bytes image = Image(bytes, TFloatFormat::Extended);
    std::memcpy(e.bytes.data(), image.data(), e.bytes.size());
    const long double v = e.ToLongDouble();
    const long double back = TExtended10::FromLongDouble(v).ToLongDouble();
    FUZZ_CHECK((std::isnan(v) && std::isnan(back)) || (v == back && std::signbit(v) == std::signbit(back)),
               "a number read from 10 bytes writes and reads back as itself");
    CheckFormatParses(image, TFloatFormat::Extended);
}

void ParseText(std::string_view text) {
    for (const TFloatFormat format : kFormats) {
        const std::optional<Bytes> image = floattext::Parse(text, format);
        if (!image) continue;
        FUZZ_CHECK(image->size() == floattext::ImageSize(format), "an image has its format's size");
        CheckFormatParses(*image, format);
    }
}

// The locale's texts: what FloatToText writes, TextToFloat reads, in both
// the default and the Czech formats; integers come back exactly.
void LocaleTexts(std::string_view text) {
    for (const TFormatSettings& fs : {TFormatSettings{}, CzechFormats()}) {
        const std::optional<long double> v = TextToFloat(text, fs);
        if (!v || !std::isfinite(*v)) continue;
        for (const int precision : {15, 18}) {
            const std::string written = FloatToText(*v, fs, precision);
            if (!TextToFloat(written, fs)) std::fprintf(stderr, "written as %s\n", written.c_str());
            FUZZ_CHECK(TextToFloat(written, fs).has_value(), "FloatToText writes a text that TextToFloat reads");
        }
    }
    if (const std::optional<int64_t> i = TextToInt(text)) {
        FUZZ_CHECK(TextToInt(IntToText(*i)) == i, "an integer's text reads back as the integer");
    }
}

// A date-time number (the double image) formatted with the picture that
// follows it, and the parts of a date that encodes decoding back to it.
void Dates(const Bytes& bytes) {
    const Bytes image = Image(bytes, TFloatFormat::Double);
    double dt = 0;
    std::memcpy(&dt, image.data(), sizeof dt);
    const std::string_view picture(reinterpret_cast<const char*>(bytes.data()) + std::min(bytes.size(), image.size()),
                                   bytes.size() - std::min(bytes.size(), image.size()));
    (void)FormatDateTime(picture, dt, CzechFormats());
    (void)DateTimeToText(dt, TFormatSettings{});
    (void)FloatToText(dt);
    CheckFormatParses(image, TFloatFormat::Double);

    const TDateParts p = DecodeDateTime(dt);
    if (const std::optional<TDateTime> encoded = EncodeDateTime(p)) {
        const TDateParts q = DecodeDateTime(*encoded);
        FUZZ_CHECK(q.year == p.year && q.month == p.month && q.day == p.day && q.hour == p.hour &&
                       q.minute == p.minute && q.second == p.second && q.millisecond == p.millisecond,
                   "the parts of a decoded date encode and decode to themselves");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::TInput input(data, size);
    const uint8_t mode = input.Byte();
    switch (mode % 6) {
        case 0: Extended(input.Rest()); break;
        case 1: CheckFormatParses(Image(input.Rest(), TFloatFormat::Single), TFloatFormat::Single); break;
        case 2: CheckFormatParses(Image(input.Rest(), TFloatFormat::Double), TFloatFormat::Double); break;
        case 3: ParseText(input.RestText()); break;
        case 4: LocaleTexts(input.RestText()); break;
        case 5: Dates(input.Rest()); break;
    }
    return 0;
}
