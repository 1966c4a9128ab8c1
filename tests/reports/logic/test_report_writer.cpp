#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "report_fixture.h"
#include "reports/logic/report_format.h"
#include "reports/logic/report_writer.h"

namespace qb {
namespace {

using namespace qb::testing;

std::string Written(ReportKind kind, const Grid& grid, PoolState& pool, ReportMode mode,
                    const ReportEnvironment& env = Env()) {
  std::ostringstream out;
  WriteReport(kind, grid, pool, env, mode, out);
  return out.str();
}

class ReportWriterTest : public ::testing::Test {
 protected:
  void SetUp() override { MakePool(pool); }
  PoolState pool;
};

// Each report in one mode, and the current rankings in every mode, pinned whole.
TEST_F(ReportWriterTest, GoldenFiles) {
  struct Case {
    const char* file;
    ReportKind kind;
    Grid grid;
    ReportMode mode;
  };
  const Case cases[] = {
      {"rankings_print.txt", ReportKind::CurrentRankings, RankingsGrid(), ReportMode::Print},
      {"rankings_email.txt", ReportKind::CurrentRankings, RankingsGrid(), ReportMode::Email},
      {"rankings_web.html", ReportKind::CurrentRankings, RankingsGrid(), ReportMode::Web},
      {"winnings_email.txt", ReportKind::FinalWinnings, PayoutsGrid(), ReportMode::Email},
      {"scenarios_print.txt", ReportKind::ScenarioWinners, ScenarioGrid(3), ReportMode::Print},
      {"possibilities_web.html", ReportKind::WinningPossibilities, PossibilitiesGrid(),
       ReportMode::Web},
      {"possibilities_print.txt", ReportKind::WinningPossibilities, PossibilitiesGrid(),
       ReportMode::Print},
      {"possibilities_email.txt", ReportKind::WinningPossibilities, PossibilitiesGrid(),
       ReportMode::Email},
      {"pool_analysis_email.txt", ReportKind::PoolAnalysis, PoolAnalysisGrid(), ReportMode::Email},
      {"upsets_web.html", ReportKind::UpsetAnalysis, UpsetGrid(), ReportMode::Web},
      {"upsets_print.txt", ReportKind::UpsetAnalysis, UpsetGrid(), ReportMode::Print},
      {"upsets_email.txt", ReportKind::UpsetAnalysis, UpsetGrid(), ReportMode::Email},
      {"participants_print.txt", ReportKind::ParticipantListing, ParticipantGrid(),
       ReportMode::Print},
      {"entry_picks_email.txt", ReportKind::EntryPicksSummary, EntryPicksGrid(), ReportMode::Email},
      {"entry_picks_print.txt", ReportKind::EntryPicksSummary, EntryPicksGrid(), ReportMode::Print},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    if (c.mode == ReportMode::Print)
      ExpectGolden(c.file, PagesText(LayOutPrintedReport(c.kind, c.grid, pool, Env(), 60)));
    else
      ExpectGolden(c.file, FromCrLf(Written(c.kind, c.grid, pool, c.mode)));
  }
}

// Lines of the pages that are none of the heading's: the data rows of the
// scenario report start at column 4 with "Duke" and at 16 with "1st".
int ScenarioLines(const std::vector<PrintedPage>& pages) {
  int n = 0;
  for (const auto& page : pages)
    for (const auto& line : page)
      if (line.text.rfind("   Duke, Iowa", 0) == 0 || line.text.rfind(std::string(15, ' ') + "1st", 0) == 0)
        ++n;
  return n;
}

TEST_F(ReportWriterTest, PrintedPagesNeverOverrunAndLoseNoLine) {
  const Grid grid = ScenarioGrid(40);
  for (int perPage : {3, 12, 20, 25, 31, 60}) {
    SCOPED_TRACE(perPage);
    auto pages = LayOutPrintedReport(ReportKind::ScenarioWinners, grid, pool, Env(), perPage);
    for (const auto& page : pages) EXPECT_LE(page.size(), static_cast<size_t>(perPage));
    EXPECT_EQ(ScenarioLines(pages), 80);
  }
}

TEST_F(ReportWriterTest, ARowStartsANewPageWithItsHeadingWhenItWouldNotFit) {
  // The heading takes 15 lines and the column heading 1: with 25 lines a
  // page holds three scenarios of three lines, never a split one.
  auto pages = LayOutPrintedReport(ReportKind::ScenarioWinners, ScenarioGrid(7), pool, Env(), 25);
  ASSERT_EQ(pages.size(), 3u);
  for (size_t p = 0; p < pages.size(); ++p) {
    SCOPED_TRACE(p);
    const auto& page = pages[p];
    ASSERT_GT(page.size(), 3u);
    EXPECT_NE(page[2].text.find("Page  " + std::to_string(p + 1) + " "), std::string::npos);
    EXPECT_TRUE(page[2].bold);
    EXPECT_EQ((page.size() - 16) % 3, 0u);
    EXPECT_EQ(page.back().text.rfind(std::string(15, ' ') + "1st", 0), 0u);
  }
}

TEST_F(ReportWriterTest, APageTooSmallForTheHeadingContinuesOnTheNextPage) {
  auto pages = LayOutPrintedReport(ReportKind::CurrentRankings, RankingsGrid(), pool, Env(), 5);
  size_t lines = 0;
  for (const auto& page : pages) {
    EXPECT_LE(page.size(), 5u);
    lines += page.size();
  }
  // 15 heading lines, 3 of column headings, 3 data rows: all on one run of pages.
  EXPECT_EQ(lines, 21u);
  EXPECT_EQ(pages.back().back().text.rfind("   Ann 1", 0), 0u);
}

TEST_F(ReportWriterTest, HtmlEscapesEveryDataTextAndKeepsItsOwnMarkup) {
  std::string html = Written(ReportKind::CurrentRankings, RankingsGrid(), pool, ReportMode::Web);
  EXPECT_EQ(html.find("<script>"), std::string::npos);
  EXPECT_EQ(html.find("<Pool>"), std::string::npos);
  EXPECT_NE(html.find("&lt;script&gt;x&lt;/script&gt; 2"), std::string::npos);
  EXPECT_NE(html.find("Office &lt;Pool&gt; &amp; Friends"), std::string::npos);
  EXPECT_NE(html.find("Bob &quot;Ace&quot; Smith &amp; Company 1"), std::string::npos);
  EXPECT_NE(html.find("<td align=right>&nbsp;</td>"), std::string::npos);
  pool.Pool.TiebreakerType = "Goals <b>&</b> more";
  html = Written(ReportKind::ParticipantListing, ParticipantGrid(), pool, ReportMode::Web);
  EXPECT_NE(html.find("<br><b>Tiebreaker:</b> Goals &lt;b&gt;&amp;&lt;/b&gt; more<br>"),
            std::string::npos);
  // Characters beyond ASCII as references: the page is plain ASCII.
  EXPECT_NE(html.find("Zo&#235; &#197;ngstr&#246;m"), std::string::npos);
  for (char c : html) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
  Grid upsets = UpsetGrid();
  html = Written(ReportKind::UpsetAnalysis, upsets, pool, ReportMode::Web);
  EXPECT_NE(html.find("<p><center><b><font size=bigger>Upsets &lt;Picked&gt; &amp; Actual"),
            std::string::npos);
}

TEST_F(ReportWriterTest, WritingAReportLeavesTheGridAsItWas) {
  Grid grid = RankingsGrid();
  grid.SetRow(3);
  grid.SetCol(2);
  const Grid before = grid;
  for (ReportMode mode : {ReportMode::Email, ReportMode::Web}) Written(ReportKind::CurrentRankings, grid, pool, mode);
  LayOutPrintedReport(ReportKind::CurrentRankings, grid, pool, Env(), 40);
  EXPECT_EQ(grid.Row(), 3);
  EXPECT_EQ(grid.Col(), 2);
  EXPECT_TRUE(grid.Visible());
  for (int r = 0; r < grid.Rows(); ++r)
    for (int c = 0; c < grid.Cols(); ++c) EXPECT_EQ(grid.TextMatrix(r, c), before.TextMatrix(r, c));
}

TEST_F(ReportWriterTest, AWebRowLimitLeavesLaterRowsOut) {
  ReportEnvironment env = Env();
  env.web.rowLimit = 1;  // rows up to (1 + 2) x factor
  auto lines = SplitLines(FromCrLf(Written(ReportKind::ScenarioWinners, ScenarioGrid(5), pool,
                                           ReportMode::Web, env)));
  int rows = 0, blanks = 0;
  for (const auto& l : lines) {
    if (l.rfind("   <tr bgcolor=FFFF9C>", 0) == 0) ++rows;
    if (l == "   ") ++blanks;
  }
  EXPECT_EQ(rows, 3);
  EXPECT_EQ(blanks, 2);
  // The entry picks summary holds seven grid rows per entry.
  Grid picks(30, 5, 1, 0);
  lines = SplitLines(FromCrLf(Written(ReportKind::EntryPicksSummary, picks, pool, ReportMode::Web, env)));
  rows = 0;
  for (const auto& l : lines)
    if (l.rfind("   <tr bgcolor=FFFF9C>", 0) == 0) ++rows;
  EXPECT_EQ(rows, 21);
}

TEST_F(ReportWriterTest, HeadingLeavesOutWhatThePoolDoesNotUse) {
  PoolState plain;
  MakePool(plain, /*tiebreaker=*/false, /*booby=*/false);
  for (ReportMode mode : {ReportMode::Email, ReportMode::Web}) {
    std::string text = Written(ReportKind::FinalWinnings, PayoutsGrid(), plain, mode);
    EXPECT_EQ(text.find("Tiebreaker:"), std::string::npos);
    EXPECT_EQ(text.find("Booby-"), std::string::npos);
    EXPECT_NE(text.find(" 1st- 60%;   2nd- 30%;  "), std::string::npos);
  }
  std::string email = Written(ReportKind::FinalWinnings, PayoutsGrid(), plain, ReportMode::Email);
  EXPECT_NE(email.find("\r\n   Payout Percentages:"), std::string::npos);
  EXPECT_EQ(email.find("Page"), std::string::npos);
}

TEST_F(ReportWriterTest, AHoldbackAboveTheEntryMoneyShowsAnEmptyPot) {
  pool.Pool.HoldbackAmt = Currency::FromDouble(50);
  auto pages = LayOutPrintedReport(ReportKind::FinalWinnings, PayoutsGrid(), pool, Env(), 60);
  std::string text = PagesText(pages);
  EXPECT_NE(text.find("Total Pot is $.00"), std::string::npos);
  EXPECT_EQ(text.find("-$"), std::string::npos);
}

TEST_F(ReportWriterTest, ColumnsBeyondTheGridPrintEmpty) {
  // Six rounds first, then three: the second report's rows hold nothing
  // where the tabs of rounds 4 to 6 would put them.
  Grid wide(3, 22, 2, 1);
  for (int c = 0; c < 22; ++c) wide.SetTextMatrix(2, c, "W" + std::to_string(c));
  Grid narrow = RankingsGrid();
  std::ostringstream out;
  WriteReport(ReportKind::CurrentRankings, wide, pool, Env(), ReportMode::Email, out);
  const std::string first = out.str();
  EXPECT_NE(first.find("W21"), std::string::npos);
  out.str("");
  WriteReport(ReportKind::CurrentRankings, narrow, pool, Env(), ReportMode::Email, out);
  for (const auto& line : SplitLines(FromCrLf(out.str()))) {
    if (line.size() > 121) {
      EXPECT_EQ(line.find_first_not_of(' ', 121), std::string::npos) << line;
    }
    EXPECT_EQ(line.find('W'), line.find("Winner")) << line;
  }
}

TEST_F(ReportWriterTest, HiddenColumnsPrintEmptyAsOnTheScreen) {
  Grid teams = PoolAnalysisGrid();
  teams.SetColWidth(9, 0);  // the sort key after the last round
  std::string text = Written(ReportKind::PoolAnalysis, teams, pool, ReportMode::Email);
  EXPECT_EQ(text.find("45678"), std::string::npos);
  Grid winners = PayoutsGrid();
  winners.SetColWidth(4, 0);  // no numeric tiebreaker
  winners.SetColWidth(6, 0);
  text = PagesText(LayOutPrintedReport(ReportKind::FinalWinnings, winners, pool, Env(), 60));
  EXPECT_EQ(text.find("Tiebrk Diff"), std::string::npos);
  EXPECT_EQ(text.find("145"), std::string::npos);
  // The HTML leaves them out as well.
  text = Written(ReportKind::FinalWinnings, winners, pool, ReportMode::Web);
  EXPECT_EQ(text.find("Tiebreaker Difference"), std::string::npos);
}

// The pool winners of a scenario with many ties: as long as the grid holds it.
std::string ManyWinners(int n, const std::string& separator) {
  std::string text;
  for (int e = 1; e <= n; ++e)
    text += (e == 1 ? "" : separator) + std::string("Booby-Player ") + std::to_string(e) + " 2 ( 0 )";
  return text;
}

std::string WithoutBlanks(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ' '), text.end());
  return text;
}

