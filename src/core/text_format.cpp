#include "core/text_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace qb {
namespace {

// The decimal digits of |x| rounded to `significant` digits: x = 0.d1d2.. x 10^(exp+1),
// that is d1 sits at 10^exp. Trailing zeros are kept.
struct Decimal {
  std::string digits;
  int exp = 0;
};

Decimal ToDecimal(double absx, int significant) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", significant - 1, absx);
  Decimal d;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') d.digits.push_back(*p);
  }
  if (*p == 'e') d.exp = std::atoi(p + 1);
  return d;
}

// |x| rounded half away from zero to `decimals` places, on its 15-digit decimal
// form. Returns the whole part (no leading zeros, "" for 0) and the fraction.
void FixedParts(double absx, int decimals, std::string& whole, std::string& frac) {
  whole.clear();
  frac.clear();
  if (absx == 0) {
    frac.assign(decimals, '0');
    return;
  }
  Decimal d = ToDecimal(absx, 15);
  int pointPos = d.exp + 1;  // digits before the decimal point
  int keep = pointPos + decimals;
  std::string digits = d.digits;
  if (keep < 0) {
    digits.clear();
  } else if (keep < static_cast<int>(digits.size())) {
    bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (up) {
      int i = keep - 1;
      while (i >= 0 && digits[i] == '9') digits[i--] = '0';
      if (i >= 0) {
        ++digits[i];
      } else {
        digits.insert(digits.begin(), '1');
        ++pointPos;
      }
    }
  }
  // digits now covers positions from 10^(pointPos-1) down to at most 10^-decimals.
  for (int pos = 0; pos < pointPos; ++pos)
    whole.push_back(pos < static_cast<int>(digits.size()) ? digits[pos] : '0');
  for (int i = 0; i < decimals; ++i) {
    int pos = pointPos + i;
    frac.push_back(pos >= 0 && pos < static_cast<int>(digits.size()) ? digits[pos] : '0');
  }
  size_t nz = whole.find_first_not_of('0');
  whole = nz == std::string::npos ? std::string() : whole.substr(nz);
}

void CurrencyParts(Currency value, std::string& whole, std::string& frac, bool& negative) {
  int64_t raw = value.Raw();
  negative = raw < 0;
  uint64_t a = negative ? static_cast<uint64_t>(-(raw + 1)) + 1 : static_cast<uint64_t>(raw);
  uint64_t cents = (a + 50) / 100;
  uint64_t w = cents / 100;
  unsigned f = static_cast<unsigned>(cents % 100);
  whole = w == 0 ? std::string() : std::to_string(w);
  frac = {static_cast<char>('0' + f / 10), static_cast<char>('0' + f % 10)};
  if (cents == 0) negative = false;
}

std::string Group(const std::string& whole) {
  std::string out;
  int n = static_cast<int>(whole.size());
  for (int i = 0; i < n; ++i) {
    if (i > 0 && (n - i) % 3 == 0) out.push_back(',');
    out.push_back(whole[i]);
  }
  return out;
}

std::string NonFinite(double v) {
  if (std::isnan(v)) return "NaN";
  return v < 0 ? "-Infinity" : "Infinity";
}

std::string AmountText(bool negative, const std::string& whole, const std::string& frac) {
  return (negative ? "-" : "") + Group(whole) + "." + frac;
}

std::string MoneyText(bool negative, const std::string& whole, const std::string& frac) {
  return (negative ? "-$" : "$") + whole + "." + frac;
}

bool IsZeroText(const std::string& whole, const std::string& frac) {
  return whole.empty() && frac.find_first_not_of('0') == std::string::npos;
}

std::string StrBody(double v, int significant) {
  if (!std::isfinite(v)) return NonFinite(v);
  if (v == 0) return "0";
  Decimal d = ToDecimal(std::fabs(v), significant);
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  std::string out = v < 0 ? "-" : "";
  int n = static_cast<int>(d.digits.size());
  if (d.exp < -4 || d.exp >= significant) {
    out += d.digits[0];
    if (n > 1) out += "." + d.digits.substr(1);
    int e = d.exp;
    out += e < 0 ? "E-" : "E+";
    std::string es = std::to_string(e < 0 ? -e : e);
    if (es.size() < 2) es = "0" + es;
    return out + es;
  }
  if (d.exp >= 0) {
    int whole = d.exp + 1;
    for (int i = 0; i < whole; ++i) out += i < n ? d.digits[i] : '0';
    if (n > whole) out += "." + d.digits.substr(whole);
  } else {
    out += "." + std::string(-d.exp - 1, '0') + d.digits;
  }
  return out;
}

bool IsBlankForVal(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}

