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

namespace {

// "#,#.00" of a text of plain digits with at most two decimals (how the
// grids write points), without the detour through a binary number; false
// for any other text.
bool FormatPlainAmount(std::string_view t, std::string& out) {
  size_t i = 0;
  const bool negative = !t.empty() && t[0] == '-';
  if (negative) ++i;
  size_t dot = t.find('.', i);
  std::string_view whole = t.substr(i, dot == std::string_view::npos ? t.size() - i : dot - i);
  std::string_view frac = dot == std::string_view::npos ? std::string_view() : t.substr(dot + 1);
  auto digits = [](std::string_view d) {
    for (char c : d)
      if (c < '0' || c > '9') return false;
    return true;
  };
  if (frac.size() > 2 || whole.size() > 12 || (whole.empty() && frac.empty()) || !digits(whole) ||
      !digits(frac))
    return false;
  while (!whole.empty() && whole[0] == '0') whole.remove_prefix(1);
  const bool zero = whole.empty() && frac.find_first_not_of('0') == std::string_view::npos;
  out.clear();
  if (negative && !zero) out += '-';
  for (size_t k = 0; k < whole.size(); ++k) {
    if (k > 0 && (whole.size() - k) % 3 == 0) out += ',';
    out += whole[k];
  }
  out += '.';
  out += frac;
  out.append(2 - frac.size(), '0');
  return true;
}

void AppendKeyPart(std::string_view value, std::string& key) {
  std::string amount;
  if (!FormatPlainAmount(value, amount)) {
    key += PadText(FormatAmount(value), 15);
    return;
  }
  if (amount.size() >= 15) {
    key.append(amount, amount.size() - 15, 15);
  } else {
    key.append(15 - amount.size(), ' ');
    key += amount;
  }
}

}  // namespace

std::string RankKey(std::string_view first, std::string_view second) {
  std::string key;
  key.reserve(30);
  AppendKeyPart(first, key);
  AppendKeyPart(second, key);
  return key;
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
  // The text order of the keys is their numeric order only while no value is
  // negative ("-5.00" would come before "3.00"): the rows are ordered by the
  // two values themselves. For values of 0 and more that is the same order,
  // ties included.
  if (firstRow >= 0 && firstRow < grid.Rows() - 1) {
    const int row = grid.Row(), col = grid.Col();
    grid.SortRowsOn(firstRow, grid.Rows() - 1, {firstValue, secondValue},
                    flexSortNumericDescending);
    grid.SetRow(row);
    grid.SetCol(col);
  }
  NumberRows(grid, firstRow, rankCol);
}

}  // namespace qb
