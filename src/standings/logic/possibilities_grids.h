#pragma once
// The two grids of the possibilities window, as the reports print them:
// flxScenario (one row per scenario: game winners and pool winners) and
// flxEntries (one row per entry: in how many scenarios it finishes where).
#include <string>

#include "platform/grid.h"
#include "standings/logic/possibilities.h"

namespace qb {

// Columns of flxEntries.
inline constexpr int kEntriesNameCol = 0;
inline constexpr int kEntriesTotalCol = 1;
inline constexpr int kEntriesFirstPlaceCol = 2;  // 1st..5th in columns 2..6
inline constexpr int kEntriesBoobyCol = 7;
inline constexpr int kEntriesIndexCol = 8;  // hidden: the entry's index in Entries
inline constexpr int kEntriesCols = 9;

inline constexpr int kScenarioRowHeight = 600;  // twips
inline constexpr int kMessageRowHeight = 1000;
inline constexpr char kTooManyScenariosText[] =
    "Too many scenarios to display!  Click on 'by Name' tab to see the possibilities for each "
    "entry.";

// Before a run: flxScenario with a 600-twip row per scenario, or with more
// than 128 scenarios one 1000-twip row holding the message; flxEntries with
// an empty row per active entry. Headers centred, widths as the reports
// print them.
void SetupPossibilitiesGrids(Grid& scenario, Grid& entries, int32_t scenarioCount,
                             int activeEntries);

// The scenario texts of the run into their rows (a cancelled run: those it
// finished). Nothing with more than 128 scenarios.
void FillScenarioRows(Grid& scenario, const PossibilitiesResult& result);

// After a completed run: one row per active entry in entry order, the place
// columns beyond the paid places and the booby column without a booby prize
// hidden.
void FillEntryRows(Grid& entries, const PossibilitiesSnapshot& snap,
                   const PossibilitiesResult& result);

// The sorts of the window; the three of flxEntries store their subtitle in Tag.
void SortPossibilitiesByName(Grid& entries);
void SortPossibilitiesByTotal(Grid& entries);
// position: an item of comPosition ("1st".."5th", "Booby"). Any other text
// sorts on the grid's current column.
void SortPossibilitiesByPosition(Grid& entries, const std::string& position);
void SortScenarios(Grid& scenario);

// Column of flxEntries that holds the finishes in a comPosition item; -1 for none.
int PositionColumn(const std::string& position);

// flxScenario's two columns shared out over the grid's width (twips).
void SizeScenarioColumns(Grid& scenario, int gridWidth);

// The entry (index into Entries) of a data row of flxEntries; 0 for the
// header row and for rows without a number.
int EntryIndexOfRow(const Grid& entries, int row);

}  // namespace qb
