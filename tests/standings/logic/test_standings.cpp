// The standings grid and its sorts, on pools worked by hand.
#include "standings/logic/standings.h"

#include <gtest/gtest.h>

#include <vector>

#include "standings/logic/rank_pools.h"

namespace qb {
namespace {

using testing::RankPool;
using testing::ThreeEntries;

std::vector<std::string> Row(const Grid& g, int r) {
  std::vector<std::string> out;
  for (int c = 0; c < g.Cols(); ++c) out.push_back(g.TextMatrix(r, c));
  return out;
}

std::vector<std::string> Column(const Grid& g, int c) {
  std::vector<std::string> out;
  for (int r = kRankHeaderRows; r < g.Rows(); ++r) out.push_back(g.TextMatrix(r, c));
  return out;
}

Grid Built(const PoolState& s) {
  Grid g;
  BuildStandingsGrid(s, ScoreLiveEntries(s), g);
  return g;
}

TEST(Standings, HeadersWidthsAndOneRowPerLiveEntryInEntryOrder) {
  RankPool p = ThreeEntries();
  Grid g = Built(p.s);
  ASSERT_EQ(g.Cols(), 2 * 3 + 10);
  ASSERT_EQ(g.Rows(), 2 + 3);  // the deleted entry has no row
  EXPECT_EQ(g.FixedRows(), 2);
  EXPECT_EQ(g.FixedCols(), 1);
  EXPECT_EQ(Row(g, 0),
            (std::vector<std::string>{"", "Current:", "", "", "", "Possible:", "", "", "", "",
                                      "Rnd 1:", "", "Rnd 2:", "", "Rnd 3:", ""}));
  EXPECT_EQ(Row(g, 1), (std::vector<std::string>{"Name / Entry", "Points", "Rank", "Games", "  %",
                                                 "Points", "Rank", "Winner / Tiebrk", "", "",
                                                 " Pts", "Gms", " Pts", "Gms", " Pts", "Gms"}));
  const int widths[] = {1500, 700, 500, 600, 500, 700, 500, 1500,
                        0,    0,   500, 500, 500, 500, 500, 500};
  for (int c = 0; c < g.Cols(); ++c) EXPECT_EQ(g.ColWidth(c), widths[c]) << c;

  // Ranks are written by the sorts only; the percentage is cut down (2 of 3: 66).
  EXPECT_EQ(Row(g, 2),
            (std::vector<std::string>{"Ann 1", "3", "", "3", " 100%", "12", "", "Team 1/ 150", "1",
                                      "", "3", "3-1", "0", "0-2", "0", "0-1"}));
  EXPECT_EQ(Row(g, 3),
            (std::vector<std::string>{"Bob 2", "0", "", "0", " 0%", "1", "", "Team 2/ 140", "2", "",
                                      "0", "0-1", "0", "0", "0", "0"}));
  EXPECT_EQ(Row(g, 4),
            (std::vector<std::string>{"Cy 1", "2", "", "2", " 66%", "11", "", "Team 7/ 170", "4",
                                      "", "2", "2-1", "0", "0-2", "0", "0-1"}));
}

TEST(Standings, ScoringLeavesTheOpenPoolAsItWas) {
  RankPool p = ThreeEntries();
  p.s.Entries[1].Points = 77;
  p.s.CurrentEntry = 2;
  const GameTable games = p.s.Games;
  std::vector<EntryScore> scores = ScoreLiveEntries(p.s);
  ASSERT_EQ(scores.size(), 3u);
  EXPECT_EQ(scores[2].entry, 4);
  EXPECT_FLOAT_EQ(scores[0].points, 3);
  EXPECT_FLOAT_EQ(p.s.Entries[1].Points, 77);
  EXPECT_EQ(p.s.CurrentEntry, 2);
  EXPECT_EQ(p.s.Games[1].Winner, games[1].Winner);
}

TEST(Standings, NoDecidedGameLeavesThePercentageEmpty) {
  RankPool p = ThreeEntries();
  p.Results({0, 0, 0});
  Grid g = Built(p.s);
  EXPECT_EQ(Column(g, kRankPercent), (std::vector<std::string>{"", "", ""}));
}

TEST(Standings, AByeGameIsNotADecidedGame) {
  RankPool p;
  p.s = testing::Bracket(7);  // slot 8 is a Bye: game 4
  ASSERT_TRUE(p.s.ByeGame[4]);
  p.Add("Ann", 1, {1, 3, 5, 7, 1, 5, 1});
  p.Results({1, 3, 6, 7});
  EXPECT_EQ(DecidedGameCount(p.s), 3);
  EXPECT_EQ(Built(p.s).TextMatrix(2, kRankPercent), " 66%");
}

TEST(Standings, TiebreakerCutsTheChampionTo14CharactersAndAMissingPickLeavesOnlyTheSlash) {
  RankPool p = ThreeEntries();
  p.s.Pool.TiebreakerUsed = true;
  p.s.Teams[1].Name = "Northwestern State Université";
  p.s.Picks(7, 2) = 0;
  Grid g = Built(p.s);
  EXPECT_EQ(g.TextMatrix(1, kRankChampion), "Winner / Tiebrk");
  EXPECT_EQ(g.TextMatrix(2, kRankChampion), "Northwestern S/ 150");
  EXPECT_EQ(g.TextMatrix(3, kRankChampion), "/ 140");

  p.s.Pool.TiebreakerUsed = false;
  p.s.Teams[1].Name = "Université du Québec à Montréal";
  g = Built(p.s);
  EXPECT_EQ(g.TextMatrix(2, kRankChampion), "Université du Québec à Montréal");
  EXPECT_EQ(g.TextMatrix(3, kRankChampion), "");
}

TEST(Standings, ARePairedPoolShowsNoOpenGames) {
  RankPool p = ThreeEntries();
  p.s.Pool.RePair = true;
  ResetTeamAdvance(p.s);
  Grid g = Built(p.s);
  for (int r = 2; r < g.Rows(); ++r)
    for (int c = kRankRound1 + 1; c < g.Cols(); c += 2)
      EXPECT_EQ(g.TextMatrix(r, c).find('-'), std::string::npos) << r << "," << c;
}

TEST(Standings, LoserSeedScoringShowsNotApplicableAndThePossibleSortDoesNothing) {
  RankPool p = ThreeEntries();
  p.s.LoserSeedScoring = true;
  Grid g = Built(p.s);
  EXPECT_EQ(Column(g, kRankPossible), (std::vector<std::string>{"n/a", "n/a", "n/a"}));
  EXPECT_EQ(Column(g, kRankPossibleRank), (std::vector<std::string>{"n/a", "n/a", "n/a"}));
  g.Tag = " By Name";
  EXPECT_FALSE(SortRankByPossible(g, true));
  EXPECT_EQ(g.Tag, " By Name");
  EXPECT_EQ(Column(g, kRankKey), (std::vector<std::string>{"", "", ""}));
  SortRankByCurrent(g);
  EXPECT_EQ(Column(g, kRankName), (std::vector<std::string>{"Ann 1", "Cy 1", "Bob 2"}));
  EXPECT_EQ(Column(g, kRankPossibleRank), (std::vector<std::string>{"n/a", "n/a", "n/a"}));
}

TEST(Standings, SortsWriteTheirRanksAndSubtitles) {
  RankPool p = ThreeEntries();
  // Ann's later picks are out: possible 6.
  p.s.Picks(6, 1) = 6;
  p.s.Picks(7, 1) = 6;
  // Dee equals Cy on current and possible points, and sorts after her.
  p.Add("Dee", 1, {1, 4, 5, 7, 1, 7, 7});
  // Eve: 1 point now, 10 possible.
  p.Add("eve", 3, {2, 3, 6, 7, 3, 7, 7});
  Grid g = Built(p.s);
  SortRankByPossible(g, false);
  EXPECT_EQ(g.Tag, " By Possible Points");
  SortRankByCurrent(g);
  EXPECT_EQ(g.Tag, " By Current Rank");
  EXPECT_EQ(Column(g, kRankName),
            (std::vector<std::string>{"Ann 1", "Cy 1", "Dee 1", "eve 3", "Bob 2"}));
  EXPECT_EQ(Column(g, kRankCurrentRank), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(Column(g, kRankPoints), (std::vector<std::string>{"3", "2", "2", "1", "0"}));
  EXPECT_EQ(Column(g, kRankPossible), (std::vector<std::string>{"6", "11", "11", "10", "1"}));
  // The possible ranks stay as the possible sort wrote them.
  EXPECT_EQ(Column(g, kRankPossibleRank), (std::vector<std::string>{"4", "1", "2", "3", "5"}));

  SortRankByName(g);
  EXPECT_EQ(g.Tag, " By Name");
  EXPECT_EQ(Column(g, kRankName),
            (std::vector<std::string>{"Ann 1", "Bob 2", "Cy 1", "Dee 1", "eve 3"}));
  SortRankByGames(g);
  EXPECT_EQ(g.Tag, " By Games Correct");
  EXPECT_EQ(Column(g, kRankGames), (std::vector<std::string>{"3", "2", "2", "1", "0"}));
  EXPECT_EQ(Column(g, kRankCurrentRank), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
}

TEST(Standings, APoolWithoutLiveEntriesKeepsItsHeaderRows) {
  RankPool p;
  p.Add("Gone", 1, {1, 3, 5, 7, 1, 5, 1}, 0, true);
  Grid g = Built(p.s);
  EXPECT_EQ(g.Rows(), 2);
  SortRankByCurrent(g);
  SortRankByName(g);
  EXPECT_EQ(g.Rows(), 2);
  EXPECT_EQ(g.TextMatrix(1, 0), "Name / Entry");
}

// A 64-team pool: six rounds (points 1, 2, 4, 8, 16, 32), 22 columns.
// Rounds 1 to 4 are decided, the first contender winning every game
// (round 4 won by Teams 1, 17, 33, 49); games 61 to 63 are open.
//   Fav picks every result, then Teams 1 and 33 and Team 1 as champion:
//     32 points in each of rounds 1 to 4 = 128, 60 games, possible
//     128 + 2 x 16 + 32 = 192, its three open picks alive.
//   Dog picks the second contender throughout (Team 64 champion): nothing.
//   Mix picks rounds 1 and 2 right, then the second contender of its own
//     picks: 64 points, 48 of 60 games (80%), nothing left to win.
TEST(Standings, ASixtyFourTeamPoolFillsSixRoundsOfColumns) {
  RankPool p;
  p.s = testing::Bracket(64);
  testing::DecideThrough(p.s, 60);
  ResetTeamAdvance(p.s);
  ASSERT_EQ(p.s.NumRounds, 6);
  ASSERT_EQ(p.s.NumGames, 63);
  // Picks of the second contender from round `from` on.
  auto picks = [](int from) {
    std::vector<int16_t> v(63);
    for (int g = 1; g <= 32; ++g) v[g - 1] = static_cast<int16_t>(from <= 1 ? 2 * g : 2 * g - 1);
    int first = 1, games = 32;
    for (int r = 2; r <= 6; ++r) {
      const int base = first + games;  // first game of round r
      for (int k = 0; k < games / 2; ++k)
        v[base + k - 1] = v[first + 2 * k + (r >= from ? 1 : 0) - 1];
      first = base;
      games /= 2;
    }
    return v;
  };
  std::vector<int16_t> fav = picks(7);
  p.Add("Fav", 1, fav, 150);
  p.Add("Dog", 2, picks(1), 140);
  p.Add("Mix", 3, picks(3), 130);
  ASSERT_EQ(fav[62], 1);
  ASSERT_EQ(fav[61], 33);

  Grid g = Built(p.s);
  ASSERT_EQ(g.Cols(), 2 * 6 + 10);
  EXPECT_EQ(g.TextMatrix(0, 18), "Rnd 5:");
  EXPECT_EQ(g.TextMatrix(0, 20), "Rnd 6:");
  EXPECT_EQ(g.TextMatrix(1, 21), "Gms");
  EXPECT_EQ(g.ColWidth(21), 500);
  EXPECT_EQ(Row(g, 2), (std::vector<std::string>{"Fav 1", "128", "", "60", " 100%", "192", "",
                                                 "Team 1/ 150", "1", "", "32", "32", "32", "16",
                                                 "32", "8", "32", "4", "0", "0-2", "0", "0-1"}));
  EXPECT_EQ(Row(g, 3), (std::vector<std::string>{"Dog 2", "0", "", "0", " 0%", "0", "",
                                                 "Team 64/ 140", "2", "", "0", "0", "0", "0", "0",
                                                 "0", "0", "0", "0", "0", "0", "0"}));
  EXPECT_EQ(Row(g, 4), (std::vector<std::string>{"Mix 3", "64", "", "48", " 80%", "64", "",
                                                 "Team 61/ 130", "3", "", "32", "32", "32", "16",
                                                 "0", "0", "0", "0", "0", "0", "0", "0"}));

  SortRankByPossible(g, false);
  SortRankByCurrent(g);
  EXPECT_EQ(Column(g, kRankName), (std::vector<std::string>{"Fav 1", "Mix 3", "Dog 2"}));
  EXPECT_EQ(Column(g, kRankCurrentRank), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(Column(g, kRankPossibleRank), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(Column(g, 19), (std::vector<std::string>{"0-2", "0", "0"}));  // round 5 games
}

TEST(PlainNumber, WholeFractionalAndSignedForms) {
  EXPECT_EQ(PlainNumber(12.0f), "12");
  EXPECT_EQ(PlainNumber(12.5f), "12.5");
  EXPECT_EQ(PlainNumber(0.25f), ".25");
  EXPECT_EQ(PlainNumber(-3.0f), "-3");
  EXPECT_EQ(PlainNumber(-0.0f), "0");
  EXPECT_EQ(SignedNumber(7.0f), " 7");
  EXPECT_EQ(SignedNumber(-1.5f), "-1.5");
  EXPECT_EQ(LeftChars("Québec", 3), "Qué");
  EXPECT_EQ(LeftChars("ab", 14), "ab");
}

}  // namespace
}  // namespace qb
