#include "web/logic/scramble.h"

#include <stdexcept>

namespace qb {
namespace {

constexpr const char* kInvalidCall = "Invalid procedure call or argument";

std::string_view TrimBlanks(std::string_view t) {
  while (!t.empty() && t.front() == ' ') t.remove_prefix(1);
  while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
  return t;
}

int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

int Code(char c) { return static_cast<unsigned char>(c); }

// Key digit at start + i (1-based), wrapped once by the key's length.
int KeyDigit(std::string_view key, int position) {
  const int length = static_cast<int>(key.size());
  if (position > length) position -= length;
  if (position < 1 || position > length) return 0;
  return DigitValue(key[position - 1]);
}

std::string Shifted(std::string_view payload, std::string_view key, int offset, int extra) {
  std::string out;
  out.reserve(payload.size());
  for (size_t i = 1; i <= payload.size(); ++i) {
    const int shift = KeyDigit(key, offset + static_cast<int>(i)) + extra;
    const int code = Code(payload[i - 1]) + shift;
    if (code > 255) throw std::invalid_argument(kInvalidCall);
    out += static_cast<char>(code);
  }
  return std::string(TrimBlanks(out));
}

}  // namespace

std::string ScrambleText(std::string_view value, std::string_view key) {
  const std::string_view s = TrimBlanks(value);
  const std::string_view k = TrimBlanks(key);
  if (s.size() < 2) throw std::invalid_argument(kInvalidCall);
  const int length = static_cast<int>(s.size());
  int start = length - DigitValue(s[s.size() - 2]);
  if (start < 1) start = 1;
  int last = DigitValue(s.back());
  if (last > 8) last = 8;
  // Each character becomes its digit value above the code 96 ("a" minus 1).
  std::string digits;
  digits.reserve(s.size());
  for (char c : s) digits += static_cast<char>(DigitValue(c));
  return Shifted(digits, k, start, last + 96);
}

std::string UnscrambleText(std::string& text, std::string_view key) {
  const std::string_view k = TrimBlanks(key);
  if (text.empty()) throw std::invalid_argument(kInvalidCall);
  int n = 109 - Code(text.front());
  if (n < 1) n = 1;
  int offset = 102 - Code(text.back());
  if (offset < 1) offset = 1;
  if (text.size() < static_cast<size_t>(n) + 1) throw std::invalid_argument(kInvalidCall);
  std::string payload = text.substr(1, n);
  std::string plain = Shifted(payload, k, offset, 0);
  text = std::move(payload);
  return plain;
}

}  // namespace qb
