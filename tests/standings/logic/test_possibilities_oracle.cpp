// The window's run against a count made the plain way: every scenario's
// winners entered as results, every entry scored by the standings, and the
// places handed out by score. Pools with whole points and whole seed bonuses,
// so the plain way and the incremental one cannot differ by rounding.
#include <gtest/gtest.h>

#include "core/payout.h"
#include "core/prompts.h"
#include "core/scoring.h"
#include "standings/logic/possibilities.h"
#include "standings/logic/possibilities_run.h"
#include "standings/logic/possibility_pools.h"

namespace qb {
namespace {

std::vector<PlaceCounts> CountThePlainWay(const PoolState& pool, const OpenGameList& open) {
  const int paid = possibilities_detail::PaidPlaces(pool);
  const bool booby = possibilities_detail::HasBooby(pool);
  std::vector<int> active;
  for (int e = 1; e <= pool.NumEntries; ++e)
    if (pool.Entries[e].BettorIndex != 0) active.push_back(e);
  std::vector<PlaceCounts> counts(active.size(), PlaceCounts{});
  for (int32_t mask = 0; mask < open.ScenarioCount; ++mask) {
    PoolState s = pool;
    for (int i = 1; i <= open.OpenGameCount; ++i) {
      const int g = open.OpenGame[i];
      const int r = open.OpenGameRound[i];
      const bool bit = (mask >> (i - 1)) & 1;
      int16_t first, second;
      if (r == 1) {
        first = static_cast<int16_t>(2 * g - 1);
        second = static_cast<int16_t>(2 * g);
        s.Pool.Results[g] = bit ? first : second;
      } else {
        const int k = g - s.RoundEnd[r - 1];
        first = s.Pool.Results[s.RoundEnd[r - 2] + 2 * k - 1];
        second = s.Pool.Results[s.RoundEnd[r - 2] + 2 * k];
        // A feeder left open because it holds a Bye is won by its real team.
        if (first == 0) first = ByeWinner(s, s.RoundEnd[r - 2] + 2 * k - 1);
        if (second == 0) second = ByeWinner(s, s.RoundEnd[r - 2] + 2 * k);
        s.Pool.Results[g] = bit ? second : first;
      }
    }
    ScoreAllEntries(s);
    std::vector<double> score;
    for (int e : active) score.push_back(RoundValue(s.Entries[e].Points, -2));
    for (size_t x = 0; x < active.size(); ++x) {
      int better = 0;
      bool lowest = true;
      for (size_t y = 0; y < active.size(); ++y) {
        if (score[y] > score[x]) ++better;
        if (score[y] < score[x]) lowest = false;
      }
      if (better + 1 <= paid) ++counts[x][better + 1];
      if (booby && lowest) ++counts[x][kBoobyPlace];
    }
  }
  for (PlaceCounts& c : counts) {
    c[kTotalPlace] = 0;
    for (int p = 0; p <= 5; ++p) c[kTotalPlace] += c[p];
  }
  return counts;
}

void ExpectPlainCounts(PoolState pool, uint32_t seed) {
  ScriptedPrompts prompts;
  const OpenGameList open = CountOpenGames(pool, prompts);
  ASSERT_FALSE(pool.DialogCancelled) << "seed " << seed;
  const std::vector<PlaceCounts> plain = CountThePlainWay(pool, open);
  PossibilitiesRun run;
  run.Start(pool, open);
  run.Wait();
  ASSERT_FALSE(run.Error());
  ASSERT_TRUE(run.Result().Completed);
  ASSERT_EQ(run.Result().Counts.size(), plain.size()) << "seed " << seed;
  for (size_t e = 0; e < plain.size(); ++e)
    ASSERT_EQ(run.Result().Counts[e], plain[e])
        << "seed " << seed << ", entry " << e << ", " << pool.NumGames << " games, "
        << open.OpenGameCount << " open";
}

TEST(PossibilitiesOracle, SmallHandWorkedPool) {
  // Four teams, both semi-finals played (1 and 3 won), only the final open.
  // Entry 1 picked team 1 to win all, entry 2 team 3, entry 3 team 2 (wrong
  // in its semi). Final won by 1: 1st entry 1 (4 points), 2nd entry 2 (2),
  // booby entry 3 (0 points). Won by 3: 1st entry 2, 2nd entry 1, booby entry 3.
  PoolState s = testing::Bracket(4);
  s.Pool.PayoutPct[1] = 50;
  s.Pool.PayoutPct[2] = 30;
  s.Pool.PayoutPct[0] = 20;
  testing::SetupPoolBracket(s, 4);  // the paid places follow the parameters
  s.Pool.Results[1] = 1;
  s.Pool.Results[2] = 3;
  s.NumEntries = 3;
  s.NumBettors = 3;
  s.Entries.assign(4, EntryRecord{});
  s.Bettors.assign(4, BettorRecord{});
  s.Picks.Resize(4, 4);
  const int16_t picks[3][3] = {{1, 3, 1}, {1, 3, 3}, {2, 4, 2}};
  const char* const names[3] = {"Ann", "Bob", "Cy"};
  for (int e = 1; e <= 3; ++e) {
    s.Entries[e].BettorIndex = static_cast<int16_t>(e);
    s.Bettors[e].Name = names[e - 1];
    for (int g = 1; g <= 3; ++g) s.Picks(g, e) = picks[e - 1][g - 1];
  }
  ScriptedPrompts prompts;
  const OpenGameList open = CountOpenGames(s, prompts);
  ASSERT_EQ(open.OpenGameCount, 1);
  PossibilitiesRun run;
  run.Start(s, open);
  run.Wait();
  const auto& c = run.Result().Counts;
  ASSERT_EQ(c.size(), 3u);
  EXPECT_EQ(c[0], (PlaceCounts{0, 1, 1, 0, 0, 0, 2}));
  EXPECT_EQ(c[1], (PlaceCounts{0, 1, 1, 0, 0, 0, 2}));
  EXPECT_EQ(c[2], (PlaceCounts{2, 0, 0, 0, 0, 0, 2}));
  ExpectPlainCounts(s, 0);
}

struct OracleCase {
  const char* name;
  int teams;
  int openGames;
  int seedMethod;  // whole bonuses only: 0 to 4 with a whole factor
  float factor;
  int paid;
  bool booby;
  double deleted;
  int templates;
};

TEST(PossibilitiesOracle, RandomPoolsCountAsTheStandingsScore) {
  const OracleCase cases[] = {
      {"4 teams, all open", 4, 3, 0, 1, 2, true, 0.0, 0},
      {"5 teams with Byes", 5, 7, 1, 1, 3, true, 0.2, 0},
      {"8 teams, winner's seed x2", 8, 7, 1, 2, 5, false, 0.1, 0},
      {"16 teams, upsets one point", 16, 9, 2, 1, 3, true, 0.1, 0},
      {"16 teams, seed difference (loser's seed)", 16, 8, 4, 1, 4, true, 0.0, 0},
      {"32 teams, upsets winner's seed", 32, 8, 3, 2, 1, true, 0.3, 0},
      {"64 teams, heavy ties", 64, 10, 0, 1, 5, true, 0.0, 3},
      {"64 teams, one live entry", 64, 6, 4, 1, 3, true, 0.0, 0},
  };
  uint32_t seed = 9000;
  for (const OracleCase& c : cases) {
    SCOPED_TRACE(c.name);
    for (int i = 0; i < 3; ++i) {
      testing::PoolRecipe recipe;
      recipe.teams = c.teams;
      recipe.openGames = c.openGames;
      recipe.seedMethod = c.seedMethod;
      recipe.seedFactor = c.factor;
      recipe.paidPlaces = c.paid;
      recipe.booby = c.booby;
      recipe.deletedShare = c.deleted;
      recipe.templates = c.templates;
      recipe.entries = std::string(c.name).find("one live") != std::string::npos ? 1 : 25;
      ExpectPlainCounts(testing::MakeRandomPool(recipe, ++seed), seed);
      if (HasFatalFailure()) return;
    }
  }
}

}  // namespace
}  // namespace qb
