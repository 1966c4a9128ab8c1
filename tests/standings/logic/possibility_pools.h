#pragma once
// Seeded random pools for the possibilities tests and benchmark: brackets of
// 4 to 64 teams with Byes, every seed method, heavy ties, deleted entries.
#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "core/bracket.h"
#include "core/pool_state.h"
#include "core/prompts.h"

namespace qb::testing {

struct PoolRecipe {
  int teams = 16;
  int entries = 20;
  int openGames = 6;          // open games among the last 15 (fewer if not that many)
  double deletedShare = 0.1;  // share of deleted entries
  int templates = 0;          // >0: entries copy one of this many pick sets (ties)
  int paidPlaces = 3;         // 0..5
  bool booby = true;
  bool rePair = false;
  bool storeByeResults = false;  // false: Bye games keep no result
  bool wholePoints = true;       // round points 1, 2, 4, ...; else fractions too
  int seedMethod = -1;           // -1: a random method per round
  float seedFactor = 0;          // 0: a random factor per round
};

inline void SetupPoolBracket(PoolState& s, int teams) {
  ScriptedPrompts prompts;
  s.Pool.NumTeams = static_cast<int16_t>(teams);
  SetupBracketFromParameters(s, prompts);
}

// A bracket of the given team count, seeds 1..16 in turn, round points 1, 2,
// 4, ..; slotCount beyond it hold "Bye" in the second slot of the last
// first-round games.
inline PoolState Bracket(int teams) {
  PoolState s;
  ClearPool(s);
  int slotCount = 4;
  while (slotCount < teams) slotCount *= 2;
  for (int t = 1; t <= slotCount; ++t) {
    s.Teams[t].Number = static_cast<int16_t>(t);
    s.Teams[t].Name = "Team " + std::to_string(t);
    s.Teams[t].Seed = static_cast<int16_t>((t - 1) % 16 + 1);
  }
  for (int b = 0; b < slotCount - teams; ++b) s.Teams[slotCount - 2 * b].Name = "Bye";
  for (int r = 1; r <= kMaxRounds; ++r) s.Pool.RoundPoints[r] = static_cast<float>(1 << (r - 1));
  SetupPoolBracket(s, teams);
  return s;
}

// Decides games 1..last, the first contender winning each.
inline void DecideThrough(PoolState& s, int last) {
  for (int g = 1; g <= last; ++g) {
    const int r = s.GameRound[g];
    if (r == 1) {
      s.Pool.Results[g] = static_cast<int16_t>(2 * g - 1);
    } else {
      const int k = g - s.RoundEnd[r - 1];
      s.Pool.Results[g] = s.Pool.Results[s.RoundEnd[r - 2] + 2 * k - 1];
    }
  }
}

// Builds a pool from the recipe; the same seed gives the same pool.
inline PoolState MakeRandomPool(const PoolRecipe& recipe, uint32_t seed) {
  std::mt19937 rng(seed);
  auto uniform = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  auto chance = [&](double p) { return std::uniform_real_distribution<double>(0, 1)(rng) < p; };

  PoolState s;
  ClearPool(s);
  PoolHeader& p = s.Pool;
  p.NumTeams = static_cast<int16_t>(recipe.teams);
  p.RePair = recipe.rePair;
  const float factors[] = {1, 2, 0.5f, 0.1f, 1.5f};
  for (int r = 1; r <= kMaxRounds; ++r) {
    p.RoundPoints[r] = recipe.wholePoints ? static_cast<float>(1 << (r - 1))
                                        : static_cast<float>(uniform(1, 40)) / 4.0f + 0.1f * r;
    p.SeedMethod[r] = static_cast<float>(recipe.seedMethod >= 0 ? recipe.seedMethod : uniform(0, 5));
    p.SeedFactor[r] = recipe.seedFactor > 0 ? recipe.seedFactor : factors[uniform(0, 4)];
  }
  for (int place = 0; place <= kPayoutPlaces; ++place) p.PayoutPct[place] = 0;
  for (int place = 1; place <= recipe.paidPlaces; ++place) p.PayoutPct[place] = 10;
  p.PayoutPct[0] = recipe.booby ? 5 : 0;

  int slotCount = 4;
  while (slotCount < recipe.teams) slotCount *= 2;
  // Byes: one per game, in either slot, spread over the first round.
  std::vector<int> games(slotCount / 2);
  for (int g = 0; g < slotCount / 2; ++g) games[g] = g + 1;
  std::shuffle(games.begin(), games.end(), rng);
  std::vector<bool> bye(slotCount + 1, false);
  for (int b = 0; b < slotCount - recipe.teams; ++b) bye[2 * games[b] - (chance(0.5) ? 1 : 0)] = true;
  for (int t = 1; t <= slotCount; ++t) {
    s.Teams[t].Number = static_cast<int16_t>(t);
    s.Teams[t].Name = bye[t] ? (chance(0.5) ? "Bye" : "bye") : "Team " + std::to_string(t);
    s.Teams[t].Seed = bye[t] ? 0 : static_cast<int16_t>(chance(0.15) ? 0 : uniform(1, 16));
  }
  ScriptedPrompts prompts;
  SetupBracketFromParameters(s, prompts);

  // Results: every game before the last 15 decided; in the last 15 the
  // wanted number open, each with the later games of its path.
  const int n = s.NumGames;
  const int window = std::max(1, n - 14);
  std::vector<bool> open(n + 1, false);
  auto parent = [&](int g) {
    const int r = s.GameRound[g];
    if (r >= s.NumRounds) return 0;
    return s.RoundEnd[r] + (g - s.RoundEnd[r - 1] + 1) / 2;
  };
  std::vector<int> candidates;
  for (int g = window; g <= n; ++g) candidates.push_back(g);
  std::shuffle(candidates.begin(), candidates.end(), rng);
  int marked = 0;
  for (int g : candidates) {
    std::vector<int> path;
    for (int x = g; x != 0; x = parent(x))
      if (!open[x]) path.push_back(x);
    if (marked + static_cast<int>(path.size()) > recipe.openGames) continue;
    for (int x : path) open[x] = true;
    marked += static_cast<int>(path.size());
  }
  std::vector<int16_t> winner(n + 1, 0);  // the Bye games' real teams included
  for (int g = 1; g <= n; ++g) {
    int16_t a, b;
    const int r = s.GameRound[g];
    if (r == 1) {
      a = static_cast<int16_t>(2 * g - 1);
      b = static_cast<int16_t>(2 * g);
    } else {
      const int k = g - s.RoundEnd[r - 1];
      const int f = s.RoundEnd[r - 2] + 2 * k - 1;
      a = winner[f];
      b = winner[f + 1];
    }
    if (r == 1 && (bye[a] || bye[b])) {
      winner[g] = bye[a] ? b : a;
      p.Results[g] = recipe.storeByeResults ? winner[g] : 0;
    } else if (open[g] || a == 0 || b == 0) {
      p.Results[g] = winner[g] = 0;
    } else {
      p.Results[g] = winner[g] = chance(0.5) ? a : b;
    }
  }
  ResetTeamAdvance(s);

  // Entries: a random bracket each (or a copy of a template), some picks
  // outside the bracket, some none.
  auto randomPicks = [&]() {
    std::vector<int16_t> picks(n + 1, 0);
    for (int g = 1; g <= n; ++g) {
      int16_t a, b;
      const int r = s.GameRound[g];
      if (r == 1) {
        a = static_cast<int16_t>(2 * g - 1);
        b = static_cast<int16_t>(2 * g);
        if (bye[a]) a = b;
        if (bye[b]) b = a;
      } else {
        const int k = g - s.RoundEnd[r - 1];
        const int f = s.RoundEnd[r - 2] + 2 * k - 1;
        a = picks[f];
        b = picks[f + 1];
      }
      int16_t pick = chance(0.5) ? a : b;
      if (chance(0.05)) pick = static_cast<int16_t>(uniform(1, slotCount));
      if (chance(0.03)) pick = 0;
      picks[g] = pick;
    }
    return picks;
  };
  std::vector<std::vector<int16_t>> templates;
  for (int t = 0; t < recipe.templates; ++t) templates.push_back(randomPicks());

  s.NumEntries = static_cast<int16_t>(recipe.entries);
  s.Entries.assign(recipe.entries + 1, EntryRecord{});
  s.Bettors.assign(recipe.entries + 1, BettorRecord{});
  s.NumBettors = static_cast<int16_t>(recipe.entries);
  s.Picks.Resize(n + 1, recipe.entries + 1);
  for (int e = 1; e <= recipe.entries; ++e) {
    s.Bettors[e].Name = "Player " + std::to_string(uniform(1, std::max(2, recipe.entries / 2)));
    EntryRecord& rec = s.Entries[e];
    rec.BettorIndex = static_cast<int16_t>(chance(recipe.deletedShare) ? 0 : e);
    rec.EntryNumber = static_cast<int16_t>(uniform(1, 3));
    const std::vector<int16_t> picks =
        templates.empty() ? randomPicks() : templates[uniform(0, recipe.templates - 1)];
    for (int g = 1; g <= n; ++g) s.Picks(g, e) = picks[g];
  }
  return s;
}

}  // namespace qb::testing
