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

}  // namespace qb
