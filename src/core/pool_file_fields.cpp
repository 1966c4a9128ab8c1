#include "core/pool_file_fields.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "core/cp1252.h"

namespace qb {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view t) {
  while (!t.empty() && IsBlank(t.front())) t.remove_prefix(1);
  while (!t.empty() && IsBlank(t.back())) t.remove_suffix(1);
  return t;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
    if (x != y) return false;
  }
  return true;
}

// A plain decimal number: [+-]digits[.digits][E[+-]digits]; an empty field is 0.
double ParseDecimal(std::string_view text) {
  std::string_view t = Trim(text);
  if (t.empty()) return 0;
  size_t i = 0;
  const size_t n = t.size();
  bool negative = false;
  if (t[i] == '+' || t[i] == '-') negative = t[i++] == '-';
  const size_t numberStart = i;
  size_t digits = 0;
  while (i < n && IsDigit(t[i])) ++i, ++digits;
  if (i < n && t[i] == '.') {
    ++i;
    while (i < n && IsDigit(t[i])) ++i, ++digits;
  }
  if (digits == 0) throw FieldError(kTypeMismatch);
  bool negativeExponent = false;
  if (i < n && (t[i] == 'e' || t[i] == 'E')) {
    ++i;
    if (i < n && (t[i] == '+' || t[i] == '-')) negativeExponent = t[i++] == '-';
    size_t expDigits = 0;
    while (i < n && IsDigit(t[i])) ++i, ++expDigits;
    if (expDigits == 0) throw FieldError(kTypeMismatch);
  }
  if (i != n) throw FieldError(kTypeMismatch);
  double value = 0;
  auto [end, ec] = std::from_chars(t.data() + numberStart, t.data() + n, value);
  if (ec == std::errc::result_out_of_range) {
    if (negativeExponent) return 0;  // too small to tell from zero
    throw FieldError(kOverflow);
  }
  if (ec != std::errc() || end != t.data() + n) throw FieldError(kTypeMismatch);
  return negative ? -value : value;
}

void AppendLineBreaksAsCrLf(std::string& out, std::string_view text) {
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else if (c == '\n') {
      out += "\r\n";
    } else if (c == '"') {
      out += '\'';
    } else {
      out += c;
    }
  }
}

}  // namespace

FieldReader::FieldReader(std::string_view bytes) : data_(bytes) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (data_.substr(0, 3) == kByteOrderMark) {
    data_.remove_prefix(3);
    utf8_ = true;
  }
  hasNul_ = std::memchr(data_.data(), 0, data_.size()) != nullptr;
}

bool FieldReader::Next(std::string_view& field) {
  lastPos_ = pos_;
  lastAfterComma_ = afterComma_;
  const size_t n = data_.size();
  if (!afterComma_) {
    while (pos_ < n && (IsBlank(data_[pos_]) || IsLineEnd(data_[pos_]))) ++pos_;
    if (pos_ >= n) return false;
  } else {
    while (pos_ < n && IsBlank(data_[pos_])) ++pos_;
  }
  afterComma_ = false;
  if (pos_ < n && data_[pos_] == '"') {
    const size_t start = pos_ + 1;
    const size_t close = data_.find('"', start);
    if (close == std::string_view::npos) {
      field = data_.substr(start);
      pos_ = n;
      endedInsideQuotes_ = true;
    } else {
      field = data_.substr(start, close - start);
      pos_ = close + 1;
    }
    // Anything between the closing quote and the delimiter is not part of the field.
    while (pos_ < n && data_[pos_] != ',' && !IsLineEnd(data_[pos_])) ++pos_;
  } else {
    const size_t start = pos_;
    while (pos_ < n && data_[pos_] != ',' && !IsLineEnd(data_[pos_])) ++pos_;
    size_t end = pos_;
    while (end > start && IsBlank(data_[end - 1])) --end;
    field = data_.substr(start, end - start);
  }
  if (pos_ < n) {
    if (data_[pos_] == ',') {
      ++pos_;
      afterComma_ = true;
    } else if (data_[pos_] == '\r') {
      ++pos_;
      if (pos_ < n && data_[pos_] == '\n') ++pos_;
    } else {
      ++pos_;  // LF
    }
  }
  if (hasNul_ && std::memchr(data_.data() + lastPos_, 0, pos_ - lastPos_)) metNul_ = true;
  last_ = field;
  return true;
}

