#pragma once
// How string values look in form text (see Filer.h): which prefix each
// stored string needs to come back byte for byte, and the bytes that quoted
// text stands for.

#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Filer.h"
#include "platform/core/FormLexer.h"

namespace formtext {

// The text of a stored string of tag 6, 12, 18 or 20 (`payload` as stored:
// bytes, or UTF-16LE units for 18): the prefix, then quoted pieces and #nnn
// codes in chunks of about 64 columns, to be joined with " +" line breaks.
std::vector<std::string> StringText(TValueType tag, std::string_view payload);

// Writes the value that a string of the given prefix (0, 'A', 'U' or 'W')
// and pieces stands for; EParserError (at `line`) when a piece cannot be
// stored that way.
void WriteStringValue(TWriter& writer, char prefix, const std::vector<StringPiece>& pieces, int line);

}  // namespace formtext
