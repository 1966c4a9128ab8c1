#pragma once
// Small pools worked by hand for the standings and payouts: an 8-team bracket
// (Team 1 .. Team 8, seeds 1 .. 8, round points 1, 2, 4) and entries whose
// picks are given game by game.
#include <initializer_list>
#include <string>
#include <vector>

#include "core/bracket.h"
#include "core/pool_state.h"
#include "standings/logic/possibility_pools.h"

namespace qb::testing {

struct RankPool {
  PoolState s = Bracket(8);

  // Adds a participant's entry; picks for games 1..7 in order.
  int Add(const std::string& name, int number, std::vector<int16_t> picks, float tiebreaker = 0,
          bool deleted = false) {
    const int e = s.NumEntries + 1;
    s.NumEntries = static_cast<int16_t>(e);
    s.NumBettors = static_cast<int16_t>(e);
    s.Entries.resize(e + 1);
    s.Bettors.resize(e + 1);
    s.Bettors[e].Name = name;
    EntryRecord& rec = s.Entries[e];
    rec.BettorIndex = static_cast<int16_t>(deleted ? 0 : e);
    rec.EntryNumber = static_cast<int16_t>(number);
    rec.Tiebreaker = tiebreaker;
    s.Picks.EnsureSize(s.NumGames, e);
    for (size_t g = 0; g < picks.size(); ++g) s.Picks(static_cast<int>(g) + 1, e) = picks[g];
    return e;
  }
  // Results of games 1.. in order (0 = not played).
  void Results(std::initializer_list<int> winners) {
    int g = 1;
    for (int w : winners) s.Pool.Results[g++] = static_cast<int16_t>(w);
    ResetTeamAdvance(s);
  }
  void Payouts(float booby, std::initializer_list<float> places) {
    s.Pool.PayoutPct = {};
    s.Pool.PayoutPct[0] = booby;
    int p = 1;
    for (float pct : places) s.Pool.PayoutPct[p++] = pct;
  }
};

// Ann, Bob, Cy and a deleted entry; games 1 to 3 decided (Teams 1, 3, 5 won).
//   Ann: 3 games, 3 points, possible 12;  Bob: 0 games, 0 points, possible 1;
//   Cy:  2 games, 2 points, possible 11.
inline RankPool ThreeEntries() {
  RankPool p;
  p.Add("Ann", 1, {1, 3, 5, 7, 1, 5, 1}, 150);
  p.Add("Bob", 2, {2, 4, 6, 8, 2, 6, 2}, 140);
  p.Add("Gone", 1, {1, 3, 5, 7, 1, 5, 1}, 0, true);
  p.Add("Cy", 1, {1, 4, 5, 7, 1, 7, 7}, 170);
  p.Results({1, 3, 5});
  return p;
}

// Ann, Bob, a deleted entry, Cy and Dee with every game decided (Teams 1, 3,
// 5, 7, then 1, 5, then 1): Ann 12 points, Dee 8, Cy 5, Bob 0. A numeric
// tiebreaker of 160; 10 per entry, paid 60 / 30 and booby 10: pot 40.
inline RankPool FourEntriesDecided() {
  RankPool p;
  p.Add("Ann", 1, {1, 3, 5, 7, 1, 5, 1}, 150);
  p.Add("Bob", 2, {2, 4, 6, 8, 2, 6, 2}, 140);
  p.Add("Gone", 1, {1, 3, 5, 7, 1, 5, 1}, 0, true);
  p.Add("Cy", 1, {1, 4, 5, 7, 1, 7, 7}, 170);
  p.Add("Dee", 4, {1, 3, 5, 7, 1, 5, 5}, 161);
  p.Results({1, 3, 5, 7, 1, 5, 1});
  p.s.Pool.CostPerEntry = Currency::FromDouble(10);
  p.s.Pool.TiebreakerUsed = true;
  p.s.Pool.TiebreakerType = "Points Final Game - Both Teams";
  p.s.Pool.TiebreakerActual = 160;
  p.Payouts(10, {60, 30});
  return p;
}

}  // namespace qb::testing
