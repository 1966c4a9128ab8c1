#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>

#include "core/prompts.h"
#include "core/scoring.h"
#include "standings/logic/possibilities.h"
#include "standings/logic/possibility_pools.h"

namespace qb {
namespace {

using testing::Bracket;
using testing::DecideThrough;

PossibilitiesSnapshot Snapshot(PoolState& s) {
  ScriptedPrompts prompts;
  OpenGameList open = CountOpenGames(s, prompts);
  return TakePossibilitiesSnapshot(s, open);
}

void SetPayouts(PoolState& s, int paid, bool booby) {
  for (int p = 1; p <= kPayoutPlaces; ++p) s.Pool.PayoutPct[p] = p <= paid ? 10.0f : 0.0f;
  s.Pool.PayoutPct[0] = booby ? 5.0f : 0.0f;
  s.NumPayoutPlaces = static_cast<int16_t>(paid);
}

// Adds an entry to the open pool with the given picks (game, slot).
void AddPoolEntry(PoolState& s, const std::string& name,
                  std::initializer_list<std::pair<int, int16_t>> picks) {
  const int e = ++s.NumEntries;
  s.Entries.resize(e + 1);
  s.Bettors.resize(e + 1);
  s.Bettors[e].Name = name;
  s.NumBettors = static_cast<int16_t>(e);
  s.Entries[e].BettorIndex = static_cast<int16_t>(e);
  s.Entries[e].EntryNumber = 1;
  PickMatrix old = s.Picks;
  s.Picks.Resize(s.NumGames + 1, e + 1);
  for (int g = 0; g <= std::min<int>(old.MaxGame(), s.NumGames + 1); ++g)
    for (int x = 0; x <= std::min(old.MaxEntry(), e); ++x) s.Picks(g, x) = old(g, x);
  for (auto [g, team] : picks) s.Picks(g, e) = team;
}

// Both engines, and the fast one on one and on four threads, must agree.
PossibilitiesResult RunBoth(const PossibilitiesSnapshot& snap) {
  PossibilitiesResult reference = ComputeScenarios(snap);
  for (int threads : {1, 4}) {
    PossibilitiesOptions options;
    options.Threads = threads;
    PossibilitiesResult fast = ComputeScenariosFast(snap, options);
    EXPECT_TRUE(fast.Completed);
    EXPECT_EQ(fast.Counts, reference.Counts) << threads << " threads";
    EXPECT_EQ(fast.Texts.size(), reference.Texts.size());
    for (size_t i = 0; i < fast.Texts.size() && i < reference.Texts.size(); ++i) {
      EXPECT_EQ(fast.Texts[i].GameWinners, reference.Texts[i].GameWinners);
      EXPECT_EQ(fast.Texts[i].PoolWinners, reference.Texts[i].PoolWinners);
    }
  }
  return reference;
}

TEST(ComputeScenarios, PaidPlacesTiesAndTheBooby) {
  // Entries with no pick of the open game score the same in both scenarios.
  struct Case {
    const char* name;
    std::vector<float> points;
    int paid;
    bool booby;
    std::vector<PlaceCounts> perScenario;  // booby, 1st..5th, total
  };
  const Case cases[] = {
      {"10 9 9 8, three paid",
       {10, 9, 9, 8},
       3,
       true,
       {{0, 1, 0, 0, 0, 0, 1},
        {0, 0, 1, 0, 0, 0, 1},
        {0, 0, 1, 0, 0, 0, 1},
        {1, 0, 0, 0, 0, 0, 1}}},
      {"all tied",
       {5, 5, 5},
       2,
       true,
       {{1, 1, 0, 0, 0, 0, 2}, {1, 1, 0, 0, 0, 0, 2}, {1, 1, 0, 0, 0, 0, 2}}},
      {"no paid place",
       {3, 1, 1},
       0,
       true,
       {{0, 0, 0, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 1}, {1, 0, 0, 0, 0, 0, 1}}},
      {"more places than entries",
       {4, 4, 2},
       5,
       false,
       {{0, 1, 0, 0, 0, 0, 1}, {0, 1, 0, 0, 0, 0, 1}, {0, 0, 0, 1, 0, 0, 1}}},
      {"no booby", {7, 3}, 1, false, {{0, 1, 0, 0, 0, 0, 1}, {0, 0, 0, 0, 0, 0, 0}}},
      {"one entry", {2}, 1, true, {{1, 1, 0, 0, 0, 0, 2}}},
      {"ascending points",
       {1, 2, 2, 3},
       2,
       true,
       {{1, 0, 0, 0, 0, 0, 1},
        {0, 0, 1, 0, 0, 0, 1},
        {0, 0, 1, 0, 0, 0, 1},
        {0, 1, 0, 0, 0, 0, 1}}},
      {"two lowest tied for the booby",
       {6, 2, 4, 2},
       1,
       true,
       {{0, 1, 0, 0, 0, 0, 1},
        {1, 0, 0, 0, 0, 0, 1},
        {0, 0, 0, 0, 0, 0, 0},
        {1, 0, 0, 0, 0, 0, 1}}},
      {"hundredths apart",
       {1.004f, 1.001f, 1.006f},
       1,
       true,
       {{1, 0, 0, 0, 0, 0, 1}, {1, 0, 0, 0, 0, 0, 1}, {0, 1, 0, 0, 0, 0, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PoolState s = Bracket(4);
    DecideThrough(s, 2);
    SetPayouts(s, c.paid, c.booby);
    PossibilitiesSnapshot snap = Snapshot(s);
    ASSERT_EQ(snap.Open.ScenarioCount, 2);
    for (size_t e = 0; e < c.points.size(); ++e)
      snap.AddEntry({static_cast<int32_t>(e + 1), 1, "P" + std::to_string(e + 1), c.points[e]},
                    {0});
    PossibilitiesResult r = RunBoth(snap);
    ASSERT_TRUE(r.Completed);
    ASSERT_EQ(r.Counts.size(), c.points.size());
    for (size_t e = 0; e < c.points.size(); ++e) {
      PlaceCounts twice = c.perScenario[e];
      for (int32_t& n : twice) n *= 2;
      EXPECT_EQ(r.Counts[e], twice) << "entry " << e + 1;
    }
  }
}

// The ranking's two selections by exchange, as nested loops: the fast
// ordering must make the very same exchanges, so tied entries stand in the
// same order in every text.
void ExchangeLoops(std::vector<double>& score, std::vector<int32_t>& entry, int a, int paid,
                   bool booby) {
  for (int p = 1; p <= a - 1; ++p) {
    for (int q = p + 1; q <= a; ++q)
      if (score[p] < score[q]) std::swap(score[p], score[q]), std::swap(entry[p], entry[q]);
    if (p > 1 && p > paid && score[p] < score[p - 1]) break;
  }
  if (!booby) return;
  for (int p = a; p >= 2; --p) {
    for (int q = p - 1; q >= 1; --q)
      if (score[p] > score[q]) std::swap(score[p], score[q]), std::swap(entry[p], entry[q]);
    if (p < a && score[p + 1] < score[p]) break;
  }
}

TEST(OrderByExchange, MakesTheSameExchangesAsTheNestedLoops) {
  unsigned seed = 7;
  auto next = [&] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
  for (int round = 0; round < 3000; ++round) {
    const int a = static_cast<int>(next() % 40);
    const int values = 1 + static_cast<int>(next() % 6);  // few values: many ties
    const int paid = static_cast<int>(next() % 6);
    const bool booby = next() % 2 == 0;
    std::vector<double> score(a + 1, 0.0);
    std::vector<int32_t> entry(a + 1, 0);
    for (int i = 1; i <= a; ++i) {
      score[i] = static_cast<double>(next() % values) / 2;
      entry[i] = i - 1;
    }
    std::vector<double> expectedScore = score;
    std::vector<int32_t> expectedEntry = entry;
    ExchangeLoops(expectedScore, expectedEntry, a, paid, booby);
    possibilities_detail::OrderByExchange(score, entry, a, paid, booby);
    ASSERT_EQ(entry, expectedEntry) << "a " << a << " paid " << paid << " booby " << booby;
    ASSERT_EQ(score, expectedScore);
  }
}

TEST(ComputeScenarios, PoolWinnerText) {
  PoolState s = Bracket(4);
  DecideThrough(s, 2);
  SetPayouts(s, 3, true);
  PossibilitiesSnapshot snap = Snapshot(s);
  const float points[] = {10, 9, 9, 8.5f, 8.25f};
  const char* names[] = {"Ann", "Bo", "Cy", "Di", "Ed"};
  for (int e = 0; e < 5; ++e)
    snap.AddEntry({e + 1, static_cast<int16_t>(e + 1), names[e], points[e]}, {0});
  PossibilitiesResult r = RunBoth(snap);
  ASSERT_EQ(r.Texts.size(), 2u);
  EXPECT_EQ(r.Texts[0].PoolWinners,
            " 1st-Ann 1 ( 10 ),  2nd-Bo 2 ( 9 ),  2nd-Cy 3 ( 9 ), Booby-Ed 5 ( 8.25 )");

  // A score below 1 reads without its leading zero, as every number text does.
  PossibilitiesSnapshot small = Snapshot(s);
  small.AddEntry({1, 7, "Fay", 0.5f}, {0});
  EXPECT_EQ(ComputeScenarios(small).Texts[0].PoolWinners, " 1st-Fay 7 ( .5 ), Booby-Fay 7 ( .5 )");
}

TEST(ComputeScenarios, GameWinnerText) {
  PoolState s = Bracket(16);
  for (int t = 1; t <= 16; ++t) s.Teams[t].Name = std::to_string(t) + " is a very long name";
  DecideThrough(s, 8);  // slots 1, 3, .., 15 are through; games 9..15 open
  AddPoolEntry(s, "Ann", {});
  PossibilitiesSnapshot snap = Snapshot(s);
  ASSERT_EQ(snap.Open.ScenarioCount, 128);
  PossibilitiesResult r = RunBoth(snap);
  ASSERT_EQ(r.Texts.size(), 128u);
  // Scenario 1: every later game goes to its first contender.
  EXPECT_EQ(r.Texts[0].GameWinners,
            "Champion: 1 is a very lon;  Runner-Up: 9 is a very lon;  Semis Losers: 13 is a very "
            "lo, 5 is a very lon");
  for (const ScenarioText& t : r.Texts) EXPECT_EQ(t.PoolWinners.substr(0, 9), " 1st-Ann ");

  // Only the final open: the champion alone.
  PoolState f = Bracket(4);
  DecideThrough(f, 2);
  AddPoolEntry(f, "Bo", {});
  PossibilitiesResult finalOnly = RunBoth(Snapshot(f));
  ASSERT_EQ(finalOnly.Texts.size(), 2u);
  EXPECT_EQ(finalOnly.Texts[0].GameWinners, "Champion: Team 1");
  EXPECT_EQ(finalOnly.Texts[1].GameWinners, "Champion: Team 3");
}

TEST(ComputeScenarios, TextsOnlyUpTo128Scenarios) {
  for (int open : {7, 8}) {
    SCOPED_TRACE(open);
    PoolState s = Bracket(16);
    DecideThrough(s, 15 - open);
    AddPoolEntry(s, "Ann", {{15, 1}});
    AddPoolEntry(s, "Bo", {{15, 2}});
    PossibilitiesSnapshot snap = Snapshot(s);
    PossibilitiesResult r = RunBoth(snap);
    const int32_t n = 1 << open;
    EXPECT_EQ(r.Texts.size(), open == 7 ? 128u : 0u);
    // Ann alone first when slot 1 wins the final, level with Bo otherwise.
    EXPECT_EQ(r.Counts[0][1], n);
    EXPECT_EQ(r.Counts[1][1], n - n / 8);
  }
}

TEST(ComputeScenarios, CorrectOpenPicksScoreRoundPointsAndSeedBonus) {
  // Four teams, only the final open: slot 1 (seed 1) against slot 3 (seed 8).
  PoolState s = Bracket(4);
  s.Teams[3].Seed = 8;
  s.Pool.RoundPoints[2] = 1;
  s.Pool.SeedMethod[2] = 5;  // winner seed divided by loser seed
  s.Pool.SeedFactor[2] = 1;
  DecideThrough(s, 2);
  AddPoolEntry(s, "Ann", {{3, 1}});
  AddPoolEntry(s, "Bo", {{3, 3}});
  SetPayouts(s, 1, false);
  PossibilitiesResult r = RunBoth(Snapshot(s));
  ASSERT_EQ(r.Texts.size(), 2u);
  // Scenario 1 gives the final to slot 1: 1 + 1 / 8 = 1.125, half up to 1.13.
  EXPECT_EQ(r.Texts[0].PoolWinners, " 1st-Ann 1 ( 1.13 )");
  // Scenario 2 to slot 3: 1 + 8 / 1.
  EXPECT_EQ(r.Texts[1].PoolWinners, " 1st-Bo 1 ( 9 )");
}

TEST(ComputeScenarios, ByeGamesAreDecidedAndNeverScored) {
  // Five teams: games 2, 3, 4 hold a Bye (slots 4, 6, 8) and have no result.
  PoolState s = Bracket(5);
  AddPoolEntry(s, "Ann", {{2, 3}, {5, 3}});  // slot 3 through its Bye, then game 5
  AddPoolEntry(s, "Bo", {});
  SetPayouts(s, 1, false);
  PossibilitiesSnapshot snap = Snapshot(s);
  ASSERT_EQ(snap.Open.ScenarioCount, 16);  // games 1, 5, 6, 7
  EXPECT_EQ(snap.Entries[0].Points, 0.0f);  // the pick of Bye game 2 scores nothing
  PossibilitiesResult r = RunBoth(snap);
  // Slot 3 wins game 5 in half the scenarios; Ann is alone first there and
  // level with Bo at 0 in the others.
  EXPECT_EQ(r.Counts[0][1], 16);
  EXPECT_EQ(r.Counts[1][1], 8);
}

TEST(TakePossibilitiesSnapshot, PointsAlreadyWonAreThoseOfTheStandings) {
  // The snapshot scores only the decided games, and on several threads; the
  // points must still be the standings' to the last bit.
  struct Case {
    int teams, seedMethod;
    float factor;
    bool rePair, byeResults, wholePoints;
    int entries, threads;
  };
  const Case cases[] = {
      {27, 4, 1.0f, false, false, true, 30, 1},    {64, -1, 0, false, false, false, 3000, 4},
      {64, 5, 0.1f, false, true, false, 2500, 8},  {40, -1, 0, true, false, true, 2100, 3},
      {9, 1, 0.5f, true, true, false, 200, 2},     {64, 0, 0, false, false, true, 5000, 0},
  };
  uint32_t seed = 90;
  for (const Case& c : cases) {
    testing::PoolRecipe recipe;
    recipe.teams = c.teams;
    recipe.entries = c.entries;
    recipe.seedMethod = c.seedMethod;
    recipe.seedFactor = c.factor;
    recipe.rePair = c.rePair;
    recipe.storeByeResults = c.byeResults;
    recipe.wholePoints = c.wholePoints;
    recipe.openGames = 9;
    PoolState s = testing::MakeRandomPool(recipe, ++seed);
    ScriptedPrompts prompts;
    const OpenGameList open = CountOpenGames(s, prompts);
    const std::vector<EntryRecord> stored = s.Entries;
    const GameTable games = s.Games;
    PossibilitiesSnapshot snap = TakePossibilitiesSnapshot(s, open, c.threads);

    // Nothing of the open pool is written.
    for (size_t e = 0; e < stored.size(); ++e) ASSERT_EQ(s.Entries[e].Points, stored[e].Points);
    for (int g = 1; g <= kMaxGames; ++g) ASSERT_EQ(s.Games[g].Winner, games[g].Winner);

    ScoreAllEntries(s);
    ASSERT_EQ(snap.Entries.size(), static_cast<size_t>(ActiveEntryCount(s))) << "seed " << seed;
    for (size_t x = 0; x < snap.Entries.size(); ++x) {
      const PossibilitiesEntry& e = snap.Entries[x];
      ASSERT_EQ(e.Points, s.Entries[e.Index].Points) << "seed " << seed << ", entry " << e.Index;
      ASSERT_EQ(e.Name, s.Bettors[s.Entries[e.Index].BettorIndex].Name);
      for (int i = 1; i <= open.OpenGameCount; ++i)
        ASSERT_EQ(snap.OpenPick(x, i), s.Picks(open.OpenGame[i], e.Index));
    }
  }
}

TEST(ComputeScenariosFast, ThousandsOfEntriesCountAlikeOnEveryThreadCount) {
  // Enough entries that the classes are built on several threads too.
  testing::PoolRecipe recipe;
  recipe.teams = 64;
  recipe.entries = 9000;
  recipe.openGames = 7;
  recipe.templates = 2500;  // ties between entries, and classes of several
  recipe.paidPlaces = 4;
  PoolState s = testing::MakeRandomPool(recipe, 4242);
  ScriptedPrompts prompts;
  const OpenGameList open = CountOpenGames(s, prompts);
  PossibilitiesSnapshot snap = TakePossibilitiesSnapshot(s, open, 5);
  const PossibilitiesResult reference = ComputeScenarios(snap);
  for (int threads : {1, 2, 3, 5, 8}) {
    PossibilitiesOptions options;
    options.Threads = threads;
    EXPECT_EQ(ComputeScenariosFast(snap, options).Counts, reference.Counts) << threads;
  }
}

TEST(ComputeScenarios, DeletedEntriesTakeNoPart) {
  PoolState s = Bracket(4);
  DecideThrough(s, 2);
  AddPoolEntry(s, "Ann", {{3, 1}});
  AddPoolEntry(s, "Gone", {{3, 3}});
  AddPoolEntry(s, "Bo", {{3, 3}});
  s.Entries[2].BettorIndex = 0;
  SetPayouts(s, 1, true);
  PossibilitiesSnapshot snap = Snapshot(s);
  ASSERT_EQ(snap.Entries.size(), 2u);
  EXPECT_EQ(snap.Entries[0].Index, 1);
  EXPECT_EQ(snap.Entries[1].Index, 3);
  EXPECT_EQ(snap.Entries[1].Name, "Bo");
  PossibilitiesResult r = RunBoth(snap);
  EXPECT_EQ(r.Counts[0], (PlaceCounts{1, 1, 0, 0, 0, 0, 2}));
  EXPECT_EQ(r.Counts[1], (PlaceCounts{1, 1, 0, 0, 0, 0, 2}));
}

TEST(ComputeScenarios, CountsGoBeyondSixteenBits) {
  PoolState s = Bracket(64);
  DecideThrough(s, 48);
  AddPoolEntry(s, "Ann", {});
  SetPayouts(s, 1, true);
  PossibilitiesResult r = RunBoth(Snapshot(s));
  EXPECT_EQ(r.Counts[0], (PlaceCounts{32768, 32768, 0, 0, 0, 0, 65536}));
}

TEST(ComputeScenarios, WorksOnItsOwnCopyOfThePool) {
  PoolState s = Bracket(8);
  DecideThrough(s, 4);
  AddPoolEntry(s, "Ann", {{5, 1}, {7, 1}});
  AddPoolEntry(s, "Bo", {{5, 3}, {7, 3}});
  ScoreAllEntries(s);
  const GameTable before = s.Games;
  PossibilitiesSnapshot snap = Snapshot(s);
  PossibilitiesResult first = ComputeScenarios(snap);

  // Results entered while the run goes on do not reach it, and the run does
  // not write scenario winners into the pool's own game table.
  s.Pool.Results[5] = 3;
  ScoreAllEntries(s);
  const GameTable scored = s.Games;
  PossibilitiesResult again = ComputeScenariosFast(snap);
  EXPECT_EQ(again.Counts, first.Counts);
  for (int g = 1; g <= s.NumGames; ++g) {
    EXPECT_EQ(s.Games[g].Winner, scored[g].Winner);
    EXPECT_EQ(s.Games[g].Pick, scored[g].Pick);
  }
  EXPECT_EQ(before[5].Winner, 0);
  EXPECT_EQ(snap.Games[5].Winner, 0);
}

TEST(ComputeScenarios, CancelStopsBeforeTheNextScenario) {
  PoolState s = Bracket(16);
  DecideThrough(s, 9);
  AddPoolEntry(s, "Ann", {{15, 1}});
  AddPoolEntry(s, "Bo", {});
  PossibilitiesSnapshot snap = Snapshot(s);
  ASSERT_EQ(snap.Open.ScenarioCount, 64);

  std::atomic<bool> cancel{false};
  std::vector<int32_t> seen;
  PossibilitiesOptions options;
  options.Cancel = &cancel;
  options.Progress = [&](int32_t done) {
    seen.push_back(done);
    if (done == 3) cancel = true;
  };
  PossibilitiesResult r = ComputeScenarios(snap, options);
  EXPECT_FALSE(r.Completed);
  EXPECT_EQ(r.ScenariosDone, 3);
  EXPECT_EQ(seen, (std::vector<int32_t>{0, 1, 2, 3}));
  for (const PlaceCounts& c : r.Counts) EXPECT_EQ(c, PlaceCounts{});
  ASSERT_EQ(r.Texts.size(), 64u);
  EXPECT_FALSE(r.Texts[2].PoolWinners.empty());
  EXPECT_TRUE(r.Texts[3].PoolWinners.empty());

  // The fast engine, cancelled before it starts, counts nothing.
  PossibilitiesResult fast = ComputeScenariosFast(snap, options);
  EXPECT_FALSE(fast.Completed);
  for (const PlaceCounts& c : fast.Counts) EXPECT_EQ(c, PlaceCounts{});
}

TEST(ComputeScenariosFast, ReportsProgressUpToTheScenarioCount) {
  PoolState s = Bracket(64);
  DecideThrough(s, 48);
  for (int e = 0; e < 50; ++e) AddPoolEntry(s, "P" + std::to_string(e), {{63, int16_t(e + 1)}});
  PossibilitiesSnapshot snap = Snapshot(s);
  std::vector<int32_t> seen;
  PossibilitiesOptions options;
  options.Threads = 3;
  options.Progress = [&](int32_t done) { seen.push_back(done); };
  PossibilitiesResult r = ComputeScenariosFast(snap, options);
  EXPECT_TRUE(r.Completed);
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), 32768);
  EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
}

TEST(ComputeScenarios, AnErrorInTheProgressCallbackEndsTheRun) {
  PoolState s = Bracket(64);
  DecideThrough(s, 48);
  AddPoolEntry(s, "Ann", {});
  PossibilitiesSnapshot snap = Snapshot(s);
  PossibilitiesOptions options;
  options.Threads = 4;
  options.Progress = [](int32_t) { throw std::runtime_error("window gone"); };
  EXPECT_THROW(ComputeScenarios(snap, options), std::runtime_error);
  EXPECT_THROW(ComputeScenariosFast(snap, options), std::runtime_error);
}

TEST(CalculatingScenarioText, TwoBlanksBeforeTheCount) {
  EXPECT_EQ(CalculatingScenarioText(5, 64), "Calculating Scenario 5 of  64");
}

TEST(ComputeScenariosFast, ScoresBeyondFixedPointAreCountedAllTheSame) {
  PoolState s = testing::Bracket(8);
  for (int r = 1; r <= kMaxRounds; ++r) s.Pool.RoundPoints[r] = 3e11f * r;
  testing::DecideThrough(s, 4);
  AddPoolEntry(s, "Ann", {{5, 1}, {7, 1}});
  AddPoolEntry(s, "Bo", {{5, 3}, {7, 3}});
  AddPoolEntry(s, "Cy", {{6, 5}, {7, 5}});
  SetPayouts(s, 2, true);
  PossibilitiesResult r = RunBoth(Snapshot(s));
  EXPECT_EQ(r.Counts[0][1] + r.Counts[1][1] + r.Counts[2][1], 8);  // one leader each time
}

TEST(ComputeScenariosFast, WholePointsBeyondSinglePrecisionTieAsTheReferenceSumsThem) {
  // 2^24 + 1 is no single-precision number: Ann's 2^24 for the semi-final
  // and 1 for the final sum to 2^24, level with Bo, though whole points
  // would put her ahead.
  PoolState s = testing::Bracket(8);
  s.Pool.RoundPoints[1] = 0;
  s.Pool.RoundPoints[2] = 16777216.0f;
  s.Pool.RoundPoints[3] = 1;
  testing::DecideThrough(s, 4);
  AddPoolEntry(s, "Ann", {{5, 1}, {7, 1}});
  AddPoolEntry(s, "Bo", {{5, 1}, {7, 5}});
  AddPoolEntry(s, "Cy", {{6, 5}, {7, 5}});
  SetPayouts(s, 1, true);
  PossibilitiesResult r = RunBoth(Snapshot(s));
  // Both are 1st in the four scenarios slot 1 wins game 5 and in the two
  // where nobody scores; summed exactly, Bo would lose two of them to Ann.
  EXPECT_EQ(r.Counts[0][1], 6);
  EXPECT_EQ(r.Counts[1][1], 6);
}

TEST(ComputeScenarios, NoActiveEntryCountsNothing) {
  PoolState s = testing::Bracket(4);
  testing::DecideThrough(s, 2);
  PossibilitiesResult r = RunBoth(Snapshot(s));
  EXPECT_TRUE(r.Completed);
  EXPECT_TRUE(r.Counts.empty());
  ASSERT_EQ(r.Texts.size(), 2u);
  EXPECT_EQ(r.Texts[1].PoolWinners, "");
  EXPECT_EQ(r.Texts[1].GameWinners, "Champion: Team 3");
}

}  // namespace
}  // namespace qb
