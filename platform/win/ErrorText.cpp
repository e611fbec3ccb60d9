#include "platform/win/ErrorText.h"

#include "platform/core/Text.h"

std::string WithFullStop(std::string_view message) {
    std::string out(message);
    if (message.empty()) return out;
    // Step back over continuation bytes to the start of the last character.
    size_t start = message.size() - 1;
    for (int k = 0; k < 3 && start > 0 && (static_cast<unsigned char>(message[start]) & 0xC0) == 0x80; ++k)
        --start;
    const std::u16string last = text::Utf8ToUtf16(message.substr(start));
    // A character beyond the BMP ends in a low surrogate, which is above '.'
    // just as the character itself is.
    if (!last.empty() && last.back() > u'.') out += '.';
    return out;
}
