#include <gtest/gtest.h>

#include "report_fixture.h"
#include "reports/logic/report_format.h"

namespace qb {
namespace {

TEST(WrapAtSeparator, CutsAfterTheLastSeparatorWithinReach) {
  std::string text;
  while (text.size() < 300) text += "Team" + std::to_string(text.size()) + ", ";
  std::string piece = WrapAtSeparator(text, 1, 110, ",");
  ASSERT_FALSE(piece.empty());
  EXPECT_EQ(piece.back(), ',');
  EXPECT_LE(piece.size(), 111u);
  EXPECT_EQ(text.rfind(',', 110), piece.size() - 1);
  // Pieces put together again give the whole text.
  std::string joined;
  for (size_t pos = 1; pos <= text.size();) {
    std::string p = WrapAtSeparator(text, static_cast<int>(pos), 110, ",");
    joined += p;
    pos += p.size();
  }
  EXPECT_EQ(joined, text);
}

TEST(WrapAtSeparator, Cases) {
  struct Case {
    std::string text;
    int start, width;
    std::string piece;
  };
  const std::string noComma(150, 'a');
  const Case cases[] = {
      {noComma, 1, 110, noComma},           // no separator in reach: the whole rest
      {"ab, cd, e", 1, 6, "ab, cd,"},       // the one at start + width counts
      {"ab, cd, e", 1, 5, "ab,"},
      {"ab, cd, e", 9, 5, "e"},             // one character after the last ","
      {"ab, cd, e", 1, 20, "ab, cd, e"},    // shorter than the width
      {",abcdefgh", 1, 3, ",abcdefgh"},     // the separator at start is no cut
      {"Zoë, Ängel, Öre", 1, 10, "Zoë, Ängel,"},  // counts characters
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(WrapAtSeparator(c.text, c.start, c.width, ","), c.piece);
  }
}

TEST(IsNumericText, Cases) {
  EXPECT_FALSE(IsNumericText("", true));
  EXPECT_FALSE(IsNumericText("1,234.00", true));
  EXPECT_TRUE(IsNumericText("-12.5%", true));
  EXPECT_TRUE(IsNumericText("$5", true));
  EXPECT_FALSE(IsNumericText("$5", false));
  EXPECT_TRUE(IsNumericText("3-1", false));
  EXPECT_FALSE(IsNumericText(" 5", true));
}

TEST(ReportFormat, ColumnPercentsAndHiddenColumns) {
  Grid g(2, 4, 1, 0);
  g.SetColWidth(0, 1000);
  g.SetColWidth(1, 0);
  g.SetColWidth(2, 2000);
  g.SetColWidth(3, 1000);
  EXPECT_EQ(ComputeColumnPercents(g), (std::vector<int>{25, 0, 50, 25}));
  g.SetTextMatrix(1, 1, "hidden");
  std::string html = GridRowToHtml(g, 1, ComputeColumnPercents(g), true, true, 640, "#C6EF8C", 0, 0);
  EXPECT_EQ(html,
            "<table border=\"1\" cellpadding=\"1\" cellspacing=\"0\" width=\"640\" align=center>"
            "<tr bgcolor=#C6EF8C><td width=25% align=left><b>&nbsp;</b></td>"
            "<td width=50% align=left><b>&nbsp;</b></td><td width=25% align=left><b>&nbsp;</b></td></tr>");
  Grid none(1, 2, 0, 0);
  none.SetColWidth(0, 0);
  none.SetColWidth(1, 0);
  EXPECT_EQ(ComputeColumnPercents(none), (std::vector<int>{0, 0}));
}

TEST(ReportFormat, HtmlAlignmentFromTheCell) {
  Grid g(1, 4, 0, 0);
  const char* texts[] = {"12.5%", "1,234.00", "x", "7"};
  for (int c = 0; c < 4; ++c) g.SetTextMatrix(0, c, texts[c]);
  g.SetCellAlignmentAt(0, 2, flexAlignRightCenter);
  g.SetCellAlignmentAt(0, 3, flexAlignCenterCenter);
  EXPECT_EQ(GridRowToHtml(g, 0, ComputeColumnPercents(g), false, false, 0, "FFFF9C", 0, 0),
            "<tr bgcolor=FFFF9C><td align=right>12.5%</td><td align=left>1,234.00</td>"
            "<td align=right>x</td><td align=center>7</td></tr>");
}

TEST(ReportFormat, LinesPerPageKeepsAMarginAndTwentyWhereTwentyFit) {
  const std::pair<int, int> cases[] = {
      {60, 55},  // Int(61 x 0.95) - 2
      {23, 20}, {22, 20}, {21, 20}, {20, 20}, {19, 19}, {10, 10}, {3, 3}, {1, 1}, {0, 1},
  };
  for (auto [fit, lines] : cases) EXPECT_EQ(LinesPerPageFor(fit), lines) << fit << " lines fit";
  for (int fit = 1; fit < 200; ++fit) EXPECT_LE(LinesPerPageFor(fit), fit);
}

// The cutting rules spelt out character by character, slowly, to hold the
// writer's fast cutting to.
std::vector<std::string> Chars(const std::string& text) {
  std::vector<std::string> chars;
  for (unsigned char c : text)
    if ((c & 0xC0) == 0x80 && !chars.empty()) chars.back() += static_cast<char>(c);
    else chars.emplace_back(1, static_cast<char>(c));
  return chars;
}

std::vector<std::string> SlowWrap(const std::string& text, int width, const std::string& sep) {
  const auto chars = Chars(text);
  const int len = static_cast<int>(chars.size());
  if (len <= width + 1) return {text};
  auto pieceEnd = [&](int start, const std::string& s) {
    int found = 0;
    if (len - start >= width) {
      for (int p = start + width; p >= start && found == 0; --p) {
        std::string at;
        for (int k = p; k <= len && at.size() < s.size(); ++k) at += chars[k - 1];
        if (at.compare(0, s.size(), s) == 0) found = p;
      }
    } else {
      found = len;
    }
    return found <= start ? len : found;
  };
  std::vector<std::string> lines;
  for (int pos = 1; pos <= len;) {
    int end = pieceEnd(pos, sep);
    if (end - pos + 1 > width + 1) end = pieceEnd(pos, " ");
    if (end - pos + 1 > width + 1) end = pos + width - 1;
    std::string piece;
    for (int k = pos; k <= end; ++k) piece += chars[k - 1];
    pos = end + 1;
    while (!piece.empty() && piece.front() == ' ') piece.erase(0, 1);
    while (!piece.empty() && piece.back() == ' ') piece.pop_back();
    if (!piece.empty()) lines.push_back(piece);
  }
  if (lines.empty()) lines.emplace_back();
  return lines;
}

TEST(WrapForPrint, CutsAtTheSeparatorThenABlankThenAnywhere) {
  const std::string names = "Ann 1, Bob 2, Cy 3";
  EXPECT_EQ(WrapForPrint(names, 8, ","), (std::vector<std::string>{"Ann 1,", "Bob 2,", "Cy 3"}));
  EXPECT_EQ(WrapForPrint("abc def ghi", 4, ","), (std::vector<std::string>{"abc", "def", "ghi"}));
  EXPECT_EQ(WrapForPrint("abcdefghij", 4, ","), (std::vector<std::string>{"abcd", "efgh", "ij"}));
  EXPECT_EQ(WrapForPrint("Zoë, Ängel, Öre", 6, ","),
            (std::vector<std::string>{"Zoë,", "Ängel,", "Öre"}));
  EXPECT_EQ(WrapForPrint("short", 120, ","), (std::vector<std::string>{"short"}));
}

TEST(WrapForPrint, GivesTheSameLinesAsTheRulesOneCharacterAtATime) {
  const char* const parts[] = {"a", "b", "é", "€", ",", " ", ", ", "Ann", "Ünal 12"};
  unsigned seed = 12345;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  for (int round = 0; round < 400; ++round) {
    std::string text;
    const unsigned n = next() % 120;
    for (unsigned k = 0; k < n; ++k) text += parts[next() % std::size(parts)];
    const int width = 1 + static_cast<int>(next() % 20);
    SCOPED_TRACE(text + " / " + std::to_string(width));
    ASSERT_EQ(WrapForPrint(text, width, ","), SlowWrap(text, width, ","));
    std::string joined;
    for (const auto& piece : SplitAtSeparator(text, width, ",")) joined += piece;
    ASSERT_EQ(joined, text);
  }
}

TEST(ReportFormat, TabsPadOrMoveToTheNextLine) {
  std::vector<std::string> lines;
  TabWriter w([&](const std::string& l, bool) { lines.push_back(l); });
  w.Tab(4).Text("abc").Tab(7).Text("d").Tab(5).Text("e").Tab(5).Text("f");
  w.End();
  w.Tab(1).Text("Zoë").Tab(5).Text("x").Number(3).Number(-2);
  w.End();
  w.BlankLine();
  w.End();
  EXPECT_EQ(lines, (std::vector<std::string>{"   abcd", "    e", "    f", "Zoë x 3 -2 ", " ", ""}));
}

TEST(ReportFormat, Dates) {
  std::tm t = testing::ReportNow();
  EXPECT_EQ(LongDate(t), "Thursday, December 10, 2026");
  EXPECT_EQ(MediumTime(t), "02:05 PM");
  EXPECT_EQ(ShortDate(t), "12/10/2026");
  t.tm_hour = 0;
  EXPECT_EQ(MediumTime(t), "12:05 AM");
}

TEST(ReportFormat, Characters) {
  EXPECT_EQ(CharCount("Zoë"), 3u);
  EXPECT_EQ(LeftChars("Zoë Ånd", 3), "Zoë");
  EXPECT_EQ(RightChars("Zoë Ånd", 3), "Ånd");
  EXPECT_EQ(RightChars("ab", 5), "ab");
  EXPECT_EQ(HtmlEscape("a<b>&\"'é"), "a&lt;b&gt;&amp;&quot;&#39;&#233;");
}

}  // namespace
}  // namespace qb