void FieldReader::Unread() {
  pos_ = lastPos_;
  afterComma_ = lastAfterComma_;
}

std::string_view FieldReader::ReadRaw() {
  std::string_view f;
  if (!Next(f)) throw FieldError(kInputPastEnd);
  return f;
}

std::string FieldReader::ReadString() {
  std::string_view raw = ReadRaw();
  bool plain = true;
  for (char c : raw) {
    if (IsLineEnd(c) || static_cast<unsigned char>(c) >= 0x80) {
      plain = false;
      break;
    }
  }
  if (plain) return std::string(raw);
  std::string lines;
  lines.reserve(raw.size());
  for (size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] == '\r') {
      if (i + 1 < raw.size() && raw[i + 1] == '\n') ++i;
      lines += '\n';
    } else {
      lines += raw[i];
    }
  }
  return utf8_ ? lines : Cp1252ToUtf8(lines);
}

std::string FieldReader::Shown(std::string_view raw) const {
  // Enough bytes for 40 characters of either encoding.
  raw = raw.substr(0, 41 * 4);
  return ShortForMessage(utf8_ ? std::string(raw) : Cp1252ToUtf8(raw));
}

std::string ShortForMessage(std::string_view utf8) {
  constexpr size_t kMaxChars = 40;
  std::string out;
  size_t chars = 0;
  for (size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    size_t len = c < 0x80 ? 1 : (c >> 5) == 0x6 ? 2 : (c >> 4) == 0xE ? 3 : (c >> 3) == 0x1E ? 4 : 1;
    len = std::min(len, utf8.size() - i);
    if (chars == kMaxChars) {
      out += "...";
      break;
    }
    if (c < 0x20 || c == 0x7F)
      out += ' ';
    else
      out.append(utf8.substr(i, len));
    i += len;
    ++chars;
  }
  return out;
}

int16_t FieldReader::ReadInteger() {
  // Most fields of a pool file are short whole numbers (the picks): those are
  // read in one pass, anything else the general way.
  const size_t n = data_.size();
  size_t p = pos_;
  if (afterComma_) {
    while (p < n && IsBlank(data_[p])) ++p;
  } else {
    while (p < n && (IsBlank(data_[p]) || IsLineEnd(data_[p]))) ++p;
  }
  const size_t start = p;
  const bool negative = p < n && data_[p] == '-';
  if (negative) ++p;
  int value = 0;
  const size_t digitsStart = p;
  while (p < n && IsDigit(data_[p]) && p - digitsStart < 5) value = value * 10 + (data_[p++] - '0');
  const bool delimited = p == n || data_[p] == ',' || IsLineEnd(data_[p]);
  if (p == digitsStart || !delimited || (negative ? -value : value) > 32767 ||
      (negative ? -value : value) < -32768)
    return ParseInteger(ReadRaw());
  lastPos_ = pos_;
  lastAfterComma_ = afterComma_;
  last_ = data_.substr(start, p - start);
  afterComma_ = false;
  if (p < n) {
    if (data_[p] == ',') {
      afterComma_ = true;
      ++p;
    } else if (data_[p] == '\r') {
      ++p;
      if (p < n && data_[p] == '\n') ++p;
    } else {
      ++p;
    }
  }
  pos_ = p;
  return static_cast<int16_t>(negative ? -value : value);
}
float FieldReader::ReadSingle() { return ParseSingle(ReadRaw()); }
Currency FieldReader::ReadCurrency() { return ParseCurrency(ReadRaw()); }
bool FieldReader::ReadBoolean() { return ParseBoolean(ReadRaw()); }

