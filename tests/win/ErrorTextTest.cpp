#include "platform/win/ErrorText.h"

#include <gtest/gtest.h>

namespace {

struct FullStopCase {
    const char* message;
    bool appended;
};

// The rule compares the last character's code with that of '.' (46).
const FullStopCase kCases[] = {
    {"", false},
    {"Error", true},
    {"done.", false},
    {"Is it?", true},          // '?' is 63
    {"Stream read error (x)", false},  // ')' is 41
    {"List index out of bounds (3", true},
    {"a-", false},              // '-' is 45, just below
    {"a/", true},               // '/' is 47, just above
    {"ends with a comma,", false},
    {"trailing space ", false},
    {"Tu\xC4\x8Dn\xC3\xA9", true},              // "Tučné": é, two bytes
    {"price \xE2\x82\xAC", true},               // €, three bytes
    {"smile \xF0\x9F\x98\x80", true},           // U+1F600, four bytes
    {"broken \xC3", true},                      // a cut sequence counts as U+FFFD
};

TEST(FullStop, AppendsOnlyWhenTheLastCharacterIsAboveTheFullStop) {
    for (const FullStopCase& c : kCases) {
        const std::string expected = std::string(c.message) + (c.appended ? "." : "");
        EXPECT_EQ(WithFullStop(c.message), expected) << "message: \"" << c.message << '"';
    }
}

TEST(FullStop, IsAppliedOnceNotRepeatedly) {
    const std::string once = WithFullStop("Error");
    EXPECT_EQ(WithFullStop(once), once);
}

}  // namespace
