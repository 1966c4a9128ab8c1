#include <gtest/gtest.h>

#include "core/currency.h"
#include "standings/logic/analysis_common.h"
#include "standings/logic/analysis_pools.h"
#include "standings/logic/pool_analysis.h"

namespace qb {
namespace {

using testing::AddEntry;
using testing::Bracket;

// Four teams, seeds 1..4; games 1 (slots 1-2), 2 (slots 3-4), 3 the final.
// Eight live entries, one deleted, whose picks must count nowhere.
PoolState EightEntries() {
  PoolState s = Bracket(4);
  for (int i = 0; i < 3; ++i) AddEntry(s, "Champ one " + std::to_string(i), 1, {1, 3, 1});
  for (int i = 0; i < 4; ++i) AddEntry(s, "Two and three " + std::to_string(i), 1, {2, 3, 3});
  AddEntry(s, "One, then nothing", 1, {1, 0, 0});
  AddEntry(s, "Gone", 1, {2, 4, 2}, /*deleted=*/true);
  s.NumDeletedEntries = 0;  // stale: the deletion was not counted
  return s;
}

struct TeamGrid {
  Grid grid;
  std::vector<std::string> choices;
};

TeamGrid FilledTeamGrid(const PoolState& s) {
  TeamGrid t;
  t.choices = FillTeamGrid(t.grid, s, CountTeamPicks(s), CountLiveEntries(s));
  return t;
}

TEST(PoolAnalysis, RoundNamesForEveryBracketSize) {
  const std::vector<std::vector<std::string>> names = {
      {"Runner-up", "Champ"},
      {"Semis", "Runner-up", "Champ"},
      {"2nd Round", "Semis", "Runner-up", "Champ"},
      {"2nd Round", "3rd Round", "Semis", "Runner-up", "Champ"},
      {"2nd Round", "3rd Round", " 4th Round", "Semis", "Runner-up", "Champ"}};
  for (int rounds = 2; rounds <= 6; ++rounds)
    for (int r = 1; r <= rounds; ++r)
      EXPECT_EQ(RoundName(r, rounds), names[rounds - 2][r - 1]) << rounds << " rounds, round " << r;
}

TEST(PoolAnalysis, CountsOnlyLiveEntriesAndRealPicks) {
  PoolState s = EightEntries();
  EXPECT_EQ(CountLiveEntries(s), 8);
  PickTally t = CountTeamPicks(s);
  // slot: {all rounds, round 1, round 2}
  const int expected[5][3] = {{0, 0, 0}, {7, 4, 3}, {4, 4, 0}, {11, 7, 4}, {0, 0, 0}};
  for (int slot = 0; slot <= 4; ++slot)
    for (int r = 0; r <= 2; ++r) EXPECT_EQ(t.At(slot, r), expected[slot][r]) << slot << "/" << r;
}

TEST(PoolAnalysis, TeamGridTextsAveragesAndShares) {
  PoolState s = EightEntries();
  TeamGrid t = FilledTeamGrid(s);
  const Grid& g = t.grid;
  ASSERT_EQ(g.Rows(), 7);
  ASSERT_EQ(g.Cols(), 8);
  EXPECT_EQ(g.FixedRows(), 3);
  EXPECT_EQ(g.FixedCols(), 2);
  EXPECT_EQ(t.choices, (std::vector<std::string>{"Team Name", "Average Wins", "Advance to Champ",
                                                 "Advance to Runner-up"}));
  const std::vector<std::vector<std::string>> header = {
      {"", "", "", "Times Picked to Advance to:", "Times Picked to Advance to:",
       "Times Picked to Advance to:", "Times Picked to Advance to:", ""},
      {"", "Team", "Average", "Champ", "Champ", "Runner-up", "Runner-up", ""},
      {"", "", "Wins", "#", "%", "#", "%", ""}};
  // Team rows before any sort: slot t on row t + 2; the number column is the sort's.
  const std::vector<std::vector<std::string>> teams = {
      {"", "Team 1 -  1", ".88", "3", " 38%", "4", " 50%", "1"},
      {"", "Team 2 -  2", ".50", "0", " 0%", "4", " 50%", "2"},
      {"", "Team 3 -  3", "1.38", "4", " 50%", "7", " 88%", "3"},
      {"", "Team 4 -  4", ".00", "0", " 0%", "0", " 0%", "4"}};
  for (int r = 0; r < 7; ++r)
    for (int c = 0; c < 8; ++c)
      EXPECT_EQ(g.TextMatrix(r, c), r < 3 ? header[r][c] : teams[r - 3][c]) << r << "," << c;
  for (int r = 0; r < 3; ++r) {
    EXPECT_TRUE(g.MergeRow(r));
    for (int c = 1; c <= 6; ++c) EXPECT_EQ(g.CellAlignmentAt(r, c), flexAlignCenterCenter);
  }
  for (int r = 3; r < 7; ++r) {
    EXPECT_FALSE(g.MergeRow(r));
    EXPECT_EQ(g.CellAlignmentAt(r, 4), flexAlignRightCenter);
    EXPECT_EQ(g.CellAlignmentAt(r, 3), flexAlignGeneral);
  }
  EXPECT_EQ(g.MergeCells(), flexMergeFree);
  const int widths[] = {300, 1800, 700, 550, 550, 550, 550, 0};
  for (int c = 0; c < 8; ++c) EXPECT_EQ(g.ColWidth(c), widths[c]);
  EXPECT_TRUE(g.Visible());
}

TEST(PoolAnalysis, NoLiveEntriesLeavesAveragesAndSharesEmpty) {
  PoolState s = Bracket(4);
  AddEntry(s, "Gone", 1, {1, 3, 1}, /*deleted=*/true);
  TeamGrid t = FilledTeamGrid(s);
  for (int r = 3; r < 7; ++r) {
    EXPECT_EQ(t.grid.TextMatrix(r, 2), "");
    EXPECT_EQ(t.grid.TextMatrix(r, 3), "0");
    EXPECT_EQ(t.grid.TextMatrix(r, 4), "");
  }
}

TEST(PoolAnalysis, ByeRowsAreHiddenInAnyCaseButCountedAndNumbered) {
  PoolState s = Bracket(6);  // slots 6 and 8 hold a Bye
  s.Teams[6].Name = "BYE";
  s.Teams[6].Seed = s.Teams[8].Seed = 0;
  TeamGrid t = FilledTeamGrid(s);
  for (int slot = 1; slot <= 8; ++slot)
    EXPECT_EQ(t.grid.RowHeight(slot + 2) == 0, slot == 6 || slot == 8) << slot;
  SortTeamGrid(t.grid, 0, "Team Name");
  // "BYE", "Bye", then Team 1 .. Team 7: hidden rows keep their numbers.
  EXPECT_EQ(t.grid.TextMatrix(3, 1), "BYE");
  EXPECT_EQ(t.grid.RowHeight(3), 0);
  EXPECT_EQ(t.grid.TextMatrix(4, 0), "2");
  EXPECT_EQ(t.grid.TextMatrix(5, 0), "3");
  EXPECT_EQ(t.grid.TextMatrix(5, 1), "Team 1 -  1");
}

TEST(PoolAnalysis, SixtyFourTeamsHaveSixRoundsAndTheBlankLedFourth) {
  PoolState s = Bracket(64);
  TeamGrid t = FilledTeamGrid(s);
  EXPECT_EQ(t.grid.Cols(), 16);
  EXPECT_EQ(t.grid.Rows(), 67);
  ASSERT_EQ(t.choices.size(), 8u);
  EXPECT_EQ(t.choices[5], "Advance to  4th Round");
  EXPECT_EQ(t.choices[7], "Advance to 2nd Round");
  EXPECT_EQ(t.grid.TextMatrix(1, 9), " 4th Round");
  EXPECT_EQ(TeamSortColumn(5), 9);
}

TEST(PoolAnalysis, SortsByNameIgnoringCaseOrByNumberFromTheHighest) {
  PoolState s = EightEntries();
  s.Teams[2].Name = "alpha";
  s.Teams[4].Name = "Zed";
  TeamGrid t = FilledTeamGrid(s);
  Grid& g = t.grid;
  auto slots = [&] {
    std::vector<std::string> v;
    for (int r = 3; r < g.Rows(); ++r) v.push_back(g.TextMatrix(r, 7));
    return v;
  };
  SortTeamGrid(g, 0, "Team Name");
  EXPECT_EQ(slots(), (std::vector<std::string>{"2", "1", "3", "4"}));
  EXPECT_EQ(g.Tag, " By Team Name");
  SortTeamGrid(g, 2, "Advance to Champ");
  // 4, 3, 0, 0: the equal ones keep their order.
  EXPECT_EQ(slots(), (std::vector<std::string>{"3", "1", "2", "4"}));
  EXPECT_EQ(g.Tag, " By Advance to Champ");
  for (int r = 3; r < 7; ++r) EXPECT_EQ(g.TextMatrix(r, 0), std::to_string(r - 2));
  EXPECT_EQ(g.Row(), 6);
  EXPECT_EQ(g.Col(), 0);
  SortTeamGrid(g, 1, "Average Wins");
  EXPECT_EQ(slots(), (std::vector<std::string>{"3", "1", "2", "4"}));
  SortTeamGrid(g, 3, "Advance to Runner-up");  // 4, 4, 7, 0
  EXPECT_EQ(slots(), (std::vector<std::string>{"3", "1", "2", "4"}));
  EXPECT_EQ(g.TextMatrix(3, 5), "7");
}

TEST(PoolAnalysis, ShowEntriesTakesTheRoundOfEitherColumnAndTheRowsTeam) {
  PoolState s = EightEntries();
  TeamGrid t = FilledTeamGrid(s);
  Grid& g = t.grid;
  SortTeamGrid(g, 2, "Advance to Champ");  // team 3 now on row 3
  struct Case {
    int row, col;
    bool refused;
    int team, round;
  };
  const Case cases[] = {{2, 4, true, 0, 0},  {3, 2, true, 0, 0},  {3, 1, true, 0, 0},
                        {3, 3, false, 3, 2}, {3, 4, false, 3, 2}, {4, 6, false, 1, 1}};
  for (const Case& c : cases) {
    g.SetRow(c.row);
    g.SetCol(c.col);
    ShowEntriesChoice choice = ChooseTeamAndRound(g, 2);
    EXPECT_EQ(choice.refused, c.refused) << c.row << "," << c.col;
    EXPECT_EQ(choice.team, c.team) << c.row << "," << c.col;
    EXPECT_EQ(choice.round, c.round) << c.row << "," << c.col;
    EXPECT_EQ(choice.Opens(), !c.refused);
  }
  // The current cell is now the hidden slot column: a second press gives
  // round 0, no message and no window.
  EXPECT_EQ(g.Col(), 7);
  ShowEntriesChoice again = ChooseTeamAndRound(g, 2);
  EXPECT_FALSE(again.refused);
  EXPECT_EQ(again.round, 0);
  EXPECT_FALSE(again.Opens());
}

TEST(PoolAnalysis, CountsBeyondSixteenBitsStayExact) {
  // 5,462 entries picking one champion make 32,772 wins of that team.
  PoolState s = Bracket(64);
  for (int e = 0; e < 5462; ++e) {
    std::vector<int16_t> picks(63, 0);
    for (int g : {1, 33, 49, 57, 61, 63}) picks[g - 1] = 1;
    AddEntry(s, "P", e + 1, picks);
  }
  PickTally t = CountTeamPicks(s);
  EXPECT_EQ(t.At(1, 0), 32772);
  TeamGrid grid;
  FillTeamGrid(grid.grid, s, t, CountLiveEntries(s));
  EXPECT_EQ(grid.grid.TextMatrix(3, 2), "6.00");
  EXPECT_EQ(grid.grid.TextMatrix(3, 3), "5462");
  EXPECT_EQ(grid.grid.TextMatrix(3, 4), " 100%");
}

TEST(PoolAnalysis, PicksOutsideTheBracketCountNowhere) {
  PoolState s = Bracket(4);
  AddEntry(s, "Damaged", 1, {9, -3, 2});
  PickTally t = CountTeamPicks(s);
  EXPECT_EQ(t.At(2, 2), 1);
  EXPECT_EQ(t.At(2, 0), 1);
  for (int slot : {0, 1, 3, 4}) EXPECT_EQ(t.At(slot, 0), 0);
}

TEST(PoolAnalysis, PotAvailableCountsLiveEntriesLessTheHoldbackAndNeverBelowZero) {
  struct Case {
    double cost, holdback;
    const char* text;
  };
  const Case cases[] = {{10, 5, "75"}, {12.5, 0, "100"}, {2.5, 0.25, "19.75"}, {1, 20, "0"}, {1, 8, "0"}};
  for (const Case& c : cases) {
    PoolState s = EightEntries();
    s.Pool.CostPerEntry = Currency::FromDouble(c.cost);
    s.Pool.HoldbackAmt = Currency::FromDouble(c.holdback);
    EXPECT_EQ(PotAvailableText(s), c.text) << c.cost << " less " << c.holdback;
  }
}

}  // namespace
}  // namespace qb
