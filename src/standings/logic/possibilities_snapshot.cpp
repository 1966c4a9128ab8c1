// The snapshot a run works on: what it needs of the open pool, read once.
#include <algorithm>

#include "core/payout.h"
#include "core/scoring.h"
#include "standings/logic/parallel.h"
#include "standings/logic/possibilities.h"

namespace qb {

namespace {

// The bracket and the rules, without entries, participants or import copies.
void CopyBracketAndRules(const PoolState& s, PoolState& to) {
  to.Pool = s.Pool;
  to.Teams = s.Teams;
  to.Games = s.Games;
  to.RoundEnd = s.RoundEnd;
  to.GameRound = s.GameRound;
  to.GamesInRound = s.GamesInRound;
  to.NonByeGamesInRound = s.NonByeGamesInRound;
  to.ByeGame = s.ByeGame;
  to.FavoredSeed = s.FavoredSeed;
  to.PayoutAmt = s.PayoutAmt;
  to.SeedMethodName = s.SeedMethodName;
  to.SeedMethodChoice = s.SeedMethodChoice;
  to.SeedMethodDescr = s.SeedMethodDescr;
  to.NumSlots = s.NumSlots;
  to.NumRounds = s.NumRounds;
  to.NumGames = s.NumGames;
  to.NumNonByeGames = s.NumNonByeGames;
  to.NumPayoutPlaces = s.NumPayoutPlaces;
  to.NumericTiebreaker = s.NumericTiebreaker;
  to.LoserSeedScoring = s.LoserSeedScoring;
  to.RoundByRoundOrRePair = s.RoundByRoundOrRePair;
}

// An entry's points from the decided games, equal to what ScoreAllEntries
// stores. Without re-pairing a correct pick of a decided game is worth the
// same to every entry, so each entry only compares its picks.
class PointsAlreadyWon {
 public:
  PointsAlreadyWon(const PoolState& s, const GameTable& games)
      : s_(s), games_(games), rePair_(s.Pool.RePair) {
    if (rePair_) return;
    GameTable picked = games;
    const int n = std::clamp<int>(s.NumGames, 0, std::min(kMaxGames, s.Picks.MaxGame()));
    for (int g = 1; g <= n; ++g) {
      const int r = s.GameRound[g];
      const int16_t w = games[g].Winner;
      if (r < 1 || r > kMaxRounds || s.ByeGame[g] || w == 0) continue;
      picked[g].Pick = w;
      picked[g].PickSeed = s.Teams[w].Seed;
      const bool seeded = s.Pool.SeedMethod[r] > 0;
      decided_.push_back({static_cast<int16_t>(g), w, static_cast<int8_t>(r), seeded,
                          seeded ? SeedBonusForGame(s, picked, g, false) : 0.0f});
    }
  }

  struct Work {
    GameTable Games{};
    ScoreArea Score;
    bool Ready = false;
  };

  float Of(int entry, Work& work) const {
    if (rePair_) {
      // The team a re-paired pick beat depends on the entry's other picks.
      if (!work.Ready) work.Games = games_, work.Ready = true;
      ScoreEntry(s_, work.Games, work.Score, entry);
      return static_cast<float>(work.Score.ScorePoints[0]);
    }
    std::array<double, 9> points{};
    if (entry <= s_.Picks.MaxEntry()) {
      for (const Decided& d : decided_) {
        if (s_.Picks(d.game, entry) != d.winner) continue;
        points[d.round] += s_.Pool.RoundPoints[d.round];
        if (d.seeded) points[d.round] += d.bonus;
      }
    }
    // Rounded as the standings round them: each round, then the running
    // total. A round without points changes neither (the total is already
    // rounded, and rounding it again gives the same value).
    for (int r = 1; r <= kMaxRounds; ++r) {
      if (points[r] == 0) continue;
      points[r] = RoundValue(points[r], -2);
      points[0] = RoundValue(points[0] + points[r], -2);
    }
    return static_cast<float>(points[0]);
  }

 private:
  struct Decided {
    int16_t game;
    int16_t winner;
    int8_t round;
    bool seeded;
    float bonus;
  };
  const PoolState& s_;
  const GameTable& games_;
  const bool rePair_;
  std::vector<Decided> decided_;  // in game order, as ScoreEntry adds them
};

}  // namespace

PossibilitiesSnapshot TakePossibilitiesSnapshot(const PoolState& s, const OpenGameList& open,
                                                int threads) {
  PossibilitiesSnapshot snap;
  CopyBracketAndRules(s, snap.Pool);
  PoolState& pool = snap.Pool;
  // The decided games as the standings lay them on; the scenarios then see
  // every Bye game decided for its real team.
  BuildGameTable(s, snap.Games, s.Pool.Results.data());
  pool.Games = snap.Games;
  pool.Pool.Results = EffectiveResults(s);
  snap.Open = open;
  snap.Outcomes = ScenarioOutcomes(pool, open);

  const std::vector<int32_t> active = ActiveEntries(s);
  const size_t a = active.size();
  const int k = open.OpenGameCount;
  snap.Entries.resize(a);
  snap.OpenPicks.assign(a * static_cast<size_t>(k), 0);
  const PointsAlreadyWon points(s, snap.Games);
  ParallelRanges(a, threads, [&](size_t from, size_t to) {
    PointsAlreadyWon::Work work;
    for (size_t x = from; x < to; ++x) {
      const int e = active[x];
      const EntryRecord& rec = s.Entries[e];
      PossibilitiesEntry& entry = snap.Entries[x];
      entry.Index = e;
      entry.Identity = rec.Identity;
      entry.EntryNumber = rec.EntryNumber;
      entry.Name = rec.BettorIndex > 0 && rec.BettorIndex < static_cast<int>(s.Bettors.size())
                       ? s.Bettors[rec.BettorIndex].Name
                       : rec.BettorName;
      entry.Points = points.Of(e, work);
      int16_t* picks = &snap.OpenPicks[x * k];
      for (int i = 1; i <= k; ++i) {
        const int g = open.OpenGame[i];
        picks[i - 1] = g <= s.Picks.MaxGame() && e <= s.Picks.MaxEntry() ? s.Picks(g, e) : 0;
      }
    }
  });
  return snap;
}

ListedEntryIds ListedEntryIdsOf(const PossibilitiesSnapshot& snap) {
  ListedEntryIds listed;
  for (const PossibilitiesEntry& e : snap.Entries) listed.Remember(e.Index, e.Identity);
  return listed;
}

}  // namespace qb
