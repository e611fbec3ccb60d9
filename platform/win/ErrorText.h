#pragma once
// The text that the application's error box shows for an exception.

#include <string>
#include <string_view>

// `message` with a full stop appended when the code of its last character
// (a whole UTF-8 sequence counts as one character) is above that of '.'.
// Empty text stays empty.
std::string WithFullStop(std::string_view message);
