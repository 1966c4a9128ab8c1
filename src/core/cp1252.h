#pragma once
// Pool files are Windows-1252 on disk; the program keeps text as UTF-8.
#include <string>
#include <string_view>

namespace qb {

// Every byte maps to one character; the five bytes the code page leaves
// undefined map to the C1 controls of the same value, so any file reads back
// byte for byte.
std::string Cp1252ToUtf8(std::string_view bytes);
// Characters the code page cannot hold, and bytes that are not UTF-8, become '?'.
std::string Utf8ToCp1252(std::string_view utf8);

// The first character of the text that a pool file cannot hold (it would be
// written as '?'), as UTF-8; empty when every character fits.
std::string FirstCharacterOutsideCp1252(std::string_view utf8);
// What the user is told when such a character is typed, pasted or imported.
std::string CharacterOutsideCp1252Message(const std::string& character);

}  // namespace qb
