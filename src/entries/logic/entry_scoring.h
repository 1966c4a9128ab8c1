#pragma once
// The entry editor's live score: the picks on the board scored against the
// results entered so far, on a game table the caller owns, with the picked
// upsets per round and the state each winner box is coloured by.
#include <array>
#include <vector>

#include "core/pool_state.h"
#include "entries/logic/pick_board.h"

namespace qb {

enum class PickState { Empty, Correct, Wrong, Open, Bye };

struct BoardScore {
  ScoreArea score;  // index 0 the totals, r round r
  // Picks of round r whose team is not the game's favoured seed.
  std::array<int16_t, kMaxRounds + 1> upsets{};
  // Picks made in round r (Bye games left out).
  std::array<int16_t, kMaxRounds + 1> picks{};
  std::vector<PickState> states;  // index = game
};

BoardScore ScoreBoard(const PoolState& s, const PickBoard& board, GameTable& games);

// Upsets as a whole percentage of the round's picks; 0 with no picks.
int UpsetPercent(const BoardScore& b, int round);

}  // namespace qb
