#include "core/scoring.h"

#include <cmath>

#include "core/bracket.h"
#include "core/payout.h"

namespace qb {
namespace {

// A slot that indexes Teams; anything else is treated as no team.
inline int ValidSlot(int slot) {
  return (slot >= 0 && slot <= kMaxSlots) ? slot : 0;
}

inline int16_t SeedOf(const PoolState& s, int slot) {
  return s.Teams[ValidSlot(slot)].Seed;
}

inline bool AliveOf(const PoolState& s, int slot) {
  int v = ValidSlot(slot);
  return v != 0 && s.Teams[v].Alive;
}

inline int Games(const PoolState& s) {
  return s.NumGames < 0 ? 0 : (s.NumGames > kMaxGames ? kMaxGames : s.NumGames);
}

// Games of round r: RoundEnd(r-1)+1 .. RoundEnd(r), within 1..NumGames.
inline void RoundRange(const PoolState& s, int r, int& first, int& last) {
  if (r < 1 || r > kMaxRounds) {
    first = 1;
    last = 0;
    return;
  }
  first = s.RoundEnd[r - 1] + 1;
  last = s.RoundEnd[r];
  if (first < 1) first = 1;
  if (last > Games(s)) last = Games(s);
}

// The game of round r that `team` won, 0 when none: the first in game order.
int GameWonInRound(const PoolState& s, const GameTable& games, int r, int team) {
  int first, last;
  RoundRange(s, r, first, last);
  for (int j = first; j <= last; ++j)
    if (s.GameRound[j] == r && games[j].Winner == team) return j;
  return 0;
}

}  // namespace

void BuildGameTable(const PoolState& s, GameTable& games, const int16_t* winners) {
  const int n = Games(s);
  const bool rePair = s.Pool.RePair;
  for (int g = 1; g <= n; ++g) {
    GameRecord& game = games[g];
    // The feeders follow from the bracket, so a fresh table needs no set-up.
    int r = s.GameRound[g];
    if (r <= 1) {
      game.Feeder1 = static_cast<int16_t>(2 * g - 1);
      game.Feeder2 = static_cast<int16_t>(2 * g);
    } else {
      const FeederGames f = FeederGamesOf(s, g);
      game.Feeder1 = static_cast<int16_t>(f.first);
      game.Feeder2 = static_cast<int16_t>(f.second);
    }

    int w = ValidSlot(winners[g]);
    if (w == 0) {
      game.Winner = game.WinnerSeed = game.Loser = game.LoserSeed = 0;
      continue;
    }
    game.Winner = static_cast<int16_t>(w);
    game.WinnerSeed = SeedOf(s, w);
    int loser = 0;
    if (!rePair) {
      if (r <= 1) {
        loser = w == game.Feeder1 ? game.Feeder2 : game.Feeder1;
      } else {
        int w1 = winners[game.Feeder1];
        loser = w1 == w ? winners[game.Feeder2] : w1;
      }
    } else if (r <= 1) {
      loser = (w % 2 == 1) ? w + 1 : w - 1;
    } else {
      // Re-paired: the team this winner beat is the winner of the partner of
      // the game it won in the round before. A winner that won no game of the
      // round before has no known loser (0).
      int j = GameWonInRound(s, games, r - 1, w);
      if (j != 0) loser = winners[(j % 2 == 0) ? j - 1 : j + 1];
    }
    game.Loser = static_cast<int16_t>(ValidSlot(loser));
    game.LoserSeed = SeedOf(s, game.Loser);
  }
}

bool PickedTeamInRound(const PoolState& s, const GameTable& games, int game) {
  if (!s.Pool.RePair || game < 1 || game > Games(s)) return false;
  int pick = games[game].Pick;
  if (pick == 0) return false;
  return GameWonInRound(s, games, s.GameRound[game], pick) != 0;
}

float SeedBonusForGame(const PoolState& s, const GameTable& games, int game, bool forPossible) {
  if (game < 1 || game > Games(s)) return 0;
  const int r = s.GameRound[game];
  if (r < 1 || r > kMaxRounds) return 0;
  const int m = WholeSeedMethod(s.Pool.SeedMethod[r]);
  const double f = s.Pool.SeedFactor[r];
  const GameRecord& g = games[game];
  if (m == 0 || g.Pick == 0) return 0;

  int k = game;
  if (s.Pool.RePair) {
    k = GameWonInRound(s, games, r, g.Pick);
    if (k == 0) return (forPossible && m == 1) ? static_cast<float>(g.PickSeed * f) : 0.0f;
  }
  if (forPossible && m >= 2 && m <= 5) return 0;
  const GameRecord& d = games[k];
  if (m >= 2 && m <= 4 && (d.WinnerSeed <= d.LoserSeed || d.LoserSeed == 0)) return 0;
  if (m == 5 && d.LoserSeed == 0) return 0;
  switch (m) {
    case 1:
      return static_cast<float>((d.Winner != 0 ? d.WinnerSeed : g.PickSeed) * f);
    case 2:
      return static_cast<float>(f);
    case 3:
      return static_cast<float>(d.WinnerSeed * f);
    case 4:
      return static_cast<float>((d.WinnerSeed - d.LoserSeed) * f);
    case 5:
      return static_cast<float>(static_cast<double>(d.WinnerSeed) / d.LoserSeed * f);
    default:
      return 0;
  }
}

void ScoreEntry(const PoolState& s, GameTable& games, ScoreArea& score, int entry) {
  const int n = Games(s);
  if (entry != 0) {
    for (int g = 1; g <= n; ++g) {
      int16_t pick = s.Picks(g, entry);
      games[g].Pick = pick;
      // No pick, no seed: a seed left from the entry before would give a bonus.
      games[g].PickSeed = pick != 0 ? SeedOf(s, pick) : 0;
    }
  }
  score = ScoreArea{};

  for (int g = 1; g <= n; ++g) {
    GameRecord& game = games[g];
    const int r = s.GameRound[g];
    game.PickCorrect = false;
    if (r < 1 || r > kMaxRounds) continue;
    const bool bye = s.ByeGame[g];
    const bool seedScored = s.Pool.SeedMethod[r] > 0;
    if (!bye &&
        (PickedTeamInRound(s, games, g) || (game.Winner != 0 && game.Pick == game.Winner))) {
      score.ScoreGames[r] += 1;
      score.ScorePoints[r] += s.Pool.RoundPoints[r];
      if (seedScored) score.ScorePoints[r] += SeedBonusForGame(s, games, g, false);
      game.PickCorrect = true;
    }
    // A re-paired pick already scored in this round is not open as well.
    if (game.Winner != 0 || game.PickCorrect || !AliveOf(s, game.Pick)) continue;
    if (!bye && game.Pick > 0) {
      score.ScorePossiblePoints += s.Pool.RoundPoints[r];
      if (seedScored) score.ScorePossiblePoints += SeedBonusForGame(s, games, g, true);
    }
    score.ScoreOpenGames[r] += 1;  // a Bye game counts here too
  }

  for (int r = 1; r <= kMaxRounds; ++r) {
    score.ScorePoints[r] = RoundValue(score.ScorePoints[r], -2);
    score.ScoreGames[0] = static_cast<int16_t>(score.ScoreGames[0] + score.ScoreGames[r]);
    score.ScorePoints[0] = RoundValue(score.ScorePoints[0] + score.ScorePoints[r], -2);
  }
  score.ScorePossiblePoints = RoundValue(score.ScorePoints[0] + score.ScorePossiblePoints, -2);
}

void ScoreAllEntries(PoolState& s) {
  BuildGameTable(s, s.Games, s.Pool.Results.data());
  for (int e = 1; e <= s.NumEntries; ++e) {
    ScoreEntry(s, s.Games, s.Score, e);
    EntryRecord& rec = s.Entries.at(static_cast<size_t>(e));
    const ScoreArea& sc = s.Score;
    rec.GamesWon = sc.ScoreGames[0];
    rec.Points = static_cast<float>(sc.ScorePoints[0]);
    rec.PossiblePoints = static_cast<float>(sc.ScorePossiblePoints);
    for (int r = 1; r <= kMaxRounds; ++r) {
      rec.RoundGamesWon[r] = sc.ScoreGames[r];
      rec.RoundPointsWon[r] = static_cast<float>(sc.ScorePoints[r]);
      rec.RoundOpenGames[r] = sc.ScoreOpenGames[r];
    }
  }
}

bool AnyResultsEntered(const PoolState& s) {
  for (int g = 1; g <= kMaxGames; ++g)
    if (!s.ByeGame[g] && s.Pool.Results[g] != 0) return true;
  return false;
}

int HighestRoundWithWinner(const PoolState& s) {
  for (int g = Games(s); g >= 1; --g)
    if (s.Pool.Results[g] != 0) return s.GameRound[g];
  return 0;
}

}  // namespace qb
