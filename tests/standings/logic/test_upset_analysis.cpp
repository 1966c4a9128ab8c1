#include <gtest/gtest.h>

#include "standings/logic/analysis_pools.h"
#include "standings/logic/upset_analysis.h"

namespace qb {
namespace {

using testing::AddEntry;
using testing::Bracket;
using testing::SetSeeds;

std::vector<std::vector<std::string>> Rows(const Grid& g) {
  std::vector<std::vector<std::string>> rows;
  for (int r = 0; r < g.Rows(); ++r) {
    rows.emplace_back();
    for (int c = 0; c < g.Cols(); ++c) rows.back().push_back(g.TextMatrix(r, c));
  }
  return rows;
}

// Eight teams seeded 1, 8, 4, 5, 3, 6, 2, 7: the favoured seeds are 1, 4, 3,
// 2 in round 1, 1 and 2 in round 2, 1 in the final.
PoolState EightTeams() {
  PoolState s = Bracket(8);
  SetSeeds(s, {1, 8, 4, 5, 3, 6, 2, 7});
  // Seed 8 beats 1 and seed 6 beats 3 (upsets), seed 4 and seed 2 win as
  // favoured; in round 2 seed 4 beats the favoured 1 (an upset).
  s.Pool.Results[1] = 2;
  s.Pool.Results[2] = 3;
  s.Pool.Results[3] = 6;
  s.Pool.Results[4] = 7;
  s.Pool.Results[5] = 3;
  // Upsets picked: round 1 slots 2, 4, 8; round 2 slots 2, 8; the final 8.
  AddEntry(s, "Upsets", 1, {2, 4, 5, 8, 2, 8, 8});
  AddEntry(s, "Favourites", 1, {1, 3, 5, 7, 1, 7, 1});
  AddEntry(s, "Gone", 1, {2, 4, 6, 8, 2, 8, 8}, /*deleted=*/true);
  return s;
}

TEST(UpsetAnalysis, PickedAgainstActualRoundByRoundAndInTotal) {
  PoolState s = EightTeams();
  UpsetCounts c = CountUpsets(s);
  EXPECT_EQ(c.Entries, 2);
  EXPECT_EQ(c.Picked[1], 3);
  EXPECT_EQ(c.Picked[2], 2);
  EXPECT_EQ(c.Picked[3], 1);
  EXPECT_EQ(c.Picked[0], 6);
  EXPECT_EQ(c.Actual[1], 2);
  EXPECT_EQ(c.Actual[2], 1);
  EXPECT_EQ(c.Actual[3], 0);
  EXPECT_EQ(c.Actual[0], 3);

  Grid g;
  FillRoundGrid(g, s, c);
  const std::string band = "Teams Advancing Past Seed";
  EXPECT_EQ(Rows(g), (std::vector<std::vector<std::string>>{
                         {"", band, band, band, band},
                         {"", "Entry Avg", "Entry Avg", "Actual", "Actual"},
                         {"Round", "Games", "%", "Games", "%"},
                         // 3 / 2 entries; 3 of 4 games x 2 entries is 37.5%
                         {" 1st", "1.5", " 38%", "2", " 50%"},
                         {" 2nd", "1", " 50%", "1", " 50%"},
                         {" 3rd", ".5", " 50%", "", " 0%"},
                         // the total divides by all 7 games
                         {"Total", "3", " 43%", "3", " 43%"}}));
  EXPECT_EQ(g.FixedRows(), 3);
  EXPECT_EQ(g.FixedCols(), 1);
  for (int col = 0; col < 5; ++col) {
    EXPECT_EQ(g.ColWidth(col), 600);
    for (int row = 0; row < 3; ++row) EXPECT_EQ(g.CellAlignmentAt(row, col), flexAlignCenterCenter);
  }
  const int data[] = {flexAlignCenterCenter, flexAlignGeneral, flexAlignRightCenter,
                      flexAlignGeneral, flexAlignRightCenter};
  for (int row = 3; row < g.Rows(); ++row)
    for (int col = 0; col < 5; ++col) EXPECT_EQ(g.CellAlignmentAt(row, col), data[col]);
}

TEST(UpsetAnalysis, NoResultsAndNoEntriesShowZeroShares) {
  PoolState s = Bracket(4);
  Grid g;
  FillRoundGrid(g, s, CountUpsets(s));
  EXPECT_EQ(Rows(g).back(), (std::vector<std::string>{"Total", "0", " 0%", "", " 0%"}));
  EXPECT_EQ(Rows(g)[3], (std::vector<std::string>{" 1st", "0", " 0%", "", " 0%"}));
  EXPECT_EQ(Rows(g)[4][0], " 2nd");
  EXPECT_EQ(g.Rows(), 6);
}

TEST(UpsetAnalysis, WhatCountsAsAnUpset) {
  // Game 1: seed 1 v 16; game 2: 8 v 9; game 3: an unseeded team v seed 6
  // (the pool core favours the team without a seed); game 4 is not played.
  PoolState s = Bracket(16);
  SetSeeds(s, {1, 16, 8, 9, 0, 6});
  s.Pool.Results[1] = 1;              // the 1-seed wins: no upset
  s.Pool.Results[2] = 4;              // 9 beats the favoured 8: an upset
  s.Pool.Results[3] = 5;              // a winner without a seed: never an upset
  AddEntry(s, "A", 1, {2, 3, 5, 0});  // 16 over 1 is one; the others none
  UpsetCounts c = CountUpsets(s);
  EXPECT_EQ(c.Actual[1], 1);
  EXPECT_EQ(c.Picked[1], 1);
  EXPECT_EQ(c.Picked[0], 1);
}

TEST(UpsetAnalysis, ByeGamesLeaveRoundOneButNotTheTotal) {
  // 8 slots, slots 6 and 8 a Bye: round 1 has 2 games without one, the
  // bracket 7 games. Favoured seeds 1, 3, 5, 7; 1, 5; 1.
  PoolState s = Bracket(6);
  SetSeeds(s, {1, 2, 3, 4, 5, 0, 7, 0});
  ASSERT_EQ(s.NonByeGamesInRound[1], 2);
  AddEntry(s, "A", 1, {2, 3, 5, 7, 2, 7, 2});  // upsets: 1 in round 1, 2, 1
  Grid g;
  FillRoundGrid(g, s, CountUpsets(s));
  EXPECT_EQ(g.TextMatrix(3, 2), " 50%");
  EXPECT_EQ(g.TextMatrix(4, 2), " 100%");
  EXPECT_EQ(g.TextMatrix(5, 2), " 100%");
  EXPECT_EQ(g.TextMatrix(6, 1), "4");
  EXPECT_EQ(g.TextMatrix(6, 2), " 57%");  // 4 of 7
}

TEST(UpsetAnalysis, SixtyFourTeamsListSixRounds) {
  PoolState s = Bracket(64);
  Grid g;
  FillRoundGrid(g, s, CountUpsets(s));
  ASSERT_EQ(g.Rows(), 10);
  EXPECT_EQ(g.TextMatrix(8, 0), " 6th");
  EXPECT_EQ(g.TextMatrix(9, 0), "Total");
}

}  // namespace
}  // namespace qb
