#include "standings/logic/upset_analysis.h"

#include <algorithm>
#include <string>

#include "core/payout.h"
#include "core/text_format.h"
#include "standings/logic/analysis_common.h"

namespace qb {
namespace {

bool IsUpset(const PoolState& s, int game, int slot) {
  return slot != 0 && s.Teams[slot].Seed > s.FavoredSeed[game];
}

int RoundOf(const PoolState& s, int game) {
  const int r = s.GameRound[game];
  return r >= 1 && r <= kMaxRounds ? r : 0;
}

}  // namespace

UpsetCounts CountUpsets(const PoolState& s) {
  UpsetCounts c;
  const int entries = HeldEntryCount(s), games = HeldGameCount(s);
  for (int e = 1; e <= entries; ++e) {
    if (!IsLiveEntry(s, e)) continue;
    for (int g = 1; g <= games; ++g) {
      const int r = RoundOf(s, g);
      if (r != 0 && IsUpset(s, g, PickedSlot(s, g, e))) {
        ++c.Picked[r];
        ++c.Picked[0];
      }
    }
    ++c.Entries;
  }
  for (int g = 1; g <= std::min<int>(s.NumGames, kMaxGames); ++g) {
    const int w = s.Pool.Results[g];
    const int r = RoundOf(s, g);
    if (r != 0 && w >= 1 && w <= s.NumSlots && IsUpset(s, g, w)) {
      ++c.Actual[r];
      ++c.Actual[0];
    }
  }
  return c;
}

void FillRoundGrid(Grid& grid, const PoolState& s, const UpsetCounts& counts) {
  const int R = std::clamp<int>(s.NumRounds, 0, kMaxRounds);
  grid.SetVisible(false);
  grid.SetFixedRows(0);
  grid.SetFixedCols(0);
  grid.SetCols(5);
  grid.SetRows(R + 4);
  grid.SetFixedRows(3);
  grid.SetFixedCols(1);
  grid.SetMergeCells(flexMergeFree);
  for (int c = 0; c < 5; ++c) grid.SetColWidth(c, 600);

  const char* headers[3][5] = {{"", "Teams Advancing Past Seed", "Teams Advancing Past Seed",
                                "Teams Advancing Past Seed", "Teams Advancing Past Seed"},
                               {"", "Entry Avg", "Entry Avg", "Actual", "Actual"},
                               {"Round", "Games", "%", "Games", "%"}};
  for (int row = 0; row < 3; ++row) {
    grid.SetMergeRow(row, true);
    for (int c = 0; c < 5; ++c) grid.SetTextMatrix(row, c, headers[row][c]);
  }
  SetupGrid(grid, 0, 2, 0, -1);
  for (int c = 0; c < 5; ++c) grid.SetMergeCol(c, false);

  const double m = counts.Entries > 0 ? counts.Entries : 1;
  for (int row = 3; row <= R + 3; ++row) {
    const bool total = row == R + 3;
    const int r = total ? 0 : row - 2;
    // A bracket always has games; a damaged count must not divide by 0.
    const double games = std::max<int>(total ? s.NumGames : s.NonByeGamesInRound[r], 1);
    grid.SetMergeRow(row, false);
    grid.SetTextMatrix(row, 0, total ? "Total" : OrdinalText(r));
    grid.SetTextMatrix(row, 1, NumberText(RoundValue(counts.Picked[r] / m, -1)));
    grid.SetTextMatrix(row, 2, Str(RoundValue(counts.Picked[r] / games / m * 100, 0)) + "%");
    grid.SetTextMatrix(row, 3, counts.Actual[r] != 0 ? std::to_string(counts.Actual[r]) : "");
    grid.SetTextMatrix(row, 4, Str(RoundValue(counts.Actual[r] / games * 100, 0)) + "%");
  }
  SetupGrid(grid, 3, -1, 0, 0);
  SetupGrid2(grid, 3, -1, 2, 2);
  SetupGrid2(grid, 3, -1, 4, 4);
  grid.SetVisible(true);
}

}  // namespace qb
