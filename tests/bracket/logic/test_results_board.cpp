#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "bracket/logic/results_board.h"
#include "bracket_fixture.h"

namespace qb {
namespace {

using Kind = DropOutcome::Kind;

// One drop of a script: "t3>5" team box of slot 3 on game 5, "w1>5" winner box
// of game 1 on game 5, "t3>r1" / "w1>r2" on a round's caption, "w5>back" back
// on the team column.
struct Step {
  std::string drop;
  Kind expected;
};

struct BoardCase {
  std::string name;
  int slots;
  bool rePair;
  std::vector<Step> steps;
  std::map<int, int> winners;       // game -> slot after the script; other games undecided
  std::vector<int> lastCleared = {};  // later boxes emptied by the last step
  std::vector<std::string> lastSounds = {};
};

DropOutcome RunDrop(ResultsBoard& board, const std::string& drop) {
  auto gt = drop.find('>');
  BoardSource src = drop[0] == 't' ? BoardSource::Team(std::stoi(drop.substr(1, gt - 1)))
                                   : BoardSource::Winner(std::stoi(drop.substr(1, gt - 1)));
  std::string target = drop.substr(gt + 1);
  if (target == "back") return board.TakeBack(src);
  if (target[0] == 'r') return board.PlaceInRound(std::stoi(target.substr(1)), src);
  return board.Place(std::stoi(target), src);
}

class BoardTable : public ::testing::TestWithParam<BoardCase> {};

TEST_P(BoardTable, DropsGiveTheirOutcomes) {
  const BoardCase& c = GetParam();
  PoolState pool;
  testing::SetBracketTables(pool, c.slots);
  pool.Pool.RePair = c.rePair;
  ResultsBoard board(pool);
  board.Load(pool.Pool);
  DropOutcome last;
  for (const Step& step : c.steps) {
    last = RunDrop(board, step.drop);
    EXPECT_EQ(last.kind, step.expected) << step.drop;
  }
  for (int g = 1; g <= board.gameCount(); ++g) {
    auto it = c.winners.find(g);
    EXPECT_EQ(board.Winner(g), it == c.winners.end() ? 0 : it->second) << "game " << g;
  }
  EXPECT_EQ(last.clearedGames, c.lastCleared);
  if (!c.lastSounds.empty()) {
    EXPECT_EQ(last.sounds, c.lastSounds);
  }
}

// 8 slots: round 1 games 1..4 (slots 1-2, 3-4, 5-6, 7-8), round 2 games 5 (from 1, 2)
// and 6 (from 3, 4), final 7. 16 slots: round 1 games 1..8, round 2 9..12,
// round 3 13..14, final 15.
INSTANTIATE_TEST_SUITE_P(
    Drops, BoardTable,
    ::testing::Values(
        BoardCase{"FirstRoundWinnerFromItsPair", 8, false, {{"t2>1", Kind::Placed}}, {{1, 2}},
                  {}, {"start"}},
        BoardCase{"TeamOfAnotherPairRefused", 8, false, {{"t3>1", Kind::Refused}}, {}},
        BoardCase{"TeamBoxCannotSkipARound", 8, false, {{"t1>5", Kind::Refused}}, {}},
        BoardCase{"WinnerMovesOnAlongItsPath", 8, false,
                  {{"t1>1", Kind::Placed}, {"w1>5", Kind::Placed}, {"w1>6", Kind::Refused}},
                  {{1, 1}, {5, 1}}},
        BoardCase{"EmptyWinnerBoxCarriesNoTeam", 8, false, {{"w1>5", Kind::Refused}}, {}},
        BoardCase{"DropBackwardsRefused", 8, false,
                  {{"t1>1", Kind::Placed}, {"w1>5", Kind::Placed}, {"w5>1", Kind::Refused}},
                  {{1, 1}, {5, 1}}},
        BoardCase{"SameTeamAgainChangesNothing", 8, false,
                  {{"t1>1", Kind::Placed}, {"t1>1", Kind::Unchanged}}, {{1, 1}}, {}, {}},
        BoardCase{"ChangedWinnerWithNoLaterBoxes", 8, false,
                  {{"t1>1", Kind::Placed}, {"t2>1", Kind::Changed}}, {{1, 2}}, {},
                  {"claves"}},
        BoardCase{"ReplacedWinnerClearedFromLaterRounds", 8, false,
                  {{"t1>1", Kind::Placed},
                   {"t3>2", Kind::Placed},
                   {"w1>5", Kind::Placed},
                   {"w5>7", Kind::Placed},
                   {"t2>1", Kind::Changed}},
                  {{1, 2}, {2, 3}},
                  {5, 7},
                  {"cork", "claves"}},
        BoardCase{"ReplacingInRoundTwoClearsOnlyTheFinal", 8, false,
                  {{"t1>1", Kind::Placed},
                   {"t3>2", Kind::Placed},
                   {"w1>5", Kind::Placed},
                   {"w5>7", Kind::Placed},
                   {"w2>5", Kind::Changed}},
                  {{1, 1}, {2, 3}, {5, 3}},
                  {7}},
        BoardCase{"TakeBackClearsTheBoxAndTheTeamsLaterBoxes", 8, false,
                  {{"t1>1", Kind::Placed},
                   {"t4>2", Kind::Placed},
                   {"w1>5", Kind::Placed},
                   {"w5>7", Kind::Placed},
                   {"w1>back", Kind::TakenBack}},
                  {{2, 4}},
                  {5, 7},
                  {"cork"}},
        BoardCase{"TakeBackOfAnEmptyBoxRefused", 8, false, {{"w3>back", Kind::Refused}}, {}},
        BoardCase{"TakeBackOfALaterRoundLeavesEarlierRounds", 8, false,
                  {{"t1>1", Kind::Placed}, {"w1>5", Kind::Placed}, {"w5>back", Kind::TakenBack}},
                  {{1, 1}}},
        BoardCase{"CaptionDropFollowsThePath", 8, false,
                  {{"t4>r1", Kind::Placed},
                   {"t1>r1", Kind::Placed},
                   {"w2>r2", Kind::Placed},
                   {"w5>r3", Kind::Placed},
                   {"t6>r2", Kind::Refused}},
                  {{1, 1}, {2, 4}, {5, 4}, {7, 4}}},
        BoardCase{"RePairStillFixesTheFirstRound", 8, true, {{"t3>1", Kind::Refused}}, {}},
        BoardCase{"RePairTakesAnyWinnerOfTheRoundBefore", 8, true,
                  {{"t1>1", Kind::Placed},
                   {"t3>2", Kind::Placed},
                   {"t5>3", Kind::Placed},
                   {"w1>6", Kind::Placed},
                   {"w3>5", Kind::Placed}},
                  {{1, 1}, {2, 3}, {3, 5}, {5, 5}, {6, 1}}},
        BoardCase{"RePairTeamOncePerRound", 8, true,
                  {{"t1>1", Kind::Placed}, {"w1>6", Kind::Placed}, {"w1>5", Kind::Refused}},
                  {{1, 1}, {6, 1}}},
        BoardCase{"RePairStillOneRoundAtATime", 8, true,
                  {{"t1>1", Kind::Placed}, {"w1>7", Kind::Refused}}, {{1, 1}}},
        BoardCase{"RePairCaptionFillsTheFirstEmptyBox", 8, true,
                  {{"t2>1", Kind::Placed},
                   {"t3>2", Kind::Placed},
                   {"t6>3", Kind::Placed},
                   {"w2>r2", Kind::Placed},
                   {"w1>r2", Kind::Placed},
                   {"w3>r2", Kind::Refused},
                   {"w2>r2", Kind::Unchanged}},
                  {{1, 2}, {2, 3}, {3, 6}, {5, 3}, {6, 2}}},
        BoardCase{"RePairReplacedWinnerClearedWhereverItWent", 8, true,
                  {{"t1>1", Kind::Placed},
                   {"t3>2", Kind::Placed},
                   {"w1>6", Kind::Placed},
                   {"w6>7", Kind::Placed},
                   {"t2>1", Kind::Changed}},
                  {{1, 2}, {2, 3}},
                  {6, 7}},
        BoardCase{"SixteenSlotsDeepPathCleared", 16, false,
                  {{"t1>1", Kind::Placed},
                   {"w1>9", Kind::Placed},
                   {"w9>13", Kind::Placed},
                   {"w13>15", Kind::Placed},
                   {"t2>1", Kind::Changed}},
                  {{1, 2}},
                  {9, 13, 15},
                  {"cork", "claves"}},
        BoardCase{"SixteenSlotsFeedersOfRoundThree", 16, false,
                  {{"t1>1", Kind::Placed},
                   {"t5>3", Kind::Placed},
                   {"w1>9", Kind::Placed},
                   {"w3>10", Kind::Placed},
                   {"w9>13", Kind::Placed},
                   {"w10>14", Kind::Refused},
                   {"w10>13", Kind::Changed}},
                  {{1, 1}, {3, 5}, {9, 1}, {10, 5}, {13, 5}}},
        BoardCase{"SixteenSlotsLowerHalfPath", 16, false,
                  {{"t16>8", Kind::Placed},
                   {"w8>12", Kind::Placed},
                   {"w8>11", Kind::Refused},
                   {"w12>14", Kind::Placed},
                   {"w14>15", Kind::Placed}},
                  {{8, 16}, {12, 16}, {14, 16}, {15, 16}}},
        BoardCase{"SixteenSlotsRePairAnyBoxOfTheRoundBefore", 16, true,
                  {{"t1>1", Kind::Placed},
                   {"t16>8", Kind::Placed},
                   {"w8>9", Kind::Placed},
                   {"w1>12", Kind::Placed},
                   {"w9>14", Kind::Placed},
                   {"w1>13", Kind::Refused},
                   {"w12>13", Kind::Placed}},
                  {{1, 1}, {8, 16}, {9, 16}, {12, 1}, {13, 1}, {14, 16}}}),
    [](const ::testing::TestParamInfo<BoardCase>& info) { return info.param.name; });

class ByeBoard : public ::testing::Test {
 protected:
  void SetUp() override {
    pool.Teams[2].Name = "Bye";
    pool.Teams[8].Name = "bye";
    pool.Teams[5].Name = "Bye ";  // a trailing blank makes it a team name
    testing::SetBracketTables(pool, 8);
  }
  PoolState pool;
};

TEST_F(ByeBoard, OpponentsOfByesAdvanceAndStayLocked) {
  pool.Pool.Results[1] = 2;  // a stored result of a Bye game is not used
  pool.Pool.Results[3] = 6;
  ResultsBoard board(pool);
  board.Load(pool.Pool);
  EXPECT_TRUE(board.IsByeGame(1));
  EXPECT_FALSE(board.IsByeGame(3));
  EXPECT_TRUE(board.IsByeGame(4));
  EXPECT_EQ(board.Winner(1), 1);
  EXPECT_EQ(board.Winner(3), 6);
  EXPECT_EQ(board.Winner(4), 7);
  EXPECT_EQ(board.TeamOf(BoardSource::Team(2)), 0);
  EXPECT_EQ(board.Place(1, BoardSource::Team(2)).kind, Kind::Refused);
  EXPECT_EQ(board.Place(1, BoardSource::Team(1)).kind, Kind::Unchanged);
  EXPECT_EQ(board.TakeBack(BoardSource::Winner(1)).kind, Kind::Refused);
  EXPECT_EQ(board.Winner(1), 1);
  // The advanced team plays on like any winner.
  EXPECT_EQ(board.Place(5, BoardSource::Winner(1)).kind, Kind::Placed);
  EXPECT_EQ(board.Results()[1], 1);
  EXPECT_EQ(board.Results()[5], 1);
}

TEST(ResultsBoardLoad, StoredResultsShownAndNothingElse) {
  PoolState pool;
  testing::SetBracketTables(pool, 16);
  pool.Pool.Results[2] = 4;
  pool.Pool.Results[9] = 4;
  ResultsBoard board(pool);
  board.Load(pool.Pool);
  auto results = board.Results();
  ASSERT_EQ(results.size(), 16u);
  for (int g = 1; g <= 15; ++g) EXPECT_EQ(results[g], g == 2 || g == 9 ? 4 : 0) << g;
  EXPECT_EQ(board.RoundOf(9), 2);
  EXPECT_EQ(board.RoundOf(15), 4);
  EXPECT_EQ(board.RoundOf(BoardSource::Team(3)), 0);
}

TEST(ResultsBoardLoad, AGameOfTwoByesHasNoWinner) {
  PoolState pool;
  pool.Teams[3].Name = "Bye";
  pool.Teams[4].Name = "BYE";
  testing::SetBracketTables(pool, 8);
  ResultsBoard board(pool);
  board.Load(pool.Pool);
  EXPECT_FALSE(board.IsByeGame(2));
  EXPECT_EQ(board.Winner(2), 0);
  EXPECT_EQ(board.Place(2, BoardSource::Team(3)).kind, Kind::Refused);
}

}  // namespace
}  // namespace qb
