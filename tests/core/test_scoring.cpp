#include <gtest/gtest.h>

#include <random>
#include <thread>
#include <vector>

#include "core/bracket.h"
#include "core/prompts.h"
#include "core/scoring.h"

namespace qb {
namespace {

// A pool of `teams` teams, slot n seeded `seeds[n]` (slot number when none
// given), set up, with room for `entries` entries.
struct Pool {
  PoolState s;
  ScriptedPrompts prompts;

  explicit Pool(int teams, std::vector<int> seeds = {}, bool rePair = false) {
    ClearPool(s);
    s.Pool.NumTeams = static_cast<int16_t>(teams);
    s.Pool.RePair = rePair;
    for (int n = 1; n <= kMaxSlots; ++n) {
      s.Teams[n].Number = static_cast<int16_t>(n);
      s.Teams[n].Name = "Team " + std::to_string(n);
      s.Teams[n].Seed = static_cast<int16_t>(n < static_cast<int>(seeds.size()) ? seeds[n] : n);
    }
    for (int r = 1; r <= 7; ++r) s.Pool.RoundPoints[r] = static_cast<float>(r);
  }
  void Setup(int entries = 2) {
    SetupBracketFromParameters(s, prompts);
    ASSERT_FALSE(s.DialogCancelled);
    s.NumEntries = static_cast<int16_t>(entries);
    s.Entries.assign(entries + 1, EntryRecord{});
    for (int e = 1; e <= entries; ++e) s.Entries[e].BettorIndex = 1;
    s.Picks.Resize(s.NumGames + 1, entries + 1);
  }
  void Method(int round, float method, float factor) {
    s.Pool.SeedMethod[round] = method;
    s.Pool.SeedFactor[round] = factor;
  }
  // Results set after set-up: refresh who is alive as set-up would.
  void Result(int game, int slot) {
    s.Pool.Results[game] = static_cast<int16_t>(slot);
    ResetTeamAdvance(s);
  }
};

struct OneGameCase {
  int method;
  float factor;
  int seedA, seedB;  // slots 1 and 2
  int winner, pick;
  double points;  // round 1 is worth 1
};

TEST(ScoreEntry, SeedMethodsOnAPlayedGame) {
  const OneGameCase cases[] = {
      {0, 1, 12, 5, 1, 1, 1},                               // no bonus
      {1, 1, 3, 10, 1, 1, 4},                               // winner's seed
      {1, 1, 0, 10, 1, 1, 1},                               // unseeded winner
      {1, 0.5f, 12, 5, 2, 2, 3.5},                          // winner's seed x factor
      {2, 1.5f, 9, 2, 1, 1, 2.5},                           // upset bonus
      {2, 1.5f, 9, 2, 2, 2, 1},                             // the better seed won
      {2, 1, 5, 0, 1, 1, 1},                                // an unseeded loser makes no upset
      {3, 2, 10, 3, 1, 1, 21},                              // upset: winner's seed x factor
      {3, 2, 3, 10, 1, 1, 1},      {4, 1, 12, 5, 1, 1, 8},  // difference in seeds: 7
      {4, 1, 12, 5, 2, 2, 1},      {4, 0.5f, 13, 4, 1, 1, 5.5},
      {5, 1, 12, 0, 1, 1, 1},     // unseeded loser
      {5, 1, 12, 5, 1, 1, 3.4},   // 12 / 5
      {5, 1, 5, 12, 1, 1, 1.42},  // 5 / 12 rounded to hundredths, no upset needed
      {5, 3, 7, 3, 1, 1, 8},      // 7 / 3 x 3
      {4, 1, 12, 5, 1, 2, 0},     // wrong pick
      {1, 1, 3, 10, 1, 0, 0},     // no pick
  };
  for (const auto& c : cases) {
    Pool p(4, {0, c.seedA, c.seedB, 3, 4});
    p.Method(1, static_cast<float>(c.method), c.factor);
    p.Setup();
    p.s.Picks(1, 1) = static_cast<int16_t>(c.pick);
    p.Result(1, c.winner);
    ScoreAllEntries(p.s);
    EXPECT_FLOAT_EQ(p.s.Entries[1].RoundPointsWon[1], static_cast<float>(c.points));
    ScoreEntry(p.s, p.s.Games, p.s.Score, 1);
    EXPECT_DOUBLE_EQ(p.s.Score.ScorePoints[1], c.points)
        << "method " << c.method << " seeds " << c.seedA << "/" << c.seedB << " winner "
        << c.winner;
    EXPECT_EQ(p.s.Games[1].PickCorrect, c.pick == c.winner);
  }
}

TEST(ScoreEntry, CorrectRoundTwoPickWithWinnersSeedBonus) {
  Pool p(8, {0, 1, 8, 4, 5, 3, 6, 2, 7});
  p.Method(2, 1, 0.5f);
  p.Setup();
  p.Result(3, 5);
  p.Result(4, 7);
  p.Result(6, 5);  // seed 3 beats seed 2
  p.s.Picks(3, 1) = 5;
  p.s.Picks(4, 1) = 7;
  p.s.Picks(6, 1) = 5;
  ScoreAllEntries(p.s);
  const EntryRecord& e = p.s.Entries[1];
  EXPECT_FLOAT_EQ(e.RoundPointsWon[1], 2);
  EXPECT_FLOAT_EQ(e.RoundPointsWon[2], 3.5f);  // 2 + 3 x 0.5
  EXPECT_FLOAT_EQ(e.Points, 5.5f);
  EXPECT_EQ(e.GamesWon, 3);
  EXPECT_EQ(e.RoundGamesWon[1], 2);
  EXPECT_EQ(e.RoundGamesWon[2], 1);
}

TEST(BuildGameTable, WinnersLosersAndSeeds) {
  Pool p(8, {0, 1, 8, 4, 5, 3, 6, 2, 7});
  p.Setup();
  p.s.Pool.Results[1] = 2;
  p.s.Pool.Results[2] = 3;
  p.s.Pool.Results[5] = 3;
  p.s.Pool.Results[3] = 6;  // game 4 undecided
  p.s.Pool.Results[6] = 6;
  GameTable g{};
  g[1].Pick = 9;
  g[1].PickSeed = 4;
  g[1].PickCorrect = true;
  BuildGameTable(p.s, g, p.s.Pool.Results.data());
  EXPECT_EQ(g[1].Winner, 2);
  EXPECT_EQ(g[1].WinnerSeed, 8);
  EXPECT_EQ(g[1].Loser, 1);
  EXPECT_EQ(g[1].LoserSeed, 1);
  EXPECT_EQ(g[2].Loser, 4);
  EXPECT_EQ(g[5].Winner, 3);
  EXPECT_EQ(g[5].Loser, 2);
  EXPECT_EQ(g[5].LoserSeed, 8);
  EXPECT_EQ(g[6].Loser, 0);  // its other feeder is undecided
  EXPECT_EQ(g[4].Winner, 0);
  EXPECT_EQ(g[4].Loser, 0);
  EXPECT_EQ(g[7].Winner, 0);
  // Feeders come with the table; the pick fields stay as they were.
  EXPECT_EQ(g[7].Feeder1, 5);
  EXPECT_EQ(g[7].Feeder2, 6);
  EXPECT_EQ(g[4].Feeder1, 7);
  EXPECT_EQ(g[1].Pick, 9);
  EXPECT_EQ(g[1].PickSeed, 4);
  EXPECT_TRUE(g[1].PickCorrect);
}

TEST(BuildGameTable, AWinnerOutsideTheSlotsIsUndecided) {
  Pool p(4);
  p.Setup();
  int16_t winners[4] = {0, 300, -2, 0};
  GameTable g{};
  BuildGameTable(p.s, g, winners);
  EXPECT_EQ(g[1].Winner, 0);
  EXPECT_EQ(g[2].Winner, 0);
}

TEST(ScoreEntry, PossiblePointsOnlyMethodOneAddsABonus) {
  Pool p(4, {0, 1, 2, 3, 4});
  p.Method(1, 1, 1);
  p.Method(2, 1, 1);
  p.Setup();
  p.s.Picks(1, 1) = 1;
  p.s.Picks(2, 1) = 3;
  p.s.Picks(3, 1) = 3;
  ScoreAllEntries(p.s);
  EXPECT_FLOAT_EQ(p.s.Entries[1].Points, 0);
  EXPECT_EQ(p.s.Entries[1].GamesWon, 0);
  EXPECT_FLOAT_EQ(p.s.Entries[1].PossiblePoints, (1 + 1) + (1 + 3) + (2 + 3));
  EXPECT_EQ(p.s.Entries[1].RoundOpenGames[1], 2);
  EXPECT_EQ(p.s.Entries[1].RoundOpenGames[2], 1);

  for (int m : {2, 3, 4, 5}) {
    p.Method(1, static_cast<float>(m), 1);
    p.Method(2, static_cast<float>(m), 1);
    ScoreAllEntries(p.s);
    EXPECT_FLOAT_EQ(p.s.Entries[1].PossiblePoints, 1 + 1 + 2) << m;  // round points only
  }
}

TEST(ScoreEntry, PossiblePointsIncludePointsWonAndSkipEliminatedTeams) {
  Pool p(4);
  p.Setup();
  p.Result(1, 1);
  p.Result(2, 4);
  p.s.Picks(1, 1) = 1;  // correct: 1
  p.s.Picks(2, 1) = 3;  // wrong, slot 3 out
  p.s.Picks(3, 1) = 3;  // open but slot 3 is out: nothing
  p.s.Picks(1, 2) = 1;
  p.s.Picks(3, 2) = 1;  // open, slot 1 alive: 2
  ScoreAllEntries(p.s);
  EXPECT_FLOAT_EQ(p.s.Entries[1].Points, 1);
  EXPECT_FLOAT_EQ(p.s.Entries[1].PossiblePoints, 1);
  EXPECT_EQ(p.s.Entries[1].RoundOpenGames[2], 0);
  EXPECT_FLOAT_EQ(p.s.Entries[2].PossiblePoints, 3);
  EXPECT_EQ(p.s.Entries[2].RoundOpenGames[2], 1);
}

TEST(ScoreEntry, ByeGamesNeverScoreButCountAsOpen) {
  Pool p(7);
  p.s.Teams[2].Name = "Bye";
  p.Setup();
  ASSERT_TRUE(p.s.ByeGame[1]);
  p.s.Picks(1, 1) = 1;
  ScoreAllEntries(p.s);
  EXPECT_EQ(p.s.Entries[1].RoundOpenGames[1], 1);
  EXPECT_FLOAT_EQ(p.s.Entries[1].PossiblePoints, 0);
  p.Result(1, 1);
  ScoreAllEntries(p.s);
  EXPECT_EQ(p.s.Entries[1].GamesWon, 0);
  EXPECT_FLOAT_EQ(p.s.Entries[1].Points, 0);
  EXPECT_FALSE(p.s.Games[1].PickCorrect);
  EXPECT_EQ(p.s.Entries[1].RoundOpenGames[1], 0);
}

TEST(ScoreEntry, AByeSlotGivenARealTeamIsScoredAgain) {
  Pool p(8);
  p.s.Teams[2].Name = "Bye";
  p.Setup();
  p.s.Teams[2].Name = "Team 2";
  SetupBracketFromParameters(p.s, p.prompts);
  p.s.Picks(1, 1) = 1;
  p.Result(1, 1);
  ScoreAllEntries(p.s);
  EXPECT_EQ(p.s.Entries[1].GamesWon, 1);
}

TEST(ScoreEntry, EntryZeroScoresThePicksTheCallerPlaced) {
  Pool p(4);
  p.Method(1, 1, 2);
  p.Setup();
  p.Result(1, 1);
  GameTable g{};
  ScoreArea a;
  BuildGameTable(p.s, g, p.s.Pool.Results.data());
  g[1].Pick = 1;
  g[1].PickSeed = 1;
  g[2].Pick = 3;
  g[2].PickSeed = 9;  // the caller's seed is the one used for possible points
  ScoreEntry(p.s, g, a, 0);
  EXPECT_EQ(g[1].Pick, 1);
  EXPECT_EQ(g[2].Pick, 3);
  EXPECT_EQ(g[2].PickSeed, 9);
  EXPECT_DOUBLE_EQ(a.ScorePoints[1], 1 + 1 * 2);
  EXPECT_DOUBLE_EQ(a.ScorePossiblePoints, 3 + 1 + 9 * 2);
  EXPECT_TRUE(g[1].PickCorrect);
}

TEST(ScoreEntry, NoPickLeavesNoSeedBehind) {
  Pool p(4);
  p.Setup();
  p.s.Picks(1, 1) = 2;
  p.s.Picks(1, 2) = 0;
  GameTable g{};
  ScoreArea a;
  BuildGameTable(p.s, g, p.s.Pool.Results.data());
  ScoreEntry(p.s, g, a, 1);
  EXPECT_EQ(g[1].PickSeed, 2);
  ScoreEntry(p.s, g, a, 2);
  EXPECT_EQ(g[1].Pick, 0);
  EXPECT_EQ(g[1].PickSeed, 0);
}

TEST(ScoreEntry, RoundsEachRoundToHundredths) {
  Pool p(4, {0, 7, 3, 7, 3});
  p.Method(1, 5, 1);
  p.Setup();
  for (int e = 1; e <= 2; ++e) {
    p.s.Picks(1, e) = 1;
    p.s.Picks(2, e) = 3;
  }
  p.Result(1, 1);
  p.Result(2, 3);
  ScoreAllEntries(p.s);
  // each game 1 + 7/3 = 3.3333..: the round is rounded once, to 6.67
  EXPECT_DOUBLE_EQ(p.s.Score.ScorePoints[1], 6.67);
  EXPECT_DOUBLE_EQ(p.s.Score.ScorePoints[0], 6.67);
  EXPECT_FLOAT_EQ(p.s.Entries[2].Points, 6.67f);
}

TEST(ScoreAllEntries, ScoresDeletedEntriesToo) {
  Pool p(4);
  p.Setup(3);
  p.s.Entries[2].BettorIndex = 0;
  p.s.Picks(1, 2) = 1;
  p.s.Entries[3].Points = 99;
  p.s.Entries[3].RoundOpenGames[1] = 5;
  p.Result(1, 1);
  ScoreAllEntries(p.s);
  EXPECT_FLOAT_EQ(p.s.Entries[2].Points, 1);
  EXPECT_FLOAT_EQ(p.s.Entries[3].Points, 0);
  EXPECT_EQ(p.s.Entries[3].RoundOpenGames[1], 0);
  EXPECT_EQ(p.s.Games[1].Winner, 1);  // the open pool's own table
}

// --- re-paired pools

TEST(RePair, BuildGameTableTakesTheLoserFromThePartnerGame) {
  Pool p(8, {}, true);
  p.Setup();
  int16_t w[8] = {0, 1, 3, 5, 8, 5, 1, 0};
  GameTable g{};
  BuildGameTable(p.s, g, w);
  EXPECT_EQ(g[1].Loser, 2);  // odd winner: the slot after
  EXPECT_EQ(g[4].Loser, 7);  // even winner: the slot before
  EXPECT_EQ(g[5].Loser, 8);  // 5 won game 3, its partner game 4 was won by 8
  EXPECT_EQ(g[5].LoserSeed, 8);
  EXPECT_EQ(g[6].Loser, 3);                   // 1 won game 1, partner game 2 won by 3
  int16_t odd[8] = {0, 1, 3, 5, 8, 6, 0, 0};  // 6 won no game of round 1
  BuildGameTable(p.s, g, odd);
  EXPECT_EQ(g[5].Winner, 6);
  EXPECT_EQ(g[5].Loser, 0);
  EXPECT_EQ(g[5].LoserSeed, 0);
}

TEST(RePair, APickScoresWhenItsTeamWonAnyGameOfTheRound) {
  for (bool rePair : {false, true}) {
    Pool p(8, {0, 8, 1, 6, 3, 4, 5, 2, 7}, rePair);
    p.Method(2, 4, 1);
    p.Setup();
    for (int g = 1; g <= 4; ++g) p.s.Pool.Results[g] = static_cast<int16_t>(2 * g - 1);
    p.s.Pool.Results[5] = 5;
    p.s.Pool.Results[6] = 1;
    ResetTeamAdvance(p.s);
    p.s.Picks(5, 1) = 1;  // 1 won game 6, not game 5
    p.s.Picks(6, 1) = 5;  // 5 won game 5
    ScoreAllEntries(p.s);
    if (!rePair) {
      EXPECT_EQ(p.s.Entries[1].RoundGamesWon[2], 0);
      continue;
    }
    EXPECT_EQ(p.s.Entries[1].RoundGamesWon[2], 2);
    // Bonus from the game the team won: game 6, seed 8 over seed 6: 2;
    // game 5, seed 4 over seed 2: 2.
    EXPECT_FLOAT_EQ(p.s.Entries[1].RoundPointsWon[2], 2 + 2 + 2 + 2);
    ScoreEntry(p.s, p.s.Games, p.s.Score, 1);
    EXPECT_TRUE(PickedTeamInRound(p.s, p.s.Games, 5));
    EXPECT_FLOAT_EQ(SeedBonusForGame(p.s, p.s.Games, 5, false), 2);
  }
}

TEST(RePair, PossibleBonusOfAnUndecidedRoundIsThePickedSeed) {
  Pool p(4, {0, 3, 1, 2, 4}, true);
  p.Method(2, 1, 2);
  p.Setup();
  p.Result(1, 1);
  p.Result(2, 3);
  p.s.Picks(3, 1) = 1;
  ScoreAllEntries(p.s);
  EXPECT_FLOAT_EQ(p.s.Entries[1].PossiblePoints, 2 + 3 * 2);
  p.Method(2, 3, 2);
  ScoreAllEntries(p.s);
  EXPECT_FLOAT_EQ(p.s.Entries[1].PossiblePoints, 2);
}

TEST(RePair, APickAlreadyScoredInItsRoundIsNotAlsoOpen) {
  Pool p(8, {}, true);
  p.Setup();
  for (int g = 1; g <= 4; ++g) p.s.Pool.Results[g] = static_cast<int16_t>(2 * g - 1);
  p.s.Pool.Results[6] = 1;  // game 5 still to play
  ResetTeamAdvance(p.s);
  p.s.Picks(5, 1) = 1;
  ScoreAllEntries(p.s);
  EXPECT_EQ(p.s.Entries[1].RoundGamesWon[2], 1);
  EXPECT_FLOAT_EQ(p.s.Entries[1].Points, 2);
  EXPECT_FLOAT_EQ(p.s.Entries[1].PossiblePoints, 2);
  EXPECT_EQ(p.s.Entries[1].RoundOpenGames[2], 0);
}

TEST(RePair, PickedTeamInRoundLooksOnlyAtTheBracketsGames) {
  Pool p(8, {}, true);
  p.Setup();
  p.s.Picks(1, 1) = 2;
  GameTable g{};
  // Left-overs of a larger bracket beyond game 7.
  g[20].Winner = 2;
  PoolState stale = p.s;
  stale.GameRound[20] = 1;
  BuildGameTable(stale, g, stale.Pool.Results.data());
  ScoreArea a;
  ScoreEntry(stale, g, a, 1);
  EXPECT_FALSE(PickedTeamInRound(stale, g, 1));
  EXPECT_EQ(a.ScoreGames[0], 0);
  EXPECT_FALSE(PickedTeamInRound(stale, g, 0));
  EXPECT_FALSE(PickedTeamInRound(stale, g, 8));
}

TEST(PickedTeamInRound, FalseWithoutRePairOrPick) {
  Pool p(4);
  p.Setup();
  p.Result(1, 1);
  BuildGameTable(p.s, p.s.Games, p.s.Pool.Results.data());
  p.s.Games[1].Pick = 1;
  EXPECT_FALSE(PickedTeamInRound(p.s, p.s.Games, 1));
  p.s.Pool.RePair = true;
  EXPECT_TRUE(PickedTeamInRound(p.s, p.s.Games, 1));
  p.s.Games[1].Pick = 0;
  EXPECT_FALSE(PickedTeamInRound(p.s, p.s.Games, 1));
}

TEST(SeedBonusForGame, NoPickOrNoMethodGivesNothing) {
  Pool p(4);
  p.Method(1, 1, 1);
  p.Setup();
  p.Result(1, 2);
  BuildGameTable(p.s, p.s.Games, p.s.Pool.Results.data());
  p.s.Games[1].Pick = 0;
  p.s.Games[1].PickSeed = 5;
  EXPECT_EQ(SeedBonusForGame(p.s, p.s.Games, 1, false), 0);
  p.s.Games[1].Pick = 2;
  EXPECT_EQ(SeedBonusForGame(p.s, p.s.Games, 1, false), 2);
  EXPECT_EQ(SeedBonusForGame(p.s, p.s.Games, 2, false), 0);  // game 2: no pick
  p.Method(1, 0, 1);
  EXPECT_EQ(SeedBonusForGame(p.s, p.s.Games, 1, false), 0);
  p.Method(1, 7, 1);  // not a method
  EXPECT_EQ(SeedBonusForGame(p.s, p.s.Games, 1, false), 0);
  EXPECT_EQ(SeedBonusForGame(p.s, p.s.Games, 99, false), 0);
}

TEST(AnyResultsEntered, IgnoresByeGames) {
  Pool p(7);
  p.s.Teams[2].Name = "Bye";
  p.Setup();
  EXPECT_FALSE(AnyResultsEntered(p.s));
  p.s.Pool.Results[1] = 1;  // the Bye game
  EXPECT_FALSE(AnyResultsEntered(p.s));
  p.s.Pool.Results[2] = 3;
  EXPECT_TRUE(AnyResultsEntered(p.s));
}

TEST(HighestRoundWithWinner, RoundOfTheLastDecidedGame) {
  Pool p(8);
  p.Setup();
  EXPECT_EQ(HighestRoundWithWinner(p.s), 0);
  p.s.Pool.Results[2] = 3;
  EXPECT_EQ(HighestRoundWithWinner(p.s), 1);
  p.s.Pool.Results[5] = 3;
  EXPECT_EQ(HighestRoundWithWinner(p.s), 2);
  p.s.Pool.Results[7] = 3;
  EXPECT_EQ(HighestRoundWithWinner(p.s), 3);
  p.s.Pool.Results[7] = 0;
  p.s.Pool.Results[20] = 1;  // beyond the bracket
  EXPECT_EQ(HighestRoundWithWinner(p.s), 2);
}

// Scoring many snapshots at once: each thread owns its table and score area.
TEST(ScoreEntry, ThreadsScoringTheSamePoolAgreeWithTheOpenPool) {
  Pool p(64, {}, true);
  for (int r = 1; r <= 6; ++r) p.Method(r, static_cast<float>(r % 6), 1.5f);
  const int entries = 200;
  p.Setup(entries);
  std::mt19937 rng(7);
  for (int g = 1; g <= 40; ++g) {
    const GameRecord& f = p.s.Games[g];
    int a = p.s.GameRound[g] == 1 ? f.Feeder1 : p.s.Pool.Results[f.Feeder1];
    int b = p.s.GameRound[g] == 1 ? f.Feeder2 : p.s.Pool.Results[f.Feeder2];
    p.s.Pool.Results[g] = static_cast<int16_t>(rng() % 2 ? a : b);
  }
  ResetTeamAdvance(p.s);
  for (int e = 1; e <= entries; ++e)
    for (int g = 1; g <= p.s.NumGames; ++g) p.s.Picks(g, e) = static_cast<int16_t>(rng() % 65);
  ScoreAllEntries(p.s);

  const PoolState& snapshot = p.s;
  std::vector<double> points(entries + 1), possible(entries + 1);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&, t] {
      GameTable g{};
      ScoreArea a;
      BuildGameTable(snapshot, g, snapshot.Pool.Results.data());
      for (int e = 1 + t; e <= entries; e += 4) {
        ScoreEntry(snapshot, g, a, e);
        points[e] = a.ScorePoints[0];
        possible[e] = a.ScorePossiblePoints;
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int e = 1; e <= entries; ++e) {
    EXPECT_FLOAT_EQ(static_cast<float>(points[e]), p.s.Entries[e].Points) << e;
    EXPECT_FLOAT_EQ(static_cast<float>(possible[e]), p.s.Entries[e].PossiblePoints) << e;
  }
}

}  // namespace
}  // namespace qb
