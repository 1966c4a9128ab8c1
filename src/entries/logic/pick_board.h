#pragma once
// The entry editor's picks while it is open: one team slot per winner box,
// games 1..NumGames (0 = no pick). Placing, taking back, filling and clearing
// follow the pool's bracket rules (fixed paths, round by round, re-paired).
#include <string>
#include <vector>

#include "core/pool_state.h"

namespace qb {

using PickBoard = std::vector<int16_t>;  // index = game, element 0 unused

// What a drop did: a refusal beeps and changes nothing; otherwise each box
// that changed asks for its own sound, in order.
struct PlaceOutcome {
  bool refused = false;
  std::vector<std::string> sounds;
};

// A board sized for the pool's games with every Bye game holding the team
// that advances without playing (those boxes never change afterwards).
PickBoard EmptyBoard(const PoolState& s);
// The picks of entry e as stored, with the Bye games' teams in place.
PickBoard BoardFromEntry(const PoolState& s, int entry);

// The real team of a first-round Bye game; 0 when both slots are Byes or the
// game holds no Bye.
int16_t ByeGameTeam(const PoolState& s, int game);
bool IsByeSlot(const PoolState& s, int slot);

// The checked placement of one dragged team. targetRound 0 is a removal;
// targetGame 0 a drop on a round heading or the team column.
PlaceOutcome PlacePick(const PoolState& s, PickBoard& board, int team, int targetRound,
                       bool backward, int sourceRound, int targetGame);

// Where a drag starts: a team name in the team column (index = slot) or a
// winner box (index = game).
struct DragSource {
  enum Kind { TeamName, Winner } kind;
  int index;
};

// The team a drag carries; 0 when it carries none (an empty box, a Bye slot,
// the locked box of a Bye game).
int16_t DraggedTeam(const PoolState& s, const PickBoard& board, DragSource source);
// Round of a drag source: a winner box gives its game's round, the team column 0.
int RoundOfSource(const PoolState& s, DragSource source);

// Drop handlers. `changed` tells whether the drop marks the entry changed
// (a winner box dropped on itself does not).
struct PickDropOutcome {
  bool changed = false;
  PlaceOutcome place;
};
PickDropOutcome DropOnWinner(const PoolState& s, PickBoard& board, DragSource source, int game);
// heading: index of the round heading, above NumRounds for the right half of
// a dual-sided bracket.
PickDropOutcome DropOnRoundHeading(const PoolState& s, PickBoard& board, DragSource source,
                                   int heading);
PickDropOutcome DropOnTeamColumn(const PoolState& s, PickBoard& board, DragSource source);

// "Fill with Higher Seeds": every empty box gets the better seed of its two
// competitors; kept picks stay. Never chooses a Bye slot.
void FillWithHigherSeeds(const PoolState& s, PickBoard& board);
// Empties every box but the Bye games, which keep their team.
void ClearAllPicks(const PoolState& s, PickBoard& board);

}  // namespace qb