// Reads a strict number: optional sign, optional "$", digits (commas allowed in
// the whole part), optional fraction, optional exponent; the whole text.
bool ParseWholeNumber(std::string_view t, double& out) {
  size_t i = 0, n = t.size();
  std::string buf;
  bool negative = false;
  if (i < n && (t[i] == '+' || t[i] == '-')) negative = t[i++] == '-';
  if (i < n && t[i] == '$') ++i;
  int digits = 0;
  while (i < n && ((t[i] >= '0' && t[i] <= '9') || (t[i] == ',' && digits > 0))) {
    if (t[i] != ',') {
      buf.push_back(t[i]);
      ++digits;
    }
    ++i;
  }
  if (i < n && t[i] == '.') {
    buf.push_back('.');
    ++i;
    while (i < n && t[i] >= '0' && t[i] <= '9') {
      buf.push_back(t[i++]);
      ++digits;
    }
  }
  if (digits == 0) return false;
  if (i < n && (t[i] == 'e' || t[i] == 'E')) {
    buf.push_back('e');
    ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) buf.push_back(t[i++]);
    int ed = 0;
    while (i < n && t[i] >= '0' && t[i] <= '9') {
      buf.push_back(t[i++]);
      ++ed;
    }
    if (ed == 0) return false;
  }
  if (i != n) return false;
  double v = 0;
  auto r = std::from_chars(buf.data(), buf.data() + buf.size(), v);
  if (r.ec != std::errc() || r.ptr != buf.data() + buf.size()) return false;
  out = negative ? -v : v;
  return true;
}

// The power of ten of the first significant digit of a plain number text
// (digits, one ".", an optional "e" with sign and digits): 2 for "123", -3
// for ".00123", the exponent added. Decides whether a number out of range is
// too large or too small, whatever the mantissa's length.
long long DecimalMagnitude(std::string_view t) {
  size_t epos = t.find('e');
  std::string_view mant = t.substr(0, epos);
  size_t point = mant.find('.');
  if (point == std::string_view::npos) point = mant.size();
  size_t first = mant.find_first_not_of("0.");
  if (first == std::string_view::npos) return std::numeric_limits<long long>::min();
  long long lead = first < point ? static_cast<long long>(point - first) - 1
                                 : -static_cast<long long>(first - point);
  long long exp = 0;
  bool expNegative = false;
  if (epos != std::string_view::npos) {
    size_t i = epos + 1;
    if (i < t.size() && (t[i] == '+' || t[i] == '-')) expNegative = t[i++] == '-';
    for (; i < t.size() && t[i] >= '0' && t[i] <= '9'; ++i)
      if (exp < 1000000000) exp = exp * 10 + (t[i] - '0');
  }
  return lead + (expNegative ? -exp : exp);
}

size_t Utf8Length(std::string_view s) {
  size_t n = 0;
  for (unsigned char c : s) n += (c & 0xC0) != 0x80;
  return n;
}

// The last `count` characters of s.
std::string Utf8Right(std::string_view s, size_t count) {
  if (count == 0) return {};
  size_t seen = 0;
  for (size_t i = s.size(); i > 0; --i) {
    if ((static_cast<unsigned char>(s[i - 1]) & 0xC0) != 0x80 && ++seen == count)
      return std::string(s.substr(i - 1));
  }
  return std::string(s);
}

}  // namespace

std::string FormatAmount(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  std::string whole, frac;
  FixedParts(std::fabs(value), 2, whole, frac);
  return AmountText(value < 0 && !IsZeroText(whole, frac), whole, frac);
}

std::string FormatAmount(Currency value) {
  std::string whole, frac;
  bool negative;
  CurrencyParts(value, whole, frac, negative);
  return AmountText(negative, whole, frac);
}

std::string FormatAmount(std::string_view text) {
  std::string t = Trim(text);
  double v = 0;
  if (!ParseWholeNumber(t, v)) return std::string(text);
  return FormatAmount(v);
}

std::string FormatMoney(double value) {
  if (!std::isfinite(value)) return NonFinite(value);
  std::string whole, frac;
  FixedParts(std::fabs(value), 2, whole, frac);
  return MoneyText(value < 0 && !IsZeroText(whole, frac), whole, frac);
}

std::string FormatMoney(Currency value) {
  std::string whole, frac;
  bool negative;
  CurrencyParts(value, whole, frac, negative);
  return MoneyText(negative, whole, frac);
}

std::string Str(double value) {
  std::string body = StrBody(value, 15);
  return body[0] == '-' ? body : " " + body;
}

std::string Str(float value) {
  std::string body = StrBody(static_cast<double>(value), 7);
  return body[0] == '-' ? body : " " + body;
}

