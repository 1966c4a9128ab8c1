#pragma once
// The pools the rankings benchmarks open: 64 teams with every game decided,
// a numeric tiebreaker and an entry fee, so the pool winners are computed
// too; seed bonuses that leave the possible points computable.
#include <map>
#include <memory>

#include "../tests/standings/logic/possibility_pools.h"

namespace qb::bench {

inline const PoolState& RankingsPool(int entries) {
  static std::map<int, std::unique_ptr<PoolState>> cache;
  auto& slot = cache[entries];
  if (!slot) {
    testing::PoolRecipe recipe;
    recipe.teams = 64;
    recipe.openGames = 0;
    recipe.entries = entries;
    recipe.deletedShare = 0.02;
    recipe.seedMethod = 1;
    recipe.storeByeResults = true;
    recipe.wholePoints = false;
    slot = std::make_unique<PoolState>(testing::MakeRandomPool(recipe, 2025));
    slot->Pool.TiebreakerUsed = true;
    slot->Pool.TiebreakerType = "Points Final Game - Both Teams";
    slot->Pool.TiebreakerActual = 141;
    slot->Pool.CostPerEntry = Currency::FromDouble(5);
    for (int e = 1; e <= entries; ++e)
      slot->Entries[e].Tiebreaker = static_cast<float>(90 + (e * 37) % 100);
  }
  return *slot;
}

}  // namespace qb::bench
