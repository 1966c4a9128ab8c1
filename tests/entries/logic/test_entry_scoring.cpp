#include <gtest/gtest.h>

#include "bracket_pool.h"
#include "core/bracket.h"
#include "core/scoring.h"
#include "entries/logic/entry_scoring.h"

namespace qb {
namespace {

using testing::MakeBracketPool;

class BoardScoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeBracketPool(s, 8);  // seeds 1..8 by slot
    // Round 1 played: slots 1, 4, 5, 7 won.
    s.Pool.Results[1] = 1;
    s.Pool.Results[2] = 4;
    s.Pool.Results[3] = 5;
    s.Pool.Results[4] = 7;
    ResetTeamAdvance(s);
  }
  PoolState s;
  GameTable games{};
};

TEST_F(BoardScoreTest, ScoresAsTheStoredEntryWouldBeScored) {
  PickBoard b = EmptyBoard(s);
  b = {0, 1, 3, 5, 7, 1, 7, 7};
  BoardScore bs = ScoreBoard(s, b, games);

  s.Picks.EnsureSize(s.NumGames + 1, 1);
  for (int g = 1; g <= 7; ++g) s.Picks(g, 1) = b[g];
  GameTable other{};
  BuildGameTable(s, other, s.Pool.Results.data());
  ScoreArea stored;
  ScoreEntry(s, other, stored, 1);
  EXPECT_EQ(bs.score.ScorePoints, stored.ScorePoints);
  EXPECT_EQ(bs.score.ScoreGames, stored.ScoreGames);
  EXPECT_EQ(bs.score.ScoreGames[1], 3);
  EXPECT_DOUBLE_EQ(bs.score.ScorePoints[0], 30);
}

TEST_F(BoardScoreTest, EachBoxIsEmptyCorrectWrongOrOpen) {
  PickBoard b = {0, 1, 3, 0, 7, 3, 0, 1};
  BoardScore bs = ScoreBoard(s, b, games);
  EXPECT_EQ(bs.states[1], PickState::Correct);
  EXPECT_EQ(bs.states[2], PickState::Wrong);  // 3 lost to 4
  EXPECT_EQ(bs.states[3], PickState::Empty);
  EXPECT_EQ(bs.states[5], PickState::Wrong);  // 3 is out already
  EXPECT_EQ(bs.states[7], PickState::Open);   // 1 still alive, final not played
}

TEST(BoardScore, UpsetsAreThePicksOfWorseSeedsThanTheFavoured) {
  PoolState s;
  MakeBracketPool(s, 8);
  GameTable games{};
  // Round 1: 2 over 1 and 4 over 3 are upsets, 5 and 7 are not; the final's
  // favoured seed is 1, so picking 4 is one more.
  PickBoard b = {0, 2, 4, 5, 7, 4, 5, 4};
  BoardScore bs = ScoreBoard(s, b, games);
  EXPECT_EQ(bs.upsets[1], 2);
  EXPECT_EQ(bs.picks[1], 4);
  EXPECT_EQ(UpsetPercent(bs, 1), 50);
  EXPECT_EQ(bs.upsets[3], 1);
  EXPECT_EQ(bs.upsets[0], bs.upsets[1] + bs.upsets[2] + bs.upsets[3]);
  EXPECT_EQ(UpsetPercent(ScoreBoard(s, EmptyBoard(s), games), 1), 0);
}

TEST(BoardScore, ByeGamesAreMarkedAndNotCountedAsPicks) {
  PoolState s;
  MakeBracketPool(s, 7);  // slot 8 is a Bye: game 4 holds team 7
  GameTable games{};
  PickBoard b = EmptyBoard(s);
  EXPECT_EQ(b[4], 7);
  BoardScore bs = ScoreBoard(s, b, games);
  EXPECT_EQ(bs.states[4], PickState::Bye);
  EXPECT_EQ(bs.picks[1], 0);
}

}  // namespace
}  // namespace qb
