#include "standings/logic/report_grid.h"

#include <charconv>

#include "core/text_format.h"

namespace qb {

namespace {

// Restores the grid's visible flag on every way out.
class HiddenWhile {
 public:
  explicit HiddenWhile(Grid& g) : grid_(g), was_(g.Visible()) {
    if (was_) grid_.SetVisible(false);
  }
  ~HiddenWhile() {
    if (was_) grid_.SetVisible(true);
  }
  HiddenWhile(const HiddenWhile&) = delete;
  HiddenWhile& operator=(const HiddenWhile&) = delete;

 private:
  Grid& grid_;
  bool was_;
};

void SortRows(Grid& grid, int firstRow, int firstCol, int lastCol, int mode) {
  const int last = grid.Rows() - 1;
  if (firstRow < 0 || last - firstRow < 1 || firstCol < 0 || lastCol >= grid.Cols()) return;
  const int row = grid.Row(), col = grid.Col();
  grid.SetRow(firstRow);
  grid.SetRowSel(last);
  grid.SetCol(firstCol);
  grid.SetColSel(lastCol);
  grid.Sort(mode);
  grid.SetRow(row);
  grid.SetCol(col);
}

}  // namespace

void SortGridRows(Grid& grid, int firstRow, int firstCol, int lastCol, int mode) {
  HiddenWhile hidden(grid);
  SortRows(grid, firstRow, firstCol, lastCol, mode);
}

std::string RankKey(std::string_view first, std::string_view second) {
  return PadText(FormatAmount(first), 15) + PadText(FormatAmount(second), 15);
}

void NumberRows(Grid& grid, int firstRow, int col) {
  char buf[16];
  for (int r = firstRow, n = 1; r < grid.Rows(); ++r, ++n) {
    auto end = std::to_chars(buf, buf + sizeof buf, n).ptr;
    grid.SetTextMatrix(r, col, std::string(buf, end));
  }
}

void SortByRankKey(Grid& grid, int firstRow, int keyCol, int firstValue, int secondValue,
                   int rankCol) {
  HiddenWhile hidden(grid);
  for (int r = firstRow; r < grid.Rows(); ++r)
    grid.SetTextMatrix(r, keyCol,
                       RankKey(grid.TextMatrix(r, firstValue), grid.TextMatrix(r, secondValue)));
  SortRows(grid, firstRow, keyCol, keyCol, flexSortStringNoCaseDescending);
  NumberRows(grid, firstRow, rankCol);
}

}  // namespace qb
