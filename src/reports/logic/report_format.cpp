#include "reports/logic/report_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/text_format.h"

namespace qb {

namespace {

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Byte offset of the character with 0-based index n (the size when beyond).
size_t OffsetOfChar(std::string_view text, size_t n) {
  size_t i = 0;
  while (i < text.size() && n > 0) {
    ++i;
    while (i < text.size() && IsContinuation(static_cast<unsigned char>(text[i]))) ++i;
    --n;
  }
  return i;
}

// The code point at byte i, and the bytes it takes.
char32_t DecodeAt(std::string_view s, size_t i, size_t& len) {
  auto b = static_cast<unsigned char>(s[i]);
  int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
  if (extra < 0 || (extra > 0 && i + extra >= s.size())) {
    len = 1;
    return 0xFFFD;
  }
  char32_t cp = extra == 0 ? b : b & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    auto c = static_cast<unsigned char>(s[i + k]);
    if (!IsContinuation(c)) {
      len = 1;
      return 0xFFFD;
    }
    cp = (cp << 6) | (c & 0x3F);
  }
  len = static_cast<size_t>(extra) + 1;
  return cp;
}

const char* const kDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                             "Thursday", "Friday", "Saturday"};
const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};

}  // namespace

size_t CharCount(std::string_view text) {
  size_t n = 0;
  for (char c : text)
    if (!IsContinuation(static_cast<unsigned char>(c))) ++n;
  return n;
}

std::string LeftChars(std::string_view text, size_t n) {
  return std::string(text.substr(0, OffsetOfChar(text, n)));
}

std::string RightChars(std::string_view text, size_t n) {
  size_t count = CharCount(text);
  if (n >= count) return std::string(text);
  return std::string(text.substr(OffsetOfChar(text, count - n)));
}

std::string LongDate(const std::tm& t) {
  std::tm c = t;
  std::mktime(&c);  // fills in the weekday
  char buf[64];
  std::snprintf(buf, sizeof buf, "%s, %s %d, %d", kDays[c.tm_wday % 7], kMonths[c.tm_mon % 12],
                c.tm_mday, c.tm_year + 1900);
  return buf;
}

std::string MediumTime(const std::tm& t) {
  int h = t.tm_hour % 12;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d:%02d %s", h == 0 ? 12 : h, t.tm_min,
                t.tm_hour < 12 ? "AM" : "PM");
  return buf;
}

std::string ShortDate(const std::tm& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d/%d/%d", t.tm_mon + 1, t.tm_mday, t.tm_year + 1900);
  return buf;
}

std::string HtmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    char c = text[i];
    switch (c) {
      case '&': out += "&amp;"; ++i; continue;
      case '<': out += "&lt;"; ++i; continue;
      case '>': out += "&gt;"; ++i; continue;
      case '"': out += "&quot;"; ++i; continue;
      case '\'': out += "&#39;"; ++i; continue;
      default: break;
    }
    if (static_cast<unsigned char>(c) < 0x80) {
      out += c;
      ++i;
      continue;
    }
    size_t len = 1;
    char32_t cp = DecodeAt(text, i, len);
    out += "&#" + std::to_string(static_cast<unsigned long>(cp)) + ";";
    i += len;
  }
  return out;
}

bool IsNumericText(std::string_view text, bool allowSymbols) {
  if (text.empty()) return false;
  for (char c : text) {
    if ((c >= '0' && c <= '9') || c == '-') continue;
    if (allowSymbols && (c == '.' || c == '%' || c == '$')) continue;
    return false;
  }
  return true;
}

namespace {

// A text's character positions found once, so that every cut is a look-up
// rather than a walk from the text's start: the wrap of a long list of names
// stays linear in its length.
class CharIndex {
 public:
  explicit CharIndex(std::string_view text) : text_(text) {
    // The steps OffsetOfChar takes, and the characters CharCount counts
    // before each, so that a stray continuation byte cuts as it always did.
    size_t i = 0, counted = 0;
    offsets_.push_back(0);
    counts_.push_back(0);
    while (i < text.size()) {
      size_t next = i + 1;
      while (next < text.size() && IsContinuation(static_cast<unsigned char>(text[next]))) ++next;
      for (size_t b = i; b < next; ++b)
        if (!IsContinuation(static_cast<unsigned char>(text[b]))) ++counted;
      i = next;
      offsets_.push_back(i);
      counts_.push_back(counted);
    }
    len_ = static_cast<int>(counted);
  }

  int Len() const { return len_; }
  // Step index of the 1-based character position pos (the end when beyond).
  size_t Step(int pos) const {
    const size_t n = pos < 1 ? 0 : static_cast<size_t>(pos - 1);
    return std::min(n, offsets_.size() - 1);
  }
  size_t Offset(size_t step) const { return offsets_[step]; }
  // Characters CharCount finds between two steps.
  int Count(size_t from, size_t to) const { return static_cast<int>(counts_[to] - counts_[from]); }
  bool HoldsAt(size_t step, std::string_view separator) const {
    return text_.substr(offsets_[step]).substr(0, separator.size()) == separator;
  }

 private:
  std::string_view text_;
  std::vector<size_t> offsets_;
  std::vector<size_t> counts_;
  int len_ = 0;
};

// The steps [from, to) of WrapAtSeparator's piece; from == to when start is
// past the end.
std::pair<size_t, size_t> PieceAt(const CharIndex& index, int start, int width,
                                  std::string_view separator) {
  const int len = index.Len();
  if (start < 1) start = 1;
  if (start > len) return {0, 0};
  int found = 0;
  if (len - start >= width && !separator.empty()) {
    for (int p = start + width; p >= start; --p) {
      if (index.HoldsAt(index.Step(p), separator)) {
        found = p;
        break;
      }
    }
  } else {
    found = len;
  }
  if (found <= start) found = len;
  return {index.Step(start), index.Step(found + 1)};
}

std::string Bytes(std::string_view text, const CharIndex& index, std::pair<size_t, size_t> piece) {
  const size_t from = index.Offset(piece.first);
  return std::string(text.substr(from, index.Offset(piece.second) - from));
}

}  // namespace

