#include <gtest/gtest.h>

#include <set>

#include "core/prompts.h"
#include "standings/logic/open_games.h"
#include "standings/logic/possibility_pools.h"

namespace qb {
namespace {

const char* const kRefusal =
    "Sorry! Possibilities can only be computed for the last 4 rounds.\n\r\r"
    "Use 'Enter Results' on the Tools menu to enter more results.";

using testing::Bracket;
using testing::DecideThrough;

TEST(CountOpenGames, SixtyFourSlotsWithTheLastFifteenOpen) {
  PoolState s = Bracket(64);
  DecideThrough(s, 48);
  ScriptedPrompts prompts;
  OpenGameList open = CountOpenGames(s, prompts);
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(open.OpenGameCount, 15);
  EXPECT_EQ(open.ScenarioCount, 32768);
  for (int i = 1; i <= 15; ++i) EXPECT_EQ(open.OpenGame[i], 48 + i);
  EXPECT_EQ(open.OpenGameRound[1], 3);
  EXPECT_EQ(open.OpenGameRound[9], 4);
  EXPECT_EQ(open.OpenGameRound[13], 5);
  EXPECT_EQ(open.OpenGameRound[15], 6);
}

TEST(CountOpenGames, AnEarlyUndecidedGameIsRefusedOnceAndStillCounted) {
  PoolState s = Bracket(64);
  DecideThrough(s, 48);
  s.Pool.Results[7] = 0;
  s.Pool.Results[40] = 0;
  ScriptedPrompts prompts;
  OpenGameList open = CountOpenGames(s, prompts);
  EXPECT_TRUE(s.DialogCancelled);
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(prompts.asked[0].text, kRefusal);
  EXPECT_EQ(prompts.asked[0].icon, MsgIcon::None);
  EXPECT_EQ(prompts.asked[0].buttons, MsgButtons::OK);
  EXPECT_EQ(prompts.beeps, 1);
  EXPECT_EQ(open.OpenGameCount, 15);
  EXPECT_EQ(open.ScenarioCount, 32768);
}

TEST(CountOpenGames, EightSlotsCountFirstRoundGames) {
  PoolState s = Bracket(8);
  DecideThrough(s, 1);
  ScriptedPrompts prompts;
  OpenGameList open = CountOpenGames(s, prompts);
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_TRUE(prompts.asked.empty());
  ASSERT_EQ(open.OpenGameCount, 6);
  EXPECT_EQ(open.OpenGame[1], 2);
  EXPECT_EQ(open.OpenGameRound[1], 1);
  EXPECT_EQ(open.OpenGameRound[5], 2);
  EXPECT_EQ(open.OpenGameRound[6], 3);

  ScenarioTable table = BuildScenarioTable(s, open);
  EXPECT_EQ(table.Winner(1, 1), 4);  // the second slot wins with the digit off
  EXPECT_EQ(table.Loser(1, 1), 3);
  EXPECT_EQ(table.Winner(2, 1), 3);
  // Game 5 is fed by decided game 1 (slot 1) and open game 2.
  EXPECT_EQ(table.Winner(1, 4), 1);
  EXPECT_EQ(table.Loser(1, 4), 4);
  EXPECT_EQ(table.Loser(2, 4), 3);
}

TEST(CountOpenGames, ByeGamesAreDecidedForTheirRealTeam) {
  // Five teams in eight slots: games 2, 3 and 4 hold a Bye and have no result.
  PoolState s = Bracket(5);
  ScriptedPrompts prompts;
  OpenGameList open = CountOpenGames(s, prompts);
  ASSERT_EQ(open.OpenGameCount, 4);  // games 1, 5, 6, 7
  EXPECT_EQ(open.OpenGame[1], 1);
  EXPECT_EQ(open.OpenGame[2], 5);
  EXPECT_EQ(open.ScenarioCount, 16);
  EXPECT_EQ(EffectiveResults(s)[3], 5);

  ScenarioTable table = BuildScenarioTable(s, open);
  for (int32_t sc = 1; sc <= table.ScenarioCount(); ++sc) {
    for (int i = 1; i <= open.OpenGameCount; ++i) {
      EXPECT_NE(s.Teams[table.Winner(sc, i)].Name, "Bye");
      EXPECT_NE(s.Teams[table.Loser(sc, i)].Name, "Bye");
    }
  }
  // Game 6 is played by the real teams of games 3 and 4 (slots 5 and 7).
  EXPECT_EQ(table.Winner(1, 3), 5);
  EXPECT_EQ(table.Loser(1, 3), 7);
}

TEST(CountOpenGames, ByeGamesWithoutResultsDoNotTripTheRefusal) {
  PoolState s = Bracket(28);  // 32 slots, Byes in games 13 to 16
  DecideThrough(s, 24);
  for (int g = 13; g <= 16; ++g) s.Pool.Results[g] = 0;
  for (int g = 17; g <= 24; ++g) {
    const int k = g - 16;
    s.Pool.Results[g] = EffectiveResults(s)[2 * k - 1];
  }
  ScriptedPrompts prompts;
  OpenGameList open = CountOpenGames(s, prompts);
  EXPECT_FALSE(s.DialogCancelled);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(open.OpenGameCount, 7);
}

TEST(BuildScenarioTable, ScenariosFollowTheBinaryCounter) {
  PoolState s = Bracket(4);  // games 1, 2 (round 1) and 3 (final), all open
  ScriptedPrompts prompts;
  OpenGameList open = CountOpenGames(s, prompts);
  ASSERT_EQ(open.ScenarioCount, 8);
  ScenarioTable table = BuildScenarioTable(s, open);
  struct Row {
    int16_t game1, game2, final, finalLoser;
  };
  // Digit off: round 1 goes to slot 2g, the final to its first contender.
  const Row expected[8] = {{2, 4, 2, 4}, {1, 4, 1, 4}, {2, 3, 2, 3}, {1, 3, 1, 3},
                           {2, 4, 4, 2}, {1, 4, 4, 1}, {2, 3, 3, 2}, {1, 3, 3, 1}};
  for (int sc = 1; sc <= 8; ++sc) {
    SCOPED_TRACE(sc);
    EXPECT_EQ(table.Winner(sc, 1), expected[sc - 1].game1);
    EXPECT_EQ(table.Winner(sc, 2), expected[sc - 1].game2);
    EXPECT_EQ(table.Winner(sc, 3), expected[sc - 1].final);
    EXPECT_EQ(table.Loser(sc, 3), expected[sc - 1].finalLoser);
  }
}

TEST(BuildScenarioTable, EveryScenarioIsAConsistentBracket) {
  for (uint32_t seed = 1; seed <= 12; ++seed) {
    testing::PoolRecipe recipe;
    recipe.teams = 4 + static_cast<int>(seed * 5 % 61);
    recipe.openGames = 8;
    recipe.entries = 0;
    PoolState s = testing::MakeRandomPool(recipe, seed);
    ScriptedPrompts prompts;
    OpenGameList open = CountOpenGames(s, prompts);
    ASSERT_FALSE(s.DialogCancelled);
    ScenarioTable table = BuildScenarioTable(s, open);
    const auto decided = EffectiveResults(s);
    std::set<uint64_t> distinct;
    for (int32_t sc = 1; sc <= table.ScenarioCount(); ++sc) {
      std::array<int16_t, kMaxGames + 1> w = decided;
      std::set<std::pair<int, int>> wins;  // (round, team)
      uint64_t key = 0;
      for (int i = 1; i <= open.OpenGameCount; ++i) {
        const int g = open.OpenGame[i];
        const int r = open.OpenGameRound[i];
        const int16_t winner = table.Winner(sc, i), loser = table.Loser(sc, i);
        if (r == 1) {
          EXPECT_EQ(std::min(winner, loser), 2 * g - 1);
          EXPECT_EQ(std::max(winner, loser), 2 * g);
        } else {
          const int f = s.RoundEnd[r - 2] + 2 * (g - s.RoundEnd[r - 1]) - 1;
          EXPECT_TRUE((winner == w[f] && loser == w[f + 1]) ||
                      (winner == w[f + 1] && loser == w[f]));
        }
        EXPECT_TRUE(wins.insert({r, winner}).second);
        w[g] = winner;
        key = key * 131 + winner;
      }
      distinct.insert(key);
    }
    EXPECT_EQ(static_cast<int32_t>(distinct.size()), table.ScenarioCount());
  }
}

TEST(CheckPossibilities, RefusesWhatThereIsNothingToComputeFor) {
  struct Case {
    const char* name;
    int decided;      // games decided
    int entries;      // entries on file
    bool allDeleted;  // every entry deleted
    const char* message;
  };
  const Case cases[] = {
      {"complete", 15, 2, false, "Results are complete!  No possibilities to compute!"},
      {"no entries", 10, 0, false, "No entries on file. No possibilities to compute!"},
      {"all deleted", 10, 3, true, "No entries on file. No possibilities to compute!"},
      {"ready", 10, 3, false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PoolState s = Bracket(16);
    DecideThrough(s, c.decided);
    s.NumEntries = static_cast<int16_t>(c.entries);
    s.Entries.assign(c.entries + 1, EntryRecord{});
    for (int e = 1; e <= c.entries; ++e) s.Entries[e].BettorIndex = c.allDeleted ? 0 : 1;
    ScriptedPrompts prompts;
    OpenGameList open = CheckPossibilities(s, prompts);
    EXPECT_EQ(open.OpenGameCount, 15 - c.decided);
    if (c.message) {
      EXPECT_TRUE(s.DialogCancelled);
      ASSERT_EQ(prompts.asked.size(), 1u);
      EXPECT_EQ(prompts.asked[0].text, c.message);
      EXPECT_EQ(prompts.beeps, 1);
    } else {
      EXPECT_FALSE(s.DialogCancelled);
      EXPECT_TRUE(prompts.asked.empty());
    }
  }
}

}  // namespace
}  // namespace qb
