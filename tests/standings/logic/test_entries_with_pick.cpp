#include <gtest/gtest.h>

#include "standings/logic/analysis_pools.h"
#include "standings/logic/entries_with_pick.h"

namespace qb {
namespace {

using testing::AddEntry;
using testing::Bracket;

// Four teams, one point a first-round game and two for the final; slot 1
// won game 1 and the final, slot 3 game 2.
PoolState FourTeams() {
  PoolState s = Bracket(4);
  s.Pool.Results[1] = 1;
  s.Pool.Results[2] = 3;
  s.Pool.Results[3] = 1;
  AddEntry(s, "Al", 2, {1, 4, 1});   // 3 points
  AddEntry(s, "bob", 1, {1, 3, 1});  // 4
  AddEntry(s, "Al", 10, {2, 3, 1});  // 3
  AddEntry(s, "Gone", 1, {2, 3, 1}, /*deleted=*/true);
  AddEntry(s, "Cy", 1, {2, 3, 3});  // no final pick of slot 1
  return s;
}

std::vector<std::string> Column(const Grid& g, int col) {
  std::vector<std::string> v;
  for (int r = 1; r < g.Rows(); ++r) v.push_back(g.TextMatrix(r, col));
  return v;
}

TEST(EntriesWithPick, Heading) {
  PoolState s = FourTeams();
  EXPECT_EQ(EntriesWithPickHeading(s, 1, 2),
            "Entries with Team 1 (Seed 1) advancing to the  2nd round:");
  s.Teams[1].Seed = 0;
  EXPECT_EQ(EntriesWithPickHeading(s, 1, 1), "Entries with Team 1 advancing to the  1st round:");
}

TEST(EntriesWithPick, ListsLiveEntriesWithTheirPointsLeavingThePoolAsItWas) {
  PoolState s = FourTeams();
  // An entry is open in the editor: scoring for the list must not move it.
  s.CurrentEntry = 5;
  s.Score.ScorePoints[0] = 99;
  s.Games[3].Pick = 4;
  const GameTable games = s.Games;

  std::vector<EntryWithPick> rows = FindEntriesWithPick(s, 1, 2);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].Entry, 1);
  EXPECT_EQ(rows[0].Caption, "Al #2");
  EXPECT_EQ(rows[0].Points, 3);
  EXPECT_EQ(rows[1].Caption, "bob #1");
  EXPECT_EQ(rows[1].Points, 4);
  EXPECT_EQ(rows[2].Caption, "Al #10");
  EXPECT_EQ(rows[2].Points, 3);

  EXPECT_EQ(s.CurrentEntry, 5);
  EXPECT_EQ(s.Score.ScorePoints[0], 99);
  for (int g = 1; g <= 3; ++g) {
    EXPECT_EQ(s.Games[g].Pick, games[g].Pick);
    EXPECT_EQ(s.Games[g].Winner, games[g].Winner);
  }
  EXPECT_EQ(FindEntriesWithPick(s, 2, 1).size(), 2u);  // Al #10 and Cy, not the deleted one
  EXPECT_TRUE(FindEntriesWithPick(s, 4, 2).empty());
  EXPECT_TRUE(FindEntriesWithPick(s, 0, 2).empty());
}

TEST(EntriesWithPick, GridByPointsThenSortedFromTheHeader) {
  PoolState s = FourTeams();
  Grid g;
  FillEntriesWithPickGrid(g, FindEntriesWithPick(s, 1, 2), 4000);
  ASSERT_EQ(g.Rows(), 4);
  ASSERT_EQ(g.Cols(), 3);
  EXPECT_EQ(g.TextMatrix(0, 1), "Entry");
  EXPECT_EQ(g.TextMatrix(0, 2), "Points");
  EXPECT_EQ(g.ColWidth(0), 0);
  EXPECT_EQ(g.ColWidth(1), 2900);
  EXPECT_EQ(g.ColWidth(2), 800);
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"bob #1", "Al #2", "Al #10"}));
  EXPECT_EQ(Column(g, 2), (std::vector<std::string>{"4", "3", "3"}));
  EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"2", "1", "3"}));

  SortPickGrid(g, 1, PickGridHeaderSort(1));  // text: entry 10 before entry 2
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"Al #10", "Al #2", "bob #1"}));
  EXPECT_EQ(g.Row(), 1);
  EXPECT_EQ(g.Col(), 1);
  SortPickGrid(g, 2, PickGridHeaderSort(2));
  EXPECT_EQ(Column(g, 1), (std::vector<std::string>{"bob #1", "Al #10", "Al #2"}));
  EXPECT_EQ(PickGridHeaderSort(0), flexSortNone);
}

TEST(EntriesWithPick, PointsAreNumbersNotTexts) {
  // 10 points and 9 points: as texts "9" would come first.
  PoolState s = Bracket(4);
  s.Pool.RoundPoints[1] = 4.5f;
  s.Pool.RoundPoints[2] = 1;
  s.Pool.Results[1] = 1;
  s.Pool.Results[2] = 3;
  s.Pool.Results[3] = 1;
  AddEntry(s, "A", 1, {2, 3, 1});  // 4.5 + 1
  AddEntry(s, "B", 1, {1, 3, 1});  // 10
  Grid g;
  FillEntriesWithPickGrid(g, FindEntriesWithPick(s, 1, 2), 4000);
  EXPECT_EQ(Column(g, 2), (std::vector<std::string>{"10", "5.5"}));
}

TEST(EntriesWithPick, NoMatchLeavesTheHeaderAlone) {
  Grid g;
  FillEntriesWithPickGrid(g, {}, 4000);
  EXPECT_EQ(g.Rows(), 1);
  SortPickGrid(g, 1, flexSortGenericAscending);
  EXPECT_EQ(g.Rows(), 1);
  EXPECT_EQ(g.TextMatrix(0, 1), "Entry");
}

}  // namespace
}  // namespace qb
