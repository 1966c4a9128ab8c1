#pragma once
// The entries that picked one team to win its game in one round, with each
// entry's points. Scoring works on a game table and score area of its own:
// the open pool, its CurrentEntry and its score work area stay as they were.
#include <string>
#include <vector>

#include "core/pool_state.h"
#include "platform/grid.h"

namespace qb {

// "Entries with " the team's name (and " (Seed" n ")"), " advancing to the ",
// the ordinal of the round and " round:".
std::string EntriesWithPickHeading(const PoolState& s, int team, int round);

struct EntryWithPick {
  int Entry = 0;        // index in Entries
  std::string Caption;  // "Al #2"
  double Points = 0;    // total points by the results
};

// One row per live entry and matching game, in entry order.
std::vector<EntryWithPick> FindEntriesWithPick(const PoolState& s, int team, int round);

// Header row and one row per entry: the hidden entry index, the caption and
// the points; sorted by points, highest first. gridWidth in twips.
void FillEntriesWithPickGrid(Grid& grid, const std::vector<EntryWithPick>& rows, int gridWidth);
// Sorts the data rows on the column with a grid sort code (none for 0) and
// puts the current cell on row 1, column 1; a grid without data rows stays.
void SortPickGrid(Grid& grid, int column, int order);
// The sort a double click on the header of the column asks for: "Entry"
// ascending, "Points" descending, none elsewhere.
int PickGridHeaderSort(int column);

}  // namespace qb