TEST_F(ReportWriterTest, ALongScenarioTextPrintsOnFurtherLinesAndLosesNothing) {
  struct Case {
    const char* what;
    std::string winners;
  } cases[] = {
      {"pieces end at a comma", ManyWinners(60, ",  ")},
      {"no comma: pieces end at a blank", ManyWinners(60, "  ")},
      {"neither: pieces are cut", std::string(400, 'x')},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Grid grid = ScenarioGrid(2);
    grid.SetTextMatrix(1, 1, c.winners);
    auto pages = LayOutPrintedReport(ReportKind::ScenarioWinners, grid, pool, Env(), 60);
    std::string printed;
    bool inFirstScenario = false;
    for (const auto& page : pages)
      for (const auto& line : page) {
        if (line.text.rfind("   Duke, Iowa, Duke 1", 0) == 0) inFirstScenario = true;
        else if (line.text.rfind("   Duke, Iowa, Duke 2", 0) == 0) inFirstScenario = false;
        else if (inFirstScenario && !line.text.empty()) {
          EXPECT_EQ(line.text.rfind(std::string(15, ' '), 0), 0u) << line.text;
          // Never wider than the column tab and a piece of 121 characters.
          EXPECT_LE(CharCount(line.text), 15u + 121u) << line.text;
          printed += line.text.substr(15);
        }
      }
    EXPECT_EQ(WithoutBlanks(printed), WithoutBlanks(c.winners));
  }
  // The text file keeps each text on one line.
  Grid grid = ScenarioGrid(1);
  grid.SetTextMatrix(1, 1, ManyWinners(60, ",  "));
  std::string email = Written(ReportKind::ScenarioWinners, grid, pool, ReportMode::Email);
  EXPECT_NE(email.find(std::string(15, ' ') + ManyWinners(60, ",  ") + "\r\n"), std::string::npos);
}

