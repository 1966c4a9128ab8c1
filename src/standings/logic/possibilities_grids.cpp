#include "standings/logic/possibilities_grids.h"

#include <cmath>

#include "standings/logic/report_grid.h"

namespace qb {

namespace {

const char* const kPositions[] = {"1st", "2nd", "3rd", "4th", "5th", "Booby"};

void SetHeaders(Grid& grid, std::initializer_list<std::pair<const char*, int>> columns) {
  int c = 0;
  for (const auto& [header, width] : columns) {
    grid.SetTextMatrix(0, c, header);
    grid.SetColWidth(c, width);
    ++c;
  }
  SetupGrid(grid, 0, 0, -1, -1);
}

}  // namespace

void SetupPossibilitiesGrids(Grid& scenario, Grid& entries, int32_t scenarioCount,
                             int activeEntries) {
  const bool show = scenarioCount <= kMaxShownScenarios;
  scenario.SetCols(2);
  scenario.SetRows(show ? scenarioCount + 1 : 2);
  scenario.SetFixedRows(1);
  scenario.SetFixedCols(0);
  if (show) {
    for (int r = 1; r < scenario.Rows(); ++r) scenario.SetRowHeight(r, kScenarioRowHeight);
  } else {
    scenario.SetRowHeight(1, kMessageRowHeight);
    scenario.SetTextMatrix(1, 1, kTooManyScenariosText);
  }
  SetHeaders(scenario, {{"Game Winners", 3000}, {"Pool Winners", 4000}});

  entries.SetCols(kEntriesCols);
  entries.SetRows(std::max(0, activeEntries) + 1);
  entries.SetFixedRows(1);
  entries.SetFixedCols(0);
  SetHeaders(entries, {{"Name", 1500},
                       {"Total", 800},
                       {"1st", 800},
                       {"2nd", 800},
                       {"3rd", 800},
                       {"4th", 800},
                       {"5th", 800},
                       {"Booby", 700},
                       {"Entry Nbr", 0}});
}

void FillScenarioRows(Grid& scenario, const PossibilitiesResult& result) {
  const int rows = std::min<int>(static_cast<int>(result.Texts.size()), scenario.Rows() - 1);
  for (int s = 1; s <= rows; ++s) {
    const ScenarioText& text = result.Texts[s - 1];
    scenario.SetTextMatrix(s, 0, text.GameWinners);
    scenario.SetTextMatrix(s, 1, text.PoolWinners);
  }
}

void FillEntryRows(Grid& entries, const PossibilitiesSnapshot& snap,
                   const PossibilitiesResult& result) {
  const int rows = std::min<int>(static_cast<int>(snap.Entries.size()), entries.Rows() - 1);
  for (int x = 0; x < rows && x < static_cast<int>(result.Counts.size()); ++x) {
    const PossibilitiesEntry& e = snap.Entries[x];
    const PlaceCounts& c = result.Counts[x];
    const int r = x + 1;
    entries.SetTextMatrix(r, kEntriesNameCol, EntryLabel(e));
    for (int p = 1; p <= kPayoutPlaces; ++p)
      entries.SetTextMatrix(r, kEntriesFirstPlaceCol + p - 1, std::to_string(c[p]));
    entries.SetTextMatrix(r, kEntriesBoobyCol, std::to_string(c[kBoobyPlace]));
    entries.SetTextMatrix(r, kEntriesTotalCol, std::to_string(c[kTotalPlace]));
    entries.SetTextMatrix(r, kEntriesIndexCol, std::to_string(e.Index));
  }
  const int paid = possibilities_detail::PaidPlaces(snap.Pool);
  for (int p = paid + 1; p <= kPayoutPlaces; ++p)
    entries.SetColWidth(kEntriesFirstPlaceCol + p - 1, 0);
  if (!possibilities_detail::HasBooby(snap.Pool)) entries.SetColWidth(kEntriesBoobyCol, 0);
}

void SortPossibilitiesByName(Grid& entries) {
  SortGridRows(entries, 1, kEntriesNameCol, flexSortStringNoCaseAscending);
  entries.Tag = " By Name";
}

void SortPossibilitiesByTotal(Grid& entries) {
  SortGridRows(entries, 1, kEntriesTotalCol, flexSortNumericDescending);
  entries.Tag = " By Most Points";
}

int PositionColumn(const std::string& position) {
  for (int i = 0; i < 6; ++i)
    if (position == kPositions[i]) return kEntriesFirstPlaceCol + i;
  return -1;
}

void SortPossibilitiesByPosition(Grid& entries, const std::string& position) {
  const int col = PositionColumn(position);
  SortGridRows(entries, 1, col >= 0 ? col : entries.Col(), flexSortNumericDescending);
  entries.Tag = " By Most " + position + " Finishes";
}

void SortScenarios(Grid& scenario) {
  SortGridRows(scenario, 1, 0, flexSortStringNoCaseAscending);
}

void SizeScenarioColumns(Grid& scenario, int gridWidth) {
  if (scenario.Cols() < 2) return;
  const int first = static_cast<int>(std::nearbyint(0.33 * gridWidth));
  const int second = std::max(0, gridWidth - first - 350);
  // Unchanged widths are left alone: a new width lays the whole grid out again.
  if (scenario.ColWidth(0) != first || scenario.ColWidthIsDefault(0)) scenario.SetColWidth(0, first);
  if (scenario.ColWidth(1) != second || scenario.ColWidthIsDefault(1))
    scenario.SetColWidth(1, second);
}

int EntryIndexOfRow(const Grid& entries, int row) {
  if (row < 1 || row >= entries.Rows() || kEntriesIndexCol >= entries.Cols()) return 0;
  return static_cast<int>(GridNumber(entries.TextMatrix(row, kEntriesIndexCol)));
}

}  // namespace qb