std::string Str(long long value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

std::string NumberText(double value) {
  return StrBody(value, 15);
}
std::string NumberText(float value) {
  return StrBody(static_cast<double>(value), 7);
}

double Val(std::string_view text) {
  size_t i = 0, n = text.size();
  auto skip = [&] {
    while (i < n && IsBlankForVal(text[i])) ++i;
  };
  auto peek = [&]() -> char {
    skip();
    return i < n ? text[i] : '\0';
  };

  if (peek() == '&' && i + 1 < n) {
    size_t save = i;
    ++i;
    char kind = peek();
    int base = (kind == 'H' || kind == 'h') ? 16 : (kind == 'O' || kind == 'o') ? 8 : 0;
    if (base != 0) {
      ++i;
      uint64_t v = 0;
      int digits = 0;
      bool overflow = false;
      for (char c = peek(); c != '\0'; c = peek()) {
        int d = (c >= '0' && c <= '9')                 ? c - '0'
                : (base == 16 && c >= 'a' && c <= 'f') ? c - 'a' + 10
                : (base == 16 && c >= 'A' && c <= 'F') ? c - 'A' + 10
                                                       : -1;
        if (d < 0 || d >= base) break;
        if (v > (std::numeric_limits<uint64_t>::max() >> 4)) overflow = true;
        v = v * base + d;
        if (v != 0 || digits > 0) ++digits;
        ++i;
      }
      if (overflow) return std::numeric_limits<double>::infinity();  // as a decimal overflow
      int bits16 = base == 16 ? 4 : 6;                               // digits that fit an Integer
      if (digits <= bits16 && v <= 0xFFFF) return static_cast<int16_t>(static_cast<uint16_t>(v));
      if (v <= 0xFFFFFFFFull) return static_cast<int32_t>(static_cast<uint32_t>(v));
      return static_cast<double>(v);
    }
    i = save;
    return 0;
  }

  std::string buf;
  bool negative = false;
  char c = peek();
  if (c == '+' || c == '-') {
    negative = c == '-';
    ++i;
  }
  int digits = 0;
  bool point = false;
  for (c = peek(); c != '\0'; c = peek()) {
    if (c >= '0' && c <= '9') {
      buf.push_back(c);
      ++digits;
    } else if (c == '.' && !point) {
      point = true;
      buf.push_back('.');
    } else {
      break;
    }
    ++i;
  }
  if (digits == 0) return 0;
  c = peek();
  if (c == 'e' || c == 'E' || c == 'd' || c == 'D') {
    size_t save = i;
    ++i;
    std::string e = "e";
    char s = peek();
    if (s == '+' || s == '-') {
      e.push_back(s);
      ++i;
    }
    int ed = 0;
    for (char d = peek(); d >= '0' && d <= '9'; d = peek()) {
      e.push_back(d);
      ++ed;
      ++i;
    }
    if (ed > 0) {
      buf += e;
    } else {
      i = save;
    }
  }
  double v = 0;
  auto r = std::from_chars(buf.data(), buf.data() + buf.size(), v);
  if (r.ec == std::errc::result_out_of_range) {
    // Too large gives infinity, too small 0; from_chars leaves v untouched.
    v = DecimalMagnitude(buf) > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (r.ec != std::errc()) {
    v = 0;
  }
  return negative ? -v : v;
}

std::string Trim(std::string_view text) {
  size_t b = text.find_first_not_of(' ');
  if (b == std::string_view::npos) return {};
  size_t e = text.find_last_not_of(' ');
  return std::string(text.substr(b, e - b + 1));
}

std::string PadText(std::string_view text, int width) {
  if (width <= 0) return {};
  std::string field = std::string(80, ' ') + Trim(text);
  if (Utf8Length(field) <= static_cast<size_t>(width)) return field;
  return Utf8Right(field, static_cast<size_t>(width));
}

std::string OrdinalText(long long n) {
  long long ones = n % 10, tens = n % 100;
  const char* suffix = "th";
  if (ones == 1 && tens != 11) {
    suffix = "st";
  } else if (ones == 2 && tens != 12) {
    suffix = "nd";
  } else if (ones == 3 && tens != 13) {
    suffix = "rd";
  }
  return Str(n) + suffix;
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  if (find.empty()) return std::string(text);
  std::string out;
  out.reserve(text.size());
  size_t pos = 0;
  for (;;) {
    size_t hit = text.find(find, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(replacement);
    pos = hit + find.size();
  }
  out.append(text.substr(pos));
  return out;
}

bool IsValidPoolName(std::string_view text) {
  for (unsigned char c : text) {
    bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
              c == '-' || c == ' ';
    if (!ok) return false;
  }
  return true;
}

}  // namespace qb