TEST_F(ReportWriterTest, AnAmountOwedPrintsWholeRightAlignedInItsColumn) {
  struct Case {
    const char* owed;
    const char* printed;  // from the column tab of the amount (105) on
  } cases[] = {
      {"0", "    0"}, {"12.5", " 12.5"}, {"37.50", "37.50"}, {"1055.25", "1055.25"},
      {"123456.5", "123456.5"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.owed);
    Grid grid = ParticipantGrid();
    grid.SetTextMatrix(2, 5, c.owed);
    for (ReportMode mode : {ReportMode::Print, ReportMode::Email}) {
      std::vector<std::string> lines;
      if (mode == ReportMode::Print) {
        for (const auto& page :
             LayOutPrintedReport(ReportKind::ParticipantListing, grid, pool, Env(), 60))
          for (const auto& line : page) lines.push_back(line.text);
      } else {
        lines = SplitLines(FromCrLf(Written(ReportKind::ParticipantListing, grid, pool, mode)));
      }
      bool found = false;
      for (const auto& line : lines)
        if (line.rfind("   Eve ", 0) == 0) {
          found = true;
          EXPECT_EQ(line.substr(104), c.printed) << line;
        }
      EXPECT_TRUE(found);
    }
  }
}

TEST_F(ReportWriterTest, ModeTexts) {
  EXPECT_EQ(ReportModeOf("Print"), ReportMode::Print);
  EXPECT_EQ(ReportModeOf("Email"), ReportMode::Email);
  EXPECT_EQ(ReportModeOf("Web"), ReportMode::Web);
  EXPECT_EQ(ReportModeOf(""), ReportMode::Print);
}

}  // namespace
}  // namespace qb
