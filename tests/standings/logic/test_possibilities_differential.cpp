#include <gtest/gtest.h>

#include "core/prompts.h"
#include "standings/logic/possibilities.h"
#include "standings/logic/possibility_pools.h"

namespace qb {
namespace {

// The fast engine against the reference on seeded random pools. Any
// difference names the pool's seed, so it can be replayed alone.
void ExpectSameCounts(const testing::PoolRecipe& recipe, uint32_t seed) {
  PoolState s = testing::MakeRandomPool(recipe, seed);
  ScriptedPrompts prompts;
  OpenGameList open = CountOpenGames(s, prompts);
  ASSERT_FALSE(s.DialogCancelled) << "seed " << seed;
  PossibilitiesSnapshot snap = TakePossibilitiesSnapshot(s, open);
  PossibilitiesResult reference = ComputeScenarios(snap);
  ASSERT_TRUE(reference.Completed);
  for (int threads : {1, 8}) {
    PossibilitiesOptions options;
    options.Threads = threads;
    PossibilitiesResult fast = ComputeScenariosFast(snap, options);
    ASSERT_TRUE(fast.Completed);
    ASSERT_EQ(fast.Counts.size(), reference.Counts.size());
    for (size_t e = 0; e < fast.Counts.size(); ++e)
      ASSERT_EQ(fast.Counts[e], reference.Counts[e])
          << "seed " << seed << ", " << threads << " threads, entry " << e << " of "
          << fast.Counts.size() << ", " << open.ScenarioCount << " scenarios";
    ASSERT_EQ(fast.Texts.size(), reference.Texts.size());
    for (size_t i = 0; i < fast.Texts.size(); ++i) {
      ASSERT_EQ(fast.Texts[i].PoolWinners, reference.Texts[i].PoolWinners) << "seed " << seed;
      ASSERT_EQ(fast.Texts[i].GameWinners, reference.Texts[i].GameWinners) << "seed " << seed;
    }
  }
}

struct Family {
  const char* name;
  testing::PoolRecipe recipe;
  int pools;
};

// Each family varies one thing; within it every pool draws its own bracket
// size, payouts, seed methods and factors from its seed.
TEST(PossibilitiesDifferential, FastEngineEqualsTheReference) {
  testing::PoolRecipe base;
  base.entries = 40;
  base.openGames = 7;

  std::vector<Family> families;
  families.push_back({"mixed", base, 60});
  testing::PoolRecipe ties = base;
  ties.templates = 3;
  ties.entries = 30;
  families.push_back({"heavy ties", ties, 25});
  testing::PoolRecipe fractions = base;
  fractions.wholePoints = false;
  families.push_back({"fractional points", fractions, 25});
  testing::PoolRecipe tenths = base;
  tenths.seedFactor = 0.1f;
  families.push_back({"factor 0.1", tenths, 25});
  testing::PoolRecipe halves = base;
  halves.seedFactor = 0.5f;
  families.push_back({"factor 0.5", halves, 25});
  testing::PoolRecipe rePair = base;
  rePair.rePair = true;
  families.push_back({"re-paired", rePair, 25});
  testing::PoolRecipe deleted = base;
  deleted.deletedShare = 0.6;
  families.push_back({"many deleted", deleted, 15});
  testing::PoolRecipe byes = base;
  byes.storeByeResults = true;
  families.push_back({"Bye results stored", byes, 15});
  testing::PoolRecipe large = base;
  large.openGames = 15;
  large.entries = 12;
  families.push_back({"fifteen open games", large, 4});
  testing::PoolRecipe few = base;
  few.openGames = 2;
  few.entries = 150;
  families.push_back({"many entries", few, 10});
  // Thousands of classes: the fast engine splits them into blocks, and the
  // ties at the paid places and the booby place span many blocks.
  testing::PoolRecipe wide = base;
  wide.openGames = 8;
  wide.entries = 2500;
  families.push_back({"thousands of entries", wide, 6});
  // Without a seed bonus whole points are summed exactly, fractions are not.
  testing::PoolRecipe unseeded = wide;
  unseeded.seedMethod = 0;
  families.push_back({"thousands of entries, no seed bonus", unseeded, 6});
  unseeded.wholePoints = false;
  families.push_back({"thousands of entries, no seed bonus, fractions", unseeded, 4});

  uint32_t seed = 1000;
  for (const Family& f : families) {
    SCOPED_TRACE(f.name);
    for (int i = 0; i < f.pools; ++i) {
      ++seed;
      testing::PoolRecipe recipe = f.recipe;
      std::mt19937 pick(seed);
      recipe.teams = std::uniform_int_distribution<int>(4, 64)(pick);
      recipe.paidPlaces = std::uniform_int_distribution<int>(0, 5)(pick);
      recipe.booby = pick() % 2 == 0;
      if (recipe.seedMethod < 0 && pick() % 4 == 0) recipe.seedMethod = static_cast<int>(pick() % 6);
      ExpectSameCounts(recipe, seed);
      if (::testing::Test::HasFatalFailure()) return;
    }
  }
}

TEST(PossibilitiesDifferential, EverySeedMethodWithWholeAndFractionalFactors) {
  testing::PoolRecipe recipe;
  recipe.entries = 30;
  recipe.openGames = 7;
  uint32_t seed = 5000;
  for (int method = 0; method <= 5; ++method) {
    for (float factor : {1.0f, 2.0f, 0.5f, 0.1f}) {
      SCOPED_TRACE(::testing::Message() << "method " << method << ", factor " << factor);
      recipe.seedMethod = method;
      recipe.seedFactor = factor;
      for (int i = 0; i < 2; ++i) {
        recipe.teams = 8 + 28 * i + method;
        recipe.paidPlaces = (method + i) % 6;
        recipe.booby = i == 0;
        recipe.rePair = method % 2 == 1 && i == 1;
        ExpectSameCounts(recipe, ++seed);
        if (::testing::Test::HasFatalFailure()) return;
      }
    }
  }
}

TEST(PossibilitiesDifferential, EveryEntryTiedInEveryScenario) {
  // Copies of one entry: the fast engine's classes and the reference's full
  // selection must still agree.
  testing::PoolRecipe recipe;
  recipe.entries = 60;
  recipe.templates = 1;
  recipe.deletedShare = 0;
  recipe.openGames = 9;
  for (int paid = 0; paid <= 5; ++paid) {
    recipe.paidPlaces = paid;
    recipe.booby = paid % 2 == 1;
    ExpectSameCounts(recipe, 77 + paid);
  }
}

}  // namespace
}  // namespace qb
