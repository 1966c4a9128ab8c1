#pragma once
// Number and text helpers shared by the windows and reports. Every one is
// locale-independent: "." is the decimal point and "," the thousands
// separator whatever the process locale says. Texts are UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/currency.h"

namespace qb {

// The value formatted "#,#.00": thousands separated by ",", two decimals,
// no leading zero below 1 (0.5 gives ".50", 0 gives ".00", -1234.5 gives
// "-1,234.50"). Halves round away from zero on the value's 15-digit decimal
// form, so 2.675 gives "2.68".
std::string FormatAmount(double value);
std::string FormatAmount(Currency value);
// A text that reads as a number in full (blanks around it allowed) is
// formatted; any other text comes back unchanged.
std::string FormatAmount(std::string_view text);

// The value formatted "$.00": "$" and two decimals, no thousands separator,
// no leading zero below 1 ("$.50"); a negative value gives "-$5.00".
std::string FormatMoney(double value);
std::string FormatMoney(Currency value);

// Str: the number with a leading blank when it is not negative ("-" else),
// no trailing zeros, no leading zero below 1 (" .5", "-.25", " 12"); 15
// significant digits for a double, 7 for a float; exponent form beyond
// them or below 1E-04 (" 1E+15", " 1.5E-05").
std::string Str(double value);
std::string Str(float value);
std::string Str(long long value);
inline std::string Str(int value) {
  return Str(static_cast<long long>(value));
}
inline std::string Str(int16_t value) {
  return Str(static_cast<long long>(value));
}
// Str without the leading blank: how a number reads in a text or a file.
std::string NumberText(double value);
std::string NumberText(float value);

// Val: the number at the start of the text. Blanks, tabs and line feeds are
// skipped anywhere ("1 000" is 1000); then an optional sign, digits with at
// most one ".", an optional exponent "E" or "D" with its own sign and digits;
// reading stops at the first other character. "&H" and "&O" prefixes read
// hexadecimal and octal (16-bit when they fit four hex or six octal digits:
// "&HFFFF" is -1). No number gives 0; a number too large gives infinity.
double Val(std::string_view text);

// The trimmed text right-aligned in a field of the width when it fits, its
// last width characters when it does not (as Right(Space(80) & Trim(t), w)):
// widths up to 80 give exactly width characters. Counts characters, not bytes.
std::string PadText(std::string_view text, int width);

// Str(n) followed by "st", "nd", "rd" or "th" (11 to 13 take "th"): 2 gives
// " 2nd", 11 gives " 11th", 21 " 21st". A negative n keeps the sign of the
// remainder, so -1 gives "-1th".
std::string OrdinalText(long long n);

// Every occurrence of find replaced, left to right, not re-scanned; an empty
// find leaves the text as it is.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

// True when every character is an ASCII letter, a digit, "-" or a blank
// (true for an empty text). Other letters are refused: the name goes into
// web file names and URLs.
bool IsValidPoolName(std::string_view text);

// Trim: blanks (only " ") removed from both ends, as VB's Trim.
std::string Trim(std::string_view text);

}  // namespace qb
