#include <gtest/gtest.h>

#include <numeric>

#include "core/bracket.h"
#include "core/payout.h"
#include "core/prompts.h"

namespace qb {
namespace {

// A pool of `teams` real teams in every slot of its bracket: slots named and
// seeded in order, no "Bye" (the tests name the Byes they need).
PoolState MakePool(int teams) {
  PoolState s;
  ClearPool(s);
  s.Pool.NumTeams = static_cast<int16_t>(teams);
  for (int n = 1; n <= kMaxSlots; ++n) {
    s.Teams[n].Number = static_cast<int16_t>(n);
    s.Teams[n].Name = "Team " + std::to_string(n);
    s.Teams[n].Seed = static_cast<int16_t>(n);
  }
  return s;
}

class EveryTeamCount : public ::testing::TestWithParam<int> {};

TEST_P(EveryTeamCount, DerivesRoundsGamesAndRounds) {
  const int teams = GetParam();
  PoolState s = MakePool(teams);
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  ASSERT_FALSE(s.DialogCancelled);
  EXPECT_TRUE(p.asked.empty());

  int rounds = teams <= 4 ? 2 : teams <= 8 ? 3 : teams <= 16 ? 4 : teams <= 32 ? 5 : 6;
  EXPECT_EQ(s.NumRounds, rounds);
  EXPECT_EQ(s.NumSlots, 1 << rounds);
  EXPECT_EQ(s.NumGames, (1 << rounds) - 1);
  EXPECT_EQ(s.RoundEnd[0], 0);
  EXPECT_EQ(s.RoundEnd[rounds], s.NumGames);
  int sum = 0;
  for (int r = 1; r <= rounds; ++r) {
    EXPECT_EQ(s.GamesInRound[r], s.NumSlots >> r) << r;
    EXPECT_EQ(s.RoundEnd[r], s.RoundEnd[r - 1] + s.GamesInRound[r]);
    if (r > 1) {
      EXPECT_EQ(s.NonByeGamesInRound[r], s.GamesInRound[r]);
    }
    sum += s.GamesInRound[r];
  }
  EXPECT_EQ(sum, s.NumGames);
  for (int r = rounds + 1; r <= 7; ++r) {
    EXPECT_EQ(s.GamesInRound[r], 0);
    EXPECT_EQ(s.NonByeGamesInRound[r], 0);
    EXPECT_EQ(s.RoundEnd[r], s.NumGames);
  }
  EXPECT_EQ(s.NonByeGamesInRound[1], s.GamesInRound[1] - (s.NumSlots - teams));
  EXPECT_GE(s.NonByeGamesInRound[1], 1);
  EXPECT_EQ(s.NumNonByeGames, s.NumGames - (s.NumSlots - teams));
  for (int g = 1; g <= s.NumGames; ++g) {
    int r = s.GameRound[g];
    EXPECT_GT(g, s.RoundEnd[r - 1]);
    EXPECT_LE(g, s.RoundEnd[r]);
    if (r == 1) {
      EXPECT_EQ(s.Games[g].Feeder1, 2 * g - 1);
      EXPECT_EQ(s.Games[g].Feeder2, 2 * g);
    } else {
      EXPECT_EQ(s.GameRound[s.Games[g].Feeder1], r - 1);
      EXPECT_EQ(s.Games[g].Feeder2, s.Games[g].Feeder1 + 1);
    }
  }
  for (int g = s.NumGames + 1; g <= kMaxGames; ++g) EXPECT_EQ(s.GameRound[g], 0);
  // Slots 1..NumSlots alive without results; favoured seed of the final is the best.
  for (int n = 1; n <= s.NumSlots; ++n) EXPECT_TRUE(s.Teams[n].Alive);
  EXPECT_EQ(s.FavoredSeed[s.NumGames], 1);
}

TEST_P(EveryTeamCount, ByesInTheEmptySlotsMarkTheirGames) {
  const int teams = GetParam();
  PoolState s = MakePool(teams);
  const int slots = teams <= 4 ? 4 : teams <= 8 ? 8 : teams <= 16 ? 16 : teams <= 32 ? 32 : 64;
  // The empty slots become the second slot of the first games: 2, 4, ...
  const int byes = slots - teams;
  for (int g = 1; g <= byes; ++g) {
    s.Teams[2 * g].Name = "Bye";
    s.Teams[2 * g].Seed = 0;
  }
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  ASSERT_FALSE(s.DialogCancelled);
  int marked = 0;
  for (int g = 1; g <= kMaxGames; ++g) {
    EXPECT_EQ(s.ByeGame[g], g <= byes) << g;
    marked += s.ByeGame[g];
  }
  EXPECT_EQ(marked, s.GamesInRound[1] - s.NonByeGamesInRound[1]);
  // Slot 2g-1 is favoured in every first-round game: over its Bye or its
  // higher-numbered seed.
  for (int g = 1; g <= s.GamesInRound[1]; ++g) EXPECT_EQ(s.FavoredSeed[g], 2 * g - 1) << g;
  EXPECT_EQ(s.FavoredSeed[s.NumGames], 1);
}

INSTANTIATE_TEST_SUITE_P(FourToSixtyFour, EveryTeamCount, ::testing::Range(4, 65));

TEST(SetupBracket, FourTeams) {
  PoolState s = MakePool(4);
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_EQ(s.NumRounds, 2);
  EXPECT_EQ(s.NumSlots, 4);
  EXPECT_EQ(s.NumGames, 3);
  EXPECT_EQ(s.RoundEnd[0], 0);
  EXPECT_EQ(s.RoundEnd[1], 2);
  EXPECT_EQ(s.RoundEnd[2], 3);
  EXPECT_EQ(s.GameRound[1], 1);
  EXPECT_EQ(s.GameRound[2], 1);
  EXPECT_EQ(s.GameRound[3], 2);
}

TEST(SetupBracket, FiveTeams) {
  PoolState s = MakePool(5);
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_EQ(s.NumRounds, 3);
  EXPECT_EQ(s.NumSlots, 8);
  EXPECT_EQ(s.GamesInRound[1], 4);
  EXPECT_EQ(s.GamesInRound[2], 2);
  EXPECT_EQ(s.GamesInRound[3], 1);
  EXPECT_EQ(s.NonByeGamesInRound[1], 1);
  EXPECT_EQ(s.NumNonByeGames, 4);
  EXPECT_EQ(s.NumGames, 7);
}

TEST(SetupBracket, SixtyFourTeams) {
  PoolState s = MakePool(64);
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_EQ(s.NumRounds, 6);
  EXPECT_EQ(s.NumGames, 63);
  EXPECT_EQ(s.RoundEnd[6], 63);
}

class ImpossibleTeamCount : public ::testing::TestWithParam<int> {};

TEST_P(ImpossibleTeamCount, GivesTheMessageAndAClearedPool) {
  PoolState s = MakePool(GetParam());
  s.Pool.PoolName = "Office";
  s.NumEntries = 1;
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_TRUE(s.DialogCancelled);
  EXPECT_EQ(p.beeps, 1);
  ASSERT_EQ(p.asked.size(), 1u);
  EXPECT_EQ(p.asked[0].text,
            "Invalid Parameters - Minimum of 4 and maximum of 64 teams\r\nmanaged by Quorvel "
            "Brakkon.");
  EXPECT_EQ(p.asked[0].icon, MsgIcon::Critical);
  EXPECT_EQ(p.asked[0].title, kAppTitle);
  EXPECT_EQ(s.Pool.PoolName, "");
  EXPECT_EQ(s.Pool.NumTeams, 0);
  EXPECT_EQ(s.NumEntries, 0);
  EXPECT_EQ(s.NumGames, 0);
  EXPECT_EQ(s.Teams[1].Name, "");
}

INSTANTIATE_TEST_SUITE_P(OutsideFourToSixtyFour, ImpossibleTeamCount,
                         ::testing::Values(-1, 0, 3, 65, 128));

TEST(SetupBracket, ASmallerPoolAfterALargerOneKeepsNoStaleRounds) {
  PoolState s = MakePool(64);
  ScriptedPrompts p;
  for (int r = 1; r <= 7; ++r) s.Pool.SeedMethod[r] = 1;
  SetupBracketFromParameters(s, p);
  ASSERT_EQ(s.GamesInRound[6], 1);
  ASSERT_FALSE(s.SeedMethodDescr[6].empty());
  s.Pool.NumTeams = 8;
  SetupBracketFromParameters(s, p);
  for (int r = 4; r <= 7; ++r) {
    EXPECT_EQ(s.GamesInRound[r], 0) << r;
    EXPECT_EQ(s.NonByeGamesInRound[r], 0) << r;
    EXPECT_EQ(s.RoundEnd[r], 7) << r;
    EXPECT_EQ(s.SeedMethodDescr[r], "") << r;
  }
  for (int g = 8; g <= kMaxGames; ++g) {
    EXPECT_EQ(s.GameRound[g], 0);
    EXPECT_EQ(s.FavoredSeed[g], 0);
    EXPECT_EQ(s.Games[g].Feeder1, 0);
  }
}

TEST(SetupBracket, OlderSeedOptionIsConverted) {
  PoolState s = MakePool(8);
  s.Pool.SeedOption = true;
  s.Pool.SeedFactorAll = 2;
  s.Pool.SeedFormula = 0;
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  for (int r = 1; r <= 7; ++r) {
    EXPECT_EQ(s.Pool.SeedFactor[r], 2.0f);
    EXPECT_EQ(s.Pool.SeedMethod[r], 1.0f);
  }
  EXPECT_EQ(s.Pool.SeedFormula, -1);
  EXPECT_EQ(s.Pool.SeedFactorAll, 0);
  EXPECT_FALSE(s.Pool.SeedOption);
  EXPECT_FALSE(s.LoserSeedScoring);
}

TEST(SetupBracket, OlderSeedOptionWithoutFactorIsLeft) {
  PoolState s = MakePool(8);
  s.Pool.SeedOption = true;
  s.Pool.SeedFactorAll = 0;
  s.Pool.SeedFormula = 2;
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_TRUE(s.Pool.SeedOption);
  EXPECT_EQ(s.Pool.SeedFormula, 2);
  for (int r = 1; r <= 7; ++r) EXPECT_EQ(s.Pool.SeedMethod[r], 0.0f);
}

TEST(SetupBracket, MultiplyByRoundIsAppliedOnce) {
  PoolState s = MakePool(8);
  s.Pool.MultiplyByRound = true;
  for (int r = 1; r <= 7; ++r) {
    s.Pool.RoundPoints[r] = 1;
    s.Pool.SeedFactor[r] = 0.5f;
  }
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  for (int r = 1; r <= 7; ++r) {
    EXPECT_EQ(s.Pool.RoundPoints[r], static_cast<float>(r));
    EXPECT_EQ(s.Pool.SeedFactor[r], 0.5f * r);
  }
  EXPECT_FALSE(s.Pool.MultiplyByRound);
  SetupBracketFromParameters(s, p);
  for (int r = 1; r <= 7; ++r) EXPECT_EQ(s.Pool.RoundPoints[r], static_cast<float>(r));
}

TEST(SetupBracket, SeedMethodTexts) {
  PoolState s = MakePool(16);
  s.Pool.SeedMethod = {0, 0, 1, 2, 1, 3, 0, 0};
  s.Pool.SeedFactor = {1, 1, 1, 1, 2, 0.5f, 1, 1};
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_EQ(s.SeedMethodDescr[1], "  ");
  EXPECT_EQ(s.SeedMethodDescr[2], " + Winner's Seed");
  EXPECT_EQ(s.SeedMethodDescr[3], " + 1.00 Point Bonus for Upsets");
  EXPECT_EQ(s.SeedMethodDescr[4], " + Winner's Seed X 2.00");
  EXPECT_TRUE(s.LoserSeedScoring);
  s.Pool.SeedMethod = {0, 2, 0, 0, 3, 0, 0, 0};
  s.Pool.SeedFactor = {1, 1.5f, 1, 1, 0.5f, 1, 1, 1};
  SetupBracketFromParameters(s, p);
  EXPECT_EQ(s.SeedMethodDescr[1], " + 1.50 Point Bonus for Upsets");
  EXPECT_EQ(s.SeedMethodDescr[4], " + Upsets Only - Winner's Seed X .50");
  s.Pool.SeedMethod = {0, 1, 0, 0, 0, 0, 0, 0};
  SetupBracketFromParameters(s, p);
  EXPECT_FALSE(s.LoserSeedScoring);
}

TEST(SetupBracket, HalvesOfSeedMethodsRoundToEven) {
  PoolState s = MakePool(8);
  s.Pool.SeedMethod = {0, 2.5f, 1.5f, 0.5f, 0, 0, 0, 0};
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_EQ(s.SeedMethodDescr[1], " + 1.00 Point Bonus for Upsets");  // 2.5 -> 2
  // 1.5 -> 2: set-up keeps whole methods, so the text is that of the method scoring uses.
  EXPECT_EQ(s.SeedMethodDescr[2], " + 1.00 Point Bonus for Upsets");
  EXPECT_EQ(s.Pool.SeedMethod[2], 2.0f);
  EXPECT_EQ(s.SeedMethodDescr[3], "  ");  // 0.5 -> 0
}

TEST(SetupBracket, SeedMethodOutsideTheNamesIsNone) {
  PoolState s = MakePool(8);
  s.Pool.SeedMethod = {0, 9, -1, 6, 0, 0, 0, 0};
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  for (int r = 1; r <= 3; ++r) {
    EXPECT_EQ(s.SeedMethodDescr[r], "  ") << r;
    EXPECT_EQ(s.Pool.SeedMethod[r], 0.0f) << r;
  }
  EXPECT_FALSE(s.LoserSeedScoring);
}

TEST(SetupBracket, PayoutPlacesAndAmounts) {
  PoolState s = MakePool(8);
  s.Pool.PayoutPct = {0, 60, 30, 10, 0, 0};
  s.Pool.CostPerEntry = Currency::FromDouble(10);
  s.NumEntries = 3;
  s.Entries.assign(4, EntryRecord{});
  for (int e = 1; e <= 3; ++e) s.Entries[e].BettorIndex = 1;
  s.Entries[2].Collected = true;
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_EQ(s.NumPayoutPlaces, 3);
  EXPECT_EQ(s.PayoutAmt[1], Currency::FromDouble(18));
  EXPECT_EQ(s.PayoutAmt[2], Currency::FromDouble(9));
  EXPECT_EQ(s.PayoutAmt[3], Currency::FromDouble(3));
  EXPECT_EQ(s.CollectedTotal, Currency::FromDouble(10));
  EXPECT_EQ(s.OwedTotal, Currency::FromDouble(20));
  // A pool that pays no place has none, not the three of the set-up before.
  s.Pool.PayoutPct = {0, 0, 0, 0, 0, 0};
  SetupBracketFromParameters(s, p);
  EXPECT_EQ(s.NumPayoutPlaces, 0);
}

TEST(SetupBracket, DerivedFlags) {
  PoolState s = MakePool(8);
  ScriptedPrompts p;
  s.Pool.TiebreakerUsed = true;
  s.Pool.TiebreakerType = "Points in Final - Winner";
  SetupBracketFromParameters(s, p);
  EXPECT_TRUE(s.NumericTiebreaker);
  s.Pool.TiebreakerType = "Actual Games Picked Correctly";
  SetupBracketFromParameters(s, p);
  EXPECT_FALSE(s.NumericTiebreaker);
  s.Pool.TiebreakerType = "Points in Final - Winner";
  s.Pool.TiebreakerUsed = false;
  SetupBracketFromParameters(s, p);
  EXPECT_FALSE(s.NumericTiebreaker);
  EXPECT_FALSE(s.RoundByRoundOrRePair);
  s.Pool.RePair = true;
  SetupBracketFromParameters(s, p);
  EXPECT_TRUE(s.RoundByRoundOrRePair);
  s.Pool.RePair = false;
  s.Pool.RoundByRound = true;
  SetupBracketFromParameters(s, p);
  EXPECT_TRUE(s.RoundByRoundOrRePair);
}

TEST(FillByes, MarksByeGamesInAnyCaseAndClearsOldFlags) {
  PoolState s = MakePool(6);
  s.Teams[1].Name = "Team A";
  s.Teams[1].Seed = 3;
  s.Teams[2].Name = "bye";
  s.Teams[8].Name = "BYE";
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_TRUE(s.ByeGame[1]);
  EXPECT_FALSE(s.ByeGame[2]);
  EXPECT_TRUE(s.ByeGame[4]);
  EXPECT_EQ(s.FavoredSeed[1], 3);
  // The Bye slot gets a real team: the game is a game again.
  s.Teams[2].Name = "Team B";
  FillByes(s);
  EXPECT_FALSE(s.ByeGame[1]);
  EXPECT_TRUE(s.ByeGame[4]);
}

TEST(FillByes, ByeNamesAreWholeNames) {
  PoolState s = MakePool(8);
  s.Teams[2].Name = "Byes";
  s.Teams[3].Name = " Bye";
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_FALSE(s.ByeGame[1]);
  EXPECT_FALSE(s.ByeGame[2]);
}

TEST(ResetTeamAdvance, LosersFromResults) {
  PoolState s = MakePool(8);
  ScriptedPrompts p;
  s.Pool.Results[1] = 1;  // slot 1 beats 2
  s.Pool.Results[2] = 4;  // slot 4 beats 3
  s.Pool.Results[3] = 5;  // slot 5 beats 6
  s.Pool.Results[5] = 4;  // the winner of game 2 beats the winner of game 1
  SetupBracketFromParameters(s, p);
  EXPECT_FALSE(s.Teams[1].Alive);
  EXPECT_FALSE(s.Teams[2].Alive);
  EXPECT_FALSE(s.Teams[3].Alive);
  EXPECT_TRUE(s.Teams[4].Alive);
  EXPECT_TRUE(s.Teams[5].Alive);
  EXPECT_FALSE(s.Teams[6].Alive);
  EXPECT_TRUE(s.Teams[7].Alive);
  EXPECT_TRUE(s.Teams[8].Alive);
  // Game 6 goes to the winner of its second feeder: the first feeder's winner lost.
  s.Pool.Results[4] = 7;
  s.Pool.Results[6] = 7;
  ResetTeamAdvance(s);
  EXPECT_FALSE(s.Teams[5].Alive);
  EXPECT_TRUE(s.Teams[7].Alive);
  EXPECT_FALSE(s.Teams[8].Alive);
  // The final: game 5's winner beats game 6's.
  s.Pool.Results[7] = 4;
  ResetTeamAdvance(s);
  EXPECT_FALSE(s.Teams[7].Alive);
  EXPECT_TRUE(s.Teams[4].Alive);
}

TEST(ResetTeamAdvance, ReparedRoundsEliminateTheTeamTheWinnerMet) {
  PoolState s = MakePool(8);
  ScriptedPrompts p;
  s.Pool.RePair = true;
  s.Pool.Results[1] = 1;
  s.Pool.Results[2] = 4;
  s.Pool.Results[3] = 5;
  s.Pool.Results[4] = 8;
  s.Pool.Results[5] = 5;  // 5 (winner of game 3) meets 8, the winner of game 4
  SetupBracketFromParameters(s, p);
  EXPECT_TRUE(s.Teams[5].Alive);
  EXPECT_FALSE(s.Teams[8].Alive);
  EXPECT_TRUE(s.Teams[4].Alive);
  EXPECT_TRUE(s.Teams[1].Alive);
  EXPECT_FALSE(s.Teams[2].Alive);
}

TEST(ResetTeamAdvance, FirstRoundEvenWinner) {
  PoolState s = MakePool(4);
  ScriptedPrompts p;
  s.Pool.Results[1] = 2;
  SetupBracketFromParameters(s, p);
  EXPECT_FALSE(s.Teams[1].Alive);
  EXPECT_TRUE(s.Teams[2].Alive);
}

TEST(ResetTeamAdvance, WinnerOutsideTheSlotsTouchesNothingElse) {
  PoolState s = MakePool(4);
  ScriptedPrompts p;
  s.Pool.Results[1] = 3;  // not a team of game 1: slot 2 counts as the loser
  s.Pool.Results[3] = 300;
  SetupBracketFromParameters(s, p);
  EXPECT_FALSE(s.Teams[2].Alive);
  EXPECT_TRUE(s.Teams[1].Alive);
}

TEST(LinkBracketSlots, Feeders) {
  PoolState s = MakePool(8);
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_EQ(s.Games[1].Feeder1, 1);
  EXPECT_EQ(s.Games[1].Feeder2, 2);
  EXPECT_EQ(s.Games[4].Feeder1, 7);
  EXPECT_EQ(s.Games[4].Feeder2, 8);
  EXPECT_EQ(s.Games[5].Feeder1, 1);
  EXPECT_EQ(s.Games[5].Feeder2, 2);
  EXPECT_EQ(s.Games[6].Feeder1, 3);
  EXPECT_EQ(s.Games[6].Feeder2, 4);
  EXPECT_EQ(s.Games[7].Feeder1, 5);
  EXPECT_EQ(s.Games[7].Feeder2, 6);
}

TEST(FeederGamesOf, LaterGamesAreFedByTwoOfTheRoundBeforeAndFirstRoundGamesByNone) {
  struct Case {
    int teams, game, first, second;
  };
  const Case cases[] = {
      {4, 1, 0, 0},   {4, 2, 0, 0},   {4, 3, 1, 2},     {4, 4, 0, 0},
      {64, 32, 0, 0}, {64, 33, 1, 2}, {64, 48, 31, 32}, {64, 49, 33, 34},
      {64, 56, 47, 48}, {64, 60, 55, 56}, {64, 62, 59, 60}, {64, 63, 61, 62},
      {64, 64, 0, 0}, {64, 0, 0, 0},  {64, -1, 0, 0},   {64, kMaxGames + 1, 0, 0},
  };
  ScriptedPrompts p;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.teams) + " teams, game " + std::to_string(c.game));
    PoolState s = MakePool(c.teams);
    SetupBracketFromParameters(s, p);
    const FeederGames f = FeederGamesOf(s, c.game);
    EXPECT_EQ(f.first, c.first);
    EXPECT_EQ(f.second, c.second);
  }
}

