#pragma once
// The open pool of the import tests: four teams (Gators, Owls, Hawks, Bears),
// three games, no participants or entries yet.
#include "core/bracket.h"
#include "core/prompts.h"
#include "core/pool_state.h"

namespace qb::testing {

inline void MakeFourTeamPool(PoolState& s) {
  ClearPool(s);
  s.Pool.PoolName = "Office";
  s.Pool.NumTeams = 4;
  s.Pool.CostPerEntry = Currency::FromDouble(5);
  s.Pool.TiebreakerType = "Points in Final - Winner";
  s.Pool.RoundPoints[1] = 1;
  s.Pool.RoundPoints[2] = 2;
  const char* names[] = {"Gators", "Owls", "Hawks", "Bears"};
  for (int n = 1; n <= 4; ++n) {
    s.Teams[n].Number = static_cast<int16_t>(n);
    s.Teams[n].Name = names[n - 1];
    s.Teams[n].Seed = static_cast<int16_t>(n);
  }
  ScriptedPrompts p;
  SetupBracketFromParameters(s, p);
  s.Entries.resize(2);
  s.Picks.Resize(s.NumGames + 1, 1);
  s.PoolChanged = false;
}

}  // namespace qb::testing
