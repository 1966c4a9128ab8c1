#pragma once
// Pools with a real bracket for the entry editor tests: teams "Team 1".. seeded
// by slot within each quarter, Byes at the even slotCount of the last games.
#include <string>

#include "core/bracket.h"
#include "core/pool_state.h"
#include "core/prompts.h"

namespace qb::testing {

// teams 4..64; slotCount beyond the team count hold Byes, each against a real team.
inline void MakeBracketPool(PoolState& s, int teams, bool dualSided = false) {
  ClearPool(s);
  s.Pool.NumTeams = static_cast<int16_t>(teams);
  s.Pool.DualSided = dualSided;
  s.Pool.TiebreakerUsed = false;
  int slotCount = 4;
  while (slotCount < teams) slotCount *= 2;
  const int byes = slotCount - teams;
  for (int t = 1; t <= slotCount; ++t) {
    s.Teams[t].Number = static_cast<int16_t>(t);
    s.Teams[t].Name = "Team " + std::to_string(t);
    s.Teams[t].Seed = static_cast<int16_t>((t - 1) % 8 + 1);
  }
  for (int b = 0; b < byes; ++b) {
    const int slot = slotCount - 2 * b;
    s.Teams[slot].Name = "Bye";
    s.Teams[slot].Seed = 0;
  }
  for (int r = 1; r <= kMaxRounds; ++r) s.Pool.RoundPoints[r] = static_cast<float>(10 * r);
  ScriptedPrompts prompts;
  SetupBracketFromParameters(s, prompts);
}

inline int AddPoolBettor(PoolState& s, const std::string& name, const std::string& phone = "",
                         const std::string& email = "") {
  s.NumBettors = static_cast<int16_t>(s.NumBettors + 1);
  if (static_cast<int>(s.Bettors.size()) < s.NumBettors + 1) s.Bettors.resize(s.NumBettors + 1);
  s.Bettors[s.NumBettors] = BettorRecord{name, "", phone, email, false};
  return s.NumBettors;
}

// An entry of the participant with the given picks (games 1.. in order).
inline int AddPoolEntry(PoolState& s, int bettor, int number, std::initializer_list<int> picks = {}) {
  const int e = s.NumEntries + 1;
  s.NumEntries = static_cast<int16_t>(e);
  if (static_cast<int>(s.Entries.size()) < e + 1) s.Entries.resize(e + 1);
  s.Entries[e] = EntryRecord{};
  s.Entries[e].BettorIndex = static_cast<int16_t>(bettor);
  s.Entries[e].EntryNumber = static_cast<int16_t>(number);
  s.Picks.EnsureSize(s.NumGames + 1, e);
  int g = 1;
  for (int p : picks) s.Picks(g++, e) = static_cast<int16_t>(p);
  return e;
}

}  // namespace qb::testing
