#include <gtest/gtest.h>

#include <iterator>

#include "core/text_format.h"

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

// The wrapping as it has always cut, position by position from the text's
// start; the fast cutter must give exactly these pieces.
namespace slow {
size_t At(std::string_view t, int pos) {
  size_t i = 0;
  for (int n = pos - 1; i < t.size() && n > 0; --n) {
    ++i;
    while (i < t.size() && (static_cast<unsigned char>(t[i]) & 0xC0) == 0x80) ++i;
  }
  return i;
}
std::string Piece(std::string_view t, int start, int width, std::string_view sep) {
  const int len = static_cast<int>(CharCount(t));
  if (start > len) return {};
  int found = 0;
  if (len - start >= width) {
    for (int p = start + width; p >= start; --p)
      if (t.substr(At(t, p)).substr(0, sep.size()) == sep) {
        found = p;
        break;
      }
  } else {
    found = len;
  }
  if (found <= start) found = len;
  return std::string(t.substr(At(t, start), At(t, found + 1) - At(t, start)));
}
std::vector<std::string> Wrap(std::string_view t, int width, std::string_view sep) {
  const int len = static_cast<int>(CharCount(t));
  if (len <= width + 1) return {std::string(t)};
  const size_t most = static_cast<size_t>(width) + 1;
  std::vector<std::string> lines;
  for (int pos = 1; pos <= len;) {
    std::string piece = Piece(t, pos, width, sep);
    if (CharCount(piece) > most) piece = Piece(t, pos, width, " ");
    if (CharCount(piece) > most) piece = LeftChars(piece, static_cast<size_t>(width));
    if (piece.empty()) break;
    pos += static_cast<int>(CharCount(piece));
    std::string line = Trim(piece);
    if (!line.empty()) lines.push_back(std::move(line));
  }
  if (lines.empty()) lines.emplace_back();
  return lines;
}
}  // namespace slow

// Texts of every shape the wrap meets: names with ", " between them, runs
// without a separator or a blank, accented and four-byte characters, blanks
// at the cuts, malformed UTF-8.
std::vector<std::string> WrapTexts() {
  const char* const words[] = {"Ann", "Zoë Ängström", "Bob-Lee", "x", "Łukasz Żółć", "🏀 Hoops",
                               "", "   ", "NoBreakAtAllInThisVeryLongNameOfAnEntry", ",", ", ,"};
  std::vector<std::string> texts;
  unsigned seed = 7;
  for (int t = 0; t < 60; ++t) {
    std::string s;
    const int n = 5 + t * 3;
    for (int k = 0; k < n; ++k) {
      seed = seed * 1103515245u + 12345u;
      s += words[(seed >> 16) % std::size(words)];
      s += (seed >> 8) % 5 == 0 ? " " : (seed >> 8) % 7 == 0 ? "" : ", ";
    }
    texts.push_back(s);
  }
  texts.push_back(std::string(400, 'a'));
  texts.push_back(std::string(400, ' '));
  texts.push_back("a" + std::string(300, ' ') + "b");
  std::string accents;
  for (int k = 0; k < 200; ++k) accents += "é";
  texts.push_back(accents);
  // Stray bytes: lone continuation bytes, and multi-byte sequences cut
  // short, one ending the text.
  std::string lone;
  std::string truncated;
  for (int k = 0; k < 40; ++k) {
    lone += "Ann\x80, Zo\xA9, \xBF\xBF Bob-Lee, ";
    truncated += "Zo\xC3, \xE2\x82 Hoops, \xF0\x9F\x8F, Ann ";
  }
  texts.push_back(lone);
  texts.push_back(truncated + "\xF0\x9F");
  return texts;
}

TEST(WrapForPrint, SameCutsAsEver) {
  for (const std::string& text : WrapTexts()) {
    SCOPED_TRACE(text);
    for (int width : {1, 5, 20, 120}) {
      EXPECT_EQ(WrapForPrint(text, width, ","), slow::Wrap(text, width, ",")) << width;
      for (int start : {1, 2, 17, 130})
        EXPECT_EQ(WrapAtSeparator(text, start, width, ","), slow::Piece(text, start, width, ","));
    }
  }
}

TEST(WrapForPrint, CutsAtTheSeparatorThenABlankThenTheWidth) {
  struct Case {
    std::string text;
    int width;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"ab, cd, ef, gh", 6, {"ab, cd,", "ef,", "gh"}},  // the rest fits: no cut
      {"abcd efgh ijkl", 6, {"abcd", "efgh", "ijkl"}},   // no "," in reach: a blank
      {"abcdefghijkl", 4, {"abcd", "efgh", "ijkl"}},      // neither: a hard cut
      {"Zoë, Ängel, Öre, Åsa", 8, {"Zoë,", "Ängel,", "Öre,", "Åsa"}},  // characters, not bytes
      {"short", 10, {"short"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(WrapForPrint(c.text, c.width, ","), c.lines);
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

TEST(ReportFormat, LinesPerPageKeepsAMarginButNeverMoreThanFit) {
  // The margin of Int((fit + 1) x 0.95) - 2, raised to 20 where 20 lines
  // fit, and never more lines than fit.
  const std::pair<int, int> cases[] = {{60, 55}, {24, 21}, {22, 20}, {21, 20}, {20, 20},
                                       {19, 19}, {10, 10}, {3, 3},   {1, 1},   {0, 1}};
  for (auto [fit, lines] : cases) EXPECT_EQ(LinesPerPageFor(fit), lines) << fit;
  for (int fit = 1; fit < 200; ++fit) {
    EXPECT_LE(LinesPerPageFor(fit), fit);
    EXPECT_GE(LinesPerPageFor(fit), std::min(fit, 20));
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
