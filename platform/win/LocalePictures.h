#pragma once
// Date and time pictures of the user's locale, as Windows gives them
// ("d. M. yyyy", "H:mm:ss", "h:mm:ss tt"), rewritten in the picture language
// of TFormatSettings (platform/core/Numbers.h), where m is the month, n the
// minute, h the hour, "/" and ":" the separators and text in quotes literal.

#include <string>
#include <string_view>

// `separator` is the locale's date (or time) separator character; where the
// picture has it, the result has `token` ('/' for dates, ':' for times).
// Month names, day names and eras have no counterpart and are dropped or kept
// as runs the formatter skips; t and tt become the "ampm" marker.
std::string PictureFromWindows(std::string_view picture, char separator, char token);

// The first character of a Windows separator or symbol when it fits one byte
// of ASCII; a no-break space reads as a space; anything else gives `fallback`.
char SeparatorFromWindows(std::string_view utf8, char fallback) noexcept;
