#include "standings/logic/entries_with_pick.h"

#include <algorithm>

#include "core/scoring.h"
#include "core/text_format.h"
#include "standings/logic/analysis_common.h"
#include "standings/logic/report_grid.h"

namespace qb {

std::string EntriesWithPickHeading(const PoolState& s, int team, int round) {
  const TeamRecord& t = s.Teams[std::clamp(team, 0, kMaxSlots)];
  std::string text = "Entries with " + t.Name;
  if (t.Seed != 0) text += " (Seed" + Str(t.Seed) + ")";
  return text + " advancing to the " + OrdinalText(round) + " round:";
}

std::vector<EntryWithPick> FindEntriesWithPick(const PoolState& s, int team, int round) {
  std::vector<EntryWithPick> rows;
  if (team < 1 || team > s.NumSlots) return rows;
  GameTable games{};
  ScoreArea score;
  BuildGameTable(s, games, s.Pool.Results.data());
  const int entries = HeldEntryCount(s), n = HeldGameCount(s);
  for (int e = 1; e <= entries; ++e) {
    if (!IsLiveEntry(s, e)) continue;
    bool scored = false;
    for (int g = 1; g <= n; ++g) {
      if (s.Picks(g, e) != team || s.GameRound[g] != round) continue;
      if (!scored) ScoreEntry(s, games, score, e);
      scored = true;
      rows.push_back({e, EntryCaption(s, e), score.ScorePoints[0]});
    }
  }
  return rows;
}

void FillEntriesWithPickGrid(Grid& grid, const std::vector<EntryWithPick>& rows, int gridWidth) {
  grid.SetVisible(false);
  grid.SetFixedRows(0);
  grid.SetFixedCols(0);
  grid.SetCols(3);
  grid.SetRows(1 + static_cast<int>(rows.size()));
  grid.SetFixedRows(1);
  grid.SetColWidth(0, 0);
  grid.SetColWidth(1, std::max(gridWidth - 1100, 0));
  grid.SetColWidth(2, 800);
  grid.SetTextMatrix(0, 1, "Entry");
  grid.SetTextMatrix(0, 2, "Points");
  int row = 1;
  for (const EntryWithPick& r : rows) {
    grid.SetTextMatrix(row, 0, std::to_string(r.Entry));
    grid.SetTextMatrix(row, 1, r.Caption);
    // Points are single precision, as the entries keep them.
    grid.SetTextMatrix(row, 2, NumberText(static_cast<float>(r.Points)));
    ++row;
  }
  SortPickGrid(grid, 2, flexSortGenericDescending);
  grid.SetVisible(true);
}

void SortPickGrid(Grid& grid, int column, int order) {
  if (grid.Rows() < 2 || column < 0 || column >= grid.Cols()) return;
  SortGridRows(grid, 1, column, order);
  grid.SetRow(1);
  grid.SetCol(1);
}

int PickGridHeaderSort(int column) {
  if (column == 1) return flexSortGenericAscending;
  if (column == 2) return flexSortGenericDescending;
  return flexSortNone;
}

}  // namespace qb
