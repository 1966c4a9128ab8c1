#pragma once
// Bracket tables of a pool with the given number of slots, as set-up derives them.
#include <string>
#include <vector>

#include "core/pool_state.h"

namespace qb::testing {

inline void SetBracketTables(PoolState& s, int slots) {
  int rounds = 0;
  while ((1 << rounds) < slots) ++rounds;
  s.NumSlots = static_cast<int16_t>(slots);
  s.NumRounds = static_cast<int16_t>(rounds);
  s.NumGames = static_cast<int16_t>(slots - 1);
  s.RoundEnd.fill(0);
  for (int r = 1; r <= 7; ++r)
    s.RoundEnd[r] = static_cast<int16_t>(s.RoundEnd[r - 1] + (r <= rounds ? slots >> r : 0));
  for (int g = 1; g <= s.NumGames; ++g) {
    int r = 1;
    while (g > s.RoundEnd[r]) ++r;
    s.GameRound[g] = static_cast<int16_t>(r);
  }
  for (int n = 1; n <= slots; ++n) {
    s.Teams[n].Number = static_cast<int16_t>(n);
    if (s.Teams[n].Name.empty()) s.Teams[n].Name = "Team " + std::to_string(n);
  }
}

}  // namespace qb::testing