std::string WrapAtSeparator(std::string_view text, int start, int width,
                            std::string_view separator) {
  const CharIndex index(text);
  return Bytes(text, index, PieceAt(index, start, width, separator));
}

std::vector<std::string> PiecesAtSeparator(std::string_view text, int width,
                                           std::string_view separator) {
  const CharIndex index(text);
  std::vector<std::string> pieces;
  for (int pos = 1; pos <= index.Len();) {
    const auto piece = PieceAt(index, pos, width, separator);
    if (index.Offset(piece.first) == index.Offset(piece.second)) break;
    // A piece of stray continuation bytes alone counts no character; step on.
    pos += std::max(1, index.Count(piece.first, piece.second));
    pieces.push_back(Bytes(text, index, piece));
  }
  return pieces;
}

std::vector<std::string> WrapForPrint(std::string_view text, int width,
                                      std::string_view separator) {
  if (width < 1 || CharCount(text) <= static_cast<size_t>(width) + 1) return {std::string(text)};
  const CharIndex index(text);
  const int most = width + 1;
  std::vector<std::string> lines;
  for (int pos = 1; pos <= index.Len();) {
    auto piece = PieceAt(index, pos, width, separator);
    if (index.Count(piece.first, piece.second) > most) piece = PieceAt(index, pos, width, " ");
    if (index.Count(piece.first, piece.second) > most)
      piece.second = std::min(piece.second, piece.first + static_cast<size_t>(width));
    if (index.Offset(piece.first) == index.Offset(piece.second)) break;
    pos += std::max(1, index.Count(piece.first, piece.second));
    std::string line = Trim(Bytes(text, index, piece));
    if (!line.empty()) lines.push_back(std::move(line));
  }
  if (lines.empty()) lines.emplace_back();
  return lines;
}

int LinesPerPageFor(int linesThatFit) {
  if (linesThatFit < 1) return 1;
  // The margin below would leave short pages with few lines: 20 where 20 fit.
  int lines = std::max(static_cast<int>((linesThatFit + 1) * 0.95) - 2, 20);
  if (lines > linesThatFit) lines = linesThatFit;
  return std::max(1, lines);
}

std::vector<int> ComputeColumnPercents(const Grid& grid) {
  std::vector<int> pct(static_cast<size_t>(grid.Cols()), 0);
  long long total = 0;
  for (int c = 0; c < grid.Cols(); ++c) total += grid.ColWidth(c);
  if (total <= 0) return pct;
  for (int c = 0; c < grid.Cols(); ++c) {
    int w = grid.ColWidth(c);
    if (w != 0) pct[c] = static_cast<int>(std::floor(static_cast<double>(w) / total * 100 + 0.49));
  }
  return pct;
}

std::string GridRowToHtml(const Grid& grid, int row, const std::vector<int>& columnPct,
                          bool tableStart, bool bold, int tableWidth, const std::string& bgColor,
                          int rowLimit, int rowLimitFactor) {
  if (rowLimitFactor < 1) rowLimitFactor = 1;
  if (rowLimit != 0 && row > (static_cast<long long>(rowLimit) + 2) * rowLimitFactor) return {};
  std::string html;
  if (tableStart)
    html = "<table border=\"1\" cellpadding=\"1\" cellspacing=\"0\" width=\"" +
           std::to_string(tableWidth) + "\" align=center>";
  if (row < 0 || row >= grid.Rows()) return html;
  html += "<tr bgcolor=" + bgColor + ">";
  for (int c = 0; c < grid.Cols(); ++c) {
    if (c >= static_cast<int>(columnPct.size()) || columnPct[c] < 1) continue;
    const std::string& text = grid.TextMatrix(row, c);
    int a = grid.CellAlignmentAt(row, c);
    const char* align = "left";
    if (a == flexAlignCenterTop || a == flexAlignCenterCenter || a == flexAlignCenterBottom)
      align = "center";
    else if (a == flexAlignRightTop || a == flexAlignRightCenter || a == flexAlignRightBottom)
      align = "right";
    else if (a == flexAlignLeftTop || a == flexAlignGeneral)
      align = IsNumericText(text, true) ? "right" : "left";
    if (tableStart)
      html += "<td width=" + std::to_string(columnPct[c]) + "% align=" + align + ">";
    else
      html += std::string("<td align=") + align + ">";
    if (bold) html += "<b>";
    html += Trim(text).empty() ? std::string("&nbsp;") : HtmlEscape(text);
    if (bold) html += "</b>";
    html += "</td>";
  }
  html += "</tr>";
  return html;
}

TabWriter& TabWriter::Tab(int column) {
  if (column < 1) column = 1;
  const size_t n = static_cast<size_t>(column);
  if (column_ > n) End();
  if (column_ < n) {
    line_.append(n - column_, ' ');
    column_ = n;
  }
  open_ = true;
  return *this;
}

TabWriter& TabWriter::Text(std::string_view text) {
  line_ += text;
  column_ += CharCount(text);
  open_ = true;
  return *this;
}

TabWriter& TabWriter::Number(double value) { return Text(Str(value) + " "); }

void TabWriter::End() {
  sink_(line_, bold_);
  line_.clear();
  column_ = 1;
  open_ = false;
}

void TabWriter::BlankLine() {
  Text(" ");
  End();
}

}  // namespace qb
