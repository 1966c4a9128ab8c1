#pragma once
// Shifting the characters of a text by the digits of a numeric key. The two
// routines are separate schemes: UnscrambleText does not undo ScrambleText.
// Numbers are passed as their decimal text; blanks around it are ignored, and
// a key position past the key's end, or a character that is no digit, counts
// as the digit 0. Characters are 8-bit codes (Windows-1252).
#include <string>
#include <string_view>

namespace qb {

// A string of decimal digits to a text of the same length whose characters
// have the codes 96 to 122. The value needs at least 2 characters; a shorter
// one throws std::invalid_argument.
std::string ScrambleText(std::string_view value, std::string_view key);

// A scrambled field back to plain text. The first character announces the
// payload's length (109 minus its code, at least 1), the last the key offset
// (102 minus its code, at least 1). text is replaced by the payload. A text
// shorter than the payload it announces, or a shift past code 255, throws
// std::invalid_argument and leaves text as it was.
std::string UnscrambleText(std::string& text, std::string_view key);

}  // namespace qb
