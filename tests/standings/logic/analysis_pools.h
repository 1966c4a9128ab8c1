#pragma once
// Small hand-made pools for the analysis and listing tests: a bracket from
// possibility_pools.h, entries added one by one with their picks.
#include <algorithm>
#include <string>
#include <vector>

#include "core/bracket.h"
#include "core/pool_state.h"
#include "standings/logic/possibility_pools.h"

namespace qb::testing {

// Finds the participant by name or adds one.
inline int Participant(PoolState& s, const std::string& name) {
  for (int b = 1; b <= s.NumBettors; ++b)
    if (s.Bettors[b].Name == name) return b;
  ++s.NumBettors;
  if (static_cast<int>(s.Bettors.size()) <= s.NumBettors) s.Bettors.resize(s.NumBettors + 1);
  s.Bettors[s.NumBettors].Name = name;
  return s.NumBettors;
}

// Adds an entry of the participant with picks for games 1, 2, ...; a
// deleted entry keeps its picks but has no participant.
inline int AddEntry(PoolState& s, const std::string& name, int number,
                    const std::vector<int16_t>& picks, bool deleted = false) {
  const int b = Participant(s, name);
  const int e = ++s.NumEntries;
  if (static_cast<int>(s.Entries.size()) <= e) s.Entries.resize(e + 1);
  EntryRecord& rec = s.Entries[e];
  rec = EntryRecord{};
  rec.BettorIndex = static_cast<int16_t>(deleted ? 0 : b);
  rec.EntryNumber = static_cast<int16_t>(number);
  if (s.Picks.MaxEntry() < e + 1 || s.Picks.MaxGame() < s.NumGames + 1)
    s.Picks.EnsureSize(s.NumGames + 1, std::max(e + 1, 2 * s.Picks.MaxEntry()));
  for (size_t g = 0; g < picks.size(); ++g) s.Picks(static_cast<int>(g) + 1, e) = picks[g];
  return e;
}

// Sets the seeds of slots 1, 2, ... and derives the favoured seeds again.
inline void SetSeeds(PoolState& s, const std::vector<int16_t>& seeds) {
  for (size_t t = 0; t < seeds.size(); ++t) s.Teams[t + 1].Seed = seeds[t];
  ComputeFavoredSeeds(s);
}

}  // namespace qb::testing
