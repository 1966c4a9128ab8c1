#include "entries/logic/entry_scoring.h"

#include <cmath>

#include "core/scoring.h"

namespace qb {

BoardScore ScoreBoard(const PoolState& s, const PickBoard& board, GameTable& games) {
  BoardScore out;
  const int n = std::min<int>(s.NumGames, static_cast<int>(board.size()) - 1);
  BuildGameTable(s, games, s.Pool.Results.data());
  for (int g = 1; g <= s.NumGames; ++g) {
    int16_t pick = g <= n ? board[g] : 0;
    if (pick < 0 || pick > s.NumSlots) pick = 0;
    games[g].Pick = pick;
    games[g].PickSeed = pick != 0 ? s.Teams[pick].Seed : 0;
  }
  ScoreEntry(s, games, out.score, 0);

  out.states.assign(static_cast<size_t>(std::max<int>(s.NumGames, 0)) + 1, PickState::Empty);
  for (int g = 1; g <= s.NumGames; ++g) {
    const GameRecord& game = games[g];
    const int r = s.GameRound[g];
    if (s.ByeGame[g]) {
      out.states[g] = PickState::Bye;
      continue;
    }
    if (game.Pick == 0) continue;
    if (r >= 1 && r <= kMaxRounds) {
      ++out.picks[r];
      const int favored = s.FavoredSeed[g];
      if (game.PickSeed > 0 && favored > 0 && game.PickSeed > favored) ++out.upsets[r];
    }
    if (game.PickCorrect)
      out.states[g] = PickState::Correct;
    else if (game.Winner != 0 || !s.Teams[game.Pick].Alive)
      out.states[g] = PickState::Wrong;  // lost here, or already out of the tournament
    else
      out.states[g] = PickState::Open;
  }
  for (int r = 1; r <= kMaxRounds; ++r) {
    out.upsets[0] = static_cast<int16_t>(out.upsets[0] + out.upsets[r]);
    out.picks[0] = static_cast<int16_t>(out.picks[0] + out.picks[r]);
  }
  return out;
}

int UpsetPercent(const BoardScore& b, int round) {
  if (round < 0 || round > kMaxRounds || b.picks[round] == 0) return 0;
  return static_cast<int>(std::lround(100.0 * b.upsets[round] / b.picks[round]));
}

}  // namespace qb
