#include "core/cp1252.h"

#include <algorithm>

#include <array>
#include <cstdint>

namespace qb {
namespace {

// Characters of bytes 0x80..0x9F; the undefined ones keep their own value.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

int ToCp1252(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (int i = 0; i < 32; ++i) {
    if (kHigh[i] == c) return 0x80 + i;
  }
  return '?';
}

bool IsAscii(std::string_view s) {
  for (char ch : s) {
    if (static_cast<unsigned char>(ch) >= 0x80) return false;
  }
  return true;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  if (IsAscii(bytes)) return std::string(bytes);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (char ch : bytes) {
    auto b = static_cast<unsigned char>(ch);
    if (b < 0x80) {
      out += ch;
    } else if (b < 0xA0) {
      AppendUtf8(out, kHigh[b - 0x80]);
    } else {
      AppendUtf8(out, b);
    }
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
  if (IsAscii(utf8)) return std::string(utf8);
  std::string out;
  out.reserve(utf8.size());
  size_t i = 0;
  const size_t n = utf8.size();
  auto cont = [&](size_t k) {
    return k < n && (static_cast<unsigned char>(utf8[k]) & 0xC0) == 0x80;
  };
  while (i < n) {
    auto b = static_cast<unsigned char>(utf8[i]);
    char32_t c = 0;
    size_t len = 0;
    if (b < 0x80) {
      c = b;
      len = 1;
    } else if (b >= 0xC2 && b <= 0xDF && cont(i + 1)) {
      c = ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
      len = 2;
    } else if (b >= 0xE0 && b <= 0xEF && cont(i + 1) && cont(i + 2)) {
      c = ((b & 0x0Fu) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu) << 6) |
          (static_cast<unsigned char>(utf8[i + 2]) & 0x3Fu);
      len = 3;
      if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)) c = U'?';
    } else if (b >= 0xF0 && b <= 0xF4 && cont(i + 1) && cont(i + 2) && cont(i + 3)) {
      c = U'?';  // beyond the basic plane: nothing in the code page
      len = 4;
    } else {
      c = U'?';
      len = 1;
    }
    out += static_cast<char>(ToCp1252(c));
    i += len;
  }
  return out;
}

std::string FirstCharacterOutsideCp1252(std::string_view utf8) {
  if (IsAscii(utf8)) return "";
  for (size_t i = 0; i < utf8.size();) {
    const auto b = static_cast<unsigned char>(utf8[i]);
    size_t len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 1;
    len = std::min(len, utf8.size() - i);
    const std::string_view ch = utf8.substr(i, len);
    if (b >= 0x80 && Utf8ToCp1252(ch) == "?") return std::string(ch);
    i += len;
  }
  return "";
}

std::string CharacterOutsideCp1252Message(const std::string& character) {
  return "The character \"" + character +
         "\" cannot be kept: a pool file holds only the letters and signs of the "
         "Windows-1252 character set.\nPlease type it another way, for example without its accent.";
}

}  // namespace qb