TEST(ComputeFavoredSeeds, BetterSeedsWin) {
  PoolState s = MakePool(8);
  const int seeds[] = {0, 1, 8, 4, 5, 3, 6, 7, 2};
  for (int n = 1; n <= 8; ++n) s.Teams[n].Seed = static_cast<int16_t>(seeds[n]);
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  const int expected[] = {0, 1, 4, 3, 2, 1, 2, 1};
  for (int g = 1; g <= 7; ++g) EXPECT_EQ(s.FavoredSeed[g], expected[g]) << g;
}

TEST(ComputeFavoredSeeds, NoSeedCountsAsLowestAndByesPassTheirTeamOn) {
  PoolState s = MakePool(6);
  const int seeds[] = {0, 2, 5, 3, 0, 4, 0, 1, 0};
  for (int n = 1; n <= 8; ++n) s.Teams[n].Seed = static_cast<int16_t>(seeds[n]);
  s.Teams[6].Name = "Bye";
  s.Teams[8].Name = "Bye";
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  EXPECT_EQ(s.FavoredSeed[1], 2);
  EXPECT_EQ(s.FavoredSeed[2], 0);  // slot 4 has no seed
  EXPECT_EQ(s.FavoredSeed[3], 4);  // slot 5 over the Bye
  EXPECT_EQ(s.FavoredSeed[4], 1);  // slot 7 over the Bye
  EXPECT_EQ(s.FavoredSeed[5], 0);
  EXPECT_EQ(s.FavoredSeed[6], 1);
  EXPECT_EQ(s.FavoredSeed[7], 0);
}

}  // namespace
}  // namespace qb
