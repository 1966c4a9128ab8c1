#include "core/bracket.h"

#include "core/scoring.h"

#include <cmath>

#include "core/payout.h"
#include "core/prompts.h"
#include "core/text_format.h"

namespace qb {
namespace {

bool IsByeName(const std::string& name) {
  return name.size() == 3 && (name[0] == 'B' || name[0] == 'b') &&
         (name[1] == 'Y' || name[1] == 'y') && (name[2] == 'E' || name[2] == 'e');
}

int RoundsForTeams(int teams) {
  if (teams <= 4) return 2;
  if (teams <= 8) return 3;
  if (teams <= 16) return 4;
  if (teams <= 32) return 5;
  return 6;
}

}  // namespace

void SetupBracketFromParameters(PoolState& s, Prompts& prompts) {
  PoolHeader& p = s.Pool;
  s.DialogCancelled = false;
  if (p.NumTeams < 4 || p.NumTeams > 64) {
    prompts.Beep();
    prompts.Show(
        "Invalid Parameters - Minimum of 4 and maximum of 64 teams\r\nmanaged by Quorvel "
        "Brakkon.",
        MsgIcon::Critical);
    ClearPool(s);
    s.DialogCancelled = true;
    return;
  }

  s.NumRounds = static_cast<int16_t>(RoundsForTeams(p.NumTeams));
  s.NumSlots = static_cast<int16_t>(1 << s.NumRounds);
  // Rounds above NumRounds are zeroed, so a smaller pool after a larger one
  // keeps no figures of the rounds it does not have.
  for (int r = 1; r <= kMaxRounds; ++r) {
    int16_t games = r <= s.NumRounds ? static_cast<int16_t>(1 << (s.NumRounds - r)) : 0;
    s.GamesInRound[r] = games;
    s.NonByeGamesInRound[r] = games;
  }
  s.GamesInRound[0] = s.NonByeGamesInRound[0] = 0;
  int games = 0;
  for (int r = 1; r <= s.NumRounds; ++r) games += s.GamesInRound[r];
  s.NumGames = static_cast<int16_t>(games);
  s.NonByeGamesInRound[1] = static_cast<int16_t>(s.GamesInRound[1] - (s.NumSlots - p.NumTeams));
  int nonBye = 0;
  for (int r = 1; r <= s.NumRounds; ++r) nonBye += s.NonByeGamesInRound[r];
  s.NumNonByeGames = static_cast<int16_t>(nonBye);

  s.RoundEnd[0] = 0;
  for (int r = 1; r <= kMaxRounds; ++r)
    s.RoundEnd[r] = static_cast<int16_t>(s.RoundEnd[r - 1] + s.GamesInRound[r]);
  s.GameRound.fill(0);
  for (int g = 1, r = 1; g <= s.NumGames; ++g) {
    while (g > s.RoundEnd[r]) ++r;
    s.GameRound[g] = static_cast<int16_t>(r);
  }

  // A pool that pays no place has no payout places, not those of the pool before.
  s.NumPayoutPlaces = 0;
  for (int place = 1; place <= kPayoutPlaces; ++place)
    if (p.PayoutPct[place] > 0) s.NumPayoutPlaces = static_cast<int16_t>(place);
  ComputePrizePool(s, p.PayoutPct, s.PayoutAmt, p.HoldbackAmt, p.PayoutRounding);

  s.NumericTiebreaker = p.TiebreakerType != "Actual Games Picked Correctly" && p.TiebreakerUsed;

  // The older single seed option becomes a method and factor per round.
  if (p.SeedOption && p.SeedFactorAll != 0) {
    for (int r = 1; r <= kMaxRounds; ++r) {
      p.SeedFactor[r] = p.SeedFactorAll;
      p.SeedMethod[r] = static_cast<float>(p.SeedFormula + 1);
    }
    p.SeedFormula = -1;
    p.SeedFactorAll = 0;
    p.SeedOption = false;
  }
  // The older multiply option is applied once.
  if (p.MultiplyByRound) {
    for (int r = 1; r <= kMaxRounds; ++r) {
      p.RoundPoints[r] *= static_cast<float>(r);
      p.SeedFactor[r] *= static_cast<float>(r);
    }
    p.MultiplyByRound = false;
  }
  // A method outside 0..5 (a damaged file) is none; the rest are whole numbers.
  for (int r = 1; r <= kMaxRounds; ++r)
    p.SeedMethod[r] = static_cast<float>(WholeSeedMethod(p.SeedMethod[r]));

  s.LoserSeedScoring = false;
  for (int r = 1; r <= kMaxRounds; ++r)
    if (p.SeedMethod[r] > 1) s.LoserSeedScoring = true;

  for (int r = 1; r <= kMaxRounds; ++r) {
    std::string& d = s.SeedMethodDescr[r];
    int m = WholeSeedMethod(p.SeedMethod[r]);
    if (r > s.NumRounds) {
      d.clear();
    } else if (m == 2) {
      d = " + " + FormatAmount(static_cast<double>(p.SeedFactor[r])) + " Point Bonus for Upsets";
    } else if (m > 0) {
      d = " + " + s.SeedMethodName[m];
      if (p.SeedFactor[r] != 1.0f) d += " X " + FormatAmount(static_cast<double>(p.SeedFactor[r]));
    } else {
      d = "  ";
    }
  }

  s.RoundByRoundOrRePair = p.RoundByRound || p.RePair;

  FillByes(s);
  ResetTeamAdvance(s);
  ComputeCollectedTotals(s);
  LinkBracketSlots(s);
  ComputeFavoredSeeds(s);
}

int WholeSeedMethod(float method) {
  if (!std::isfinite(method)) return 0;
  double r = std::nearbyint(static_cast<double>(method));
  return (r >= 0 && r <= 5) ? static_cast<int>(r) : 0;
}

void FillByes(PoolState& s) {
  // Cleared first: a game whose Bye slot has since got a real team is scored again.
  s.ByeGame.fill(false);
  for (int n = 1; n <= s.NumSlots && n <= kMaxSlots; ++n)
    if (IsByeName(s.Teams[n].Name)) s.ByeGame[(n + 1) / 2] = true;
}

void ResetTeamAdvance(PoolState& s) {
  auto eliminate = [&](int slot) {
    if (slot >= 1 && slot <= kMaxSlots) s.Teams[slot].Alive = false;
  };
  for (int n = 1; n <= s.NumSlots && n <= kMaxSlots; ++n) s.Teams[n].Alive = true;
  const auto& results = s.Pool.Results;
  if (s.Pool.RePair) {
    // Re-paired rounds have no fixed paths: the loser of a game is the one
    // the scoring finds, so both agree on who is still alive.
    GameTable table{};
    BuildGameTable(s, table, results.data());
    for (int g = 1; g <= s.NumGames && g <= kMaxGames; ++g) {
      if (results[g] != 0) eliminate(table[g].Loser);
    }
    return;
  }
  for (int g = 1, r = 1; g <= s.NumGames && g <= kMaxGames; ++g) {
    while (r < kMaxRounds && g > s.RoundEnd[r]) ++r;
    if (results[g] == 0) continue;
    if (r == 1) {
      eliminate(results[g] == 2 * g ? 2 * g - 1 : 2 * g);
      continue;
    }
    const FeederGames f = FeederGamesOf(s, g);
    if (results[g] == results[f.second]) {
      if (results[f.first] != 0) eliminate(results[f.first]);
    } else if (results[f.second] != 0) {
      eliminate(results[f.second]);
    }
  }
}

void LinkBracketSlots(PoolState& s) {
  for (int g = 1; g <= kMaxGames; ++g) {
    GameRecord& game = s.Games[g];
    if (g > s.NumGames) {
      game.Feeder1 = game.Feeder2 = 0;
      continue;
    }
    if (s.GameRound[g] == 1) {
      game.Feeder1 = static_cast<int16_t>(2 * g - 1);
      game.Feeder2 = static_cast<int16_t>(2 * g);
    } else {
      const FeederGames f = FeederGamesOf(s, g);
      game.Feeder1 = static_cast<int16_t>(f.first);
      game.Feeder2 = static_cast<int16_t>(f.second);
    }
  }
}

FeederGames FeederGamesOf(const PoolState& s, int game) {
  if (game < 1 || game > kMaxGames) return {};
  const int r = s.GameRound[game];
  if (r <= 1 || r > kMaxRounds) return {};
  const int k = game - s.RoundEnd[r - 1];
  return {s.RoundEnd[r - 2] + 2 * k - 1, s.RoundEnd[r - 2] + 2 * k};
}

void ComputeFavoredSeeds(PoolState& s) {
  std::array<int16_t, kMaxGames + 1> favored{};  // favoured winner's slot per game
  s.FavoredSeed.fill(0);
  for (int n = 2; n <= s.NumSlots && n <= kMaxSlots; n += 2) {
    int g = n / 2;
    if (IsByeName(s.Teams[n].Name)) {
      favored[g] = static_cast<int16_t>(n - 1);
    } else if (IsByeName(s.Teams[n - 1].Name)) {
      favored[g] = static_cast<int16_t>(n);
    } else {
      continue;
    }
    s.FavoredSeed[g] = s.Teams[favored[g]].Seed;
  }
  for (int g = 1; g <= s.NumGames && g <= kMaxGames; ++g) {
    if (favored[g] != 0) continue;
    int a, b;
    if (s.GameRound[g] == 1) {
      a = 2 * g - 1;
      b = 2 * g;
    } else {
      const FeederGames f = FeederGamesOf(s, g);
      a = favored[f.first];
      b = favored[f.second];
    }
    // The lower seed number is favoured; no seed (0) counts as lowest.
    int winner = s.Teams[b].Seed < s.Teams[a].Seed ? b : a;
    favored[g] = static_cast<int16_t>(winner);
    s.FavoredSeed[g] = s.Teams[winner].Seed;
  }
}

}  // namespace qb