int16_t ParseInteger(std::string_view text) {
  std::string_view t = Trim(text);
  // Whole numbers, the usual case, without going through floating point.
  if (!t.empty() && t.size() <= 6) {
    int v = 0;
    auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    if (ec == std::errc() && end == t.data() + t.size()) {
      if (v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max())
        throw FieldError(kOverflow);
      return static_cast<int16_t>(v);
    }
  }
  double d = std::nearbyint(ParseDecimal(t));  // halves to even
  if (!(d >= std::numeric_limits<int16_t>::min() && d <= std::numeric_limits<int16_t>::max()))
    throw FieldError(kOverflow);
  return static_cast<int16_t>(d);
}

float ParseSingle(std::string_view text) {
  double d = ParseDecimal(text);
  if (std::fabs(d) > std::numeric_limits<float>::max()) throw FieldError(kOverflow);
  return static_cast<float>(d);
}

Currency ParseCurrency(std::string_view text) {
  double d = ParseDecimal(text);
  // The range of the fixed-point money type, with room to add amounts up.
  if (std::fabs(d) > 900000000000000.0) throw FieldError(kOverflow);
  return Currency::FromDouble(d);
}

bool ParseBoolean(std::string_view text) {
  std::string_view t = Trim(text);
  if (EqualsNoCase(t, "#TRUE#") || EqualsNoCase(t, "TRUE")) return true;
  if (EqualsNoCase(t, "#FALSE#") || EqualsNoCase(t, "FALSE")) return false;
  return ParseDecimal(t) != 0;  // older files hold flags as numbers
}

void FieldWriter::Separate() {
  if (!first_) out_ += ',';
  first_ = false;
}

FieldWriter& FieldWriter::Tag(std::string_view tag) {
  first_ = true;
  return String(tag);
}

FieldWriter& FieldWriter::String(std::string_view utf8) {
  Separate();
  out_ += '"';
  AppendLineBreaksAsCrLf(out_, Utf8ToCp1252(utf8));
  out_ += '"';
  return *this;
}

FieldWriter& FieldWriter::Integer(int value) {
  Separate();
  char buf[16];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
  out_.append(buf, end);
  return *this;
}

FieldWriter& FieldWriter::Single(float value) {
  Separate();
  if (value == 0 || !std::isfinite(value)) {
    out_ += '0';  // no "-0"; a value that is no number is stored as 0
    return *this;
  }
  char buf[128];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  out_.append(buf, end);
  return *this;
}

FieldWriter& FieldWriter::Money(Currency value) {
  Separate();
  int64_t raw = value.Raw();
  uint64_t magnitude = raw < 0 ? 0 - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
  if (raw < 0) out_ += '-';
  char buf[32];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, magnitude / 10000);
  out_.append(buf, end);
  unsigned fraction = static_cast<unsigned>(magnitude % 10000);
  if (fraction != 0) {
    char digits[5];
    std::snprintf(digits, sizeof digits, "%04u", fraction);
    size_t len = 4;
    while (digits[len - 1] == '0') --len;
    out_ += '.';
    out_.append(digits, len);
  }
  return *this;
}

FieldWriter& FieldWriter::Boolean(bool value) {
  Separate();
  out_ += value ? "#TRUE#" : "#FALSE#";
  return *this;
}

FieldWriter& FieldWriter::Date(const std::tm& t) {
  Separate();
  char buf[48];
  std::snprintf(buf, sizeof buf, "#%04d-%02d-%02d %02d:%02d:%02d#", t.tm_year + 1900, t.tm_mon + 1,
                t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
  out_ += buf;
  return *this;
}

void FieldWriter::EndLine() {
  out_ += "\r\n";
  first_ = true;
}

void FieldWriter::EndLoopLine() {
  out_ += ",\r\n";
  first_ = true;
}

}  // namespace qb
