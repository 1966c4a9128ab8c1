#pragma once
// What every report window does with its grids, without a window: sorting the
// data rows with the grid's own sort, the hidden key columns that turn a
// two-level numeric order into one text sort, and the running numbers a rank
// column gets after such a sort. The sorts store their subtitle (" By ...") in
// the grid's Tag; the report writers append it to the report title.
#include <string>
#include <string_view>

#include "platform/grid.h"

namespace qb {

// Sorts rows firstRow..Rows-1 on columns firstCol..lastCol with a GridSort
// mode. Fewer than two such rows: nothing moves. The grid is hidden while it
// sorts (so a view repaints once) and then shown again unless it was hidden
// before; the current cell stays where it was.
void SortGridRows(Grid& grid, int firstRow, int firstCol, int lastCol, int mode);
inline void SortGridRows(Grid& grid, int firstRow, int col, int mode) {
  SortGridRows(grid, firstRow, col, col, mode);
}

// Key of a two-level sort: each value formatted "#,#.00" and right-aligned in
// 15 characters, so that the text order of keys is the numeric order. A
// value that is no number ("n/a") keeps its text, the same in every key.
std::string RankKey(std::string_view first, std::string_view second);

// Writes RankKey(column firstValue, column secondValue) into keyCol of rows
// firstRow.., orders them as that key would, highest first, and numbers
// rankCol 1, 2, ... in the new order (equal keys get different, consecutive
// numbers). Negative values take their place below 0. The grid is hidden
// throughout.
void SortByRankKey(Grid& grid, int firstRow, int keyCol, int firstValue, int secondValue,
                   int rankCol);

// Writes 1, 2, ... into column col of rows firstRow..Rows-1.
void NumberRows(Grid& grid, int firstRow, int col);

}  // namespace qb
