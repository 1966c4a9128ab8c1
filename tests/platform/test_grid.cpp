#include "platform/grid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qb {
namespace {

// A grid with one fixed header row and one text column per value list.
Grid MakeGrid(const std::vector<std::vector<std::string>>& rows) {
  Grid g(static_cast<int>(rows.size()) + 1, static_cast<int>(rows.front().size()), 1, 0);
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      g.SetTextMatrix(static_cast<int>(r) + 1, static_cast<int>(c), rows[r][c]);
  return g;
}

std::vector<std::string> Column(const Grid& g, int c) {
  std::vector<std::string> out;
  for (int r = g.FixedRows(); r < g.Rows(); ++r) out.push_back(g.TextMatrix(r, c));
  return out;
}

void SortAll(Grid& g, int col, int mode, int colSel = -1) {
  g.SetRow(g.FixedRows());
  g.SetRowSel(g.Rows() - 1);
  g.SetCol(col);
  g.SetColSel(colSel < 0 ? col : colSel);
  g.Sort(mode);
}

TEST(Grid, CurrentCellTextAndSizeChangesKeepWhatFits) {
  Grid g(3, 3, 1, 1);
  g.SetRow(2);
  g.SetCol(1);
  g.SetText("x");
  EXPECT_EQ(g.TextMatrix(2, 1), "x");
  EXPECT_EQ(g.RowSel(), 2);
  g.SetRowSel(1);
  g.SetRow(1);  // setting Row collapses the selection onto it
  EXPECT_EQ(g.RowSel(), 1);

  g.SetRows(5);
  g.SetCols(4);
  EXPECT_EQ(g.TextMatrix(2, 1), "x");
  EXPECT_EQ(g.TextMatrix(4, 3), "");
  g.SetRows(2);
  EXPECT_EQ(g.Rows(), 2);
  EXPECT_EQ(g.Row(), 1);
  EXPECT_THROW(g.TextMatrix(2, 0), std::out_of_range);
  EXPECT_THROW(g.SetRow(-1), std::out_of_range);
  EXPECT_THROW(g.SetCol(4), std::out_of_range);
}

TEST(Grid, DefaultsAndHiddenSizes) {
  Grid g(2, 2);
  EXPECT_EQ(g.ColWidth(0), kGridDefaultColWidth);
  EXPECT_EQ(g.RowHeight(1), kGridDefaultRowHeight);
  EXPECT_EQ(g.CellAlignmentAt(1, 1), flexAlignGeneral);
  g.SetColWidth(1, 0);
  g.SetRowHeight(1, 0);
  EXPECT_EQ(g.ColWidth(1), 0);
  EXPECT_EQ(g.RowHeight(1), 0);
  EXPECT_FALSE(g.ColWidthIsDefault(1));
}

struct SortCase {
  const char* name;
  int mode;
  std::vector<std::string> in;
  std::vector<std::string> out;
};

class GridSortModes : public ::testing::TestWithParam<SortCase> {};

TEST_P(GridSortModes, OrdersTheSelectedRows) {
  const auto& p = GetParam();
  std::vector<std::vector<std::string>> rows;
  for (const auto& v : p.in) rows.push_back({v});
  Grid g = MakeGrid(rows);
  g.SetTextMatrix(0, 0, "Header");
  SortAll(g, 0, p.mode);
  EXPECT_EQ(Column(g, 0), p.out);
  EXPECT_EQ(g.TextMatrix(0, 0), "Header");
}

INSTANTIATE_TEST_SUITE_P(
    Modes, GridSortModes,
    ::testing::Values(
        // numbers as numbers (10 after 9), text after numbers
        SortCase{"GenericAsc", flexSortGenericAscending, {"10", "b", "9", "A", "2.5"},
                 {"2.5", "9", "10", "A", "b"}},
        SortCase{"GenericDesc", flexSortGenericDescending, {"10", "b", "9", "A"},
                 {"b", "A", "10", "9"}},
        // text that is no number counts as 0; a trailing % and a $ do not hurt
        SortCase{"NumericDesc", flexSortNumericDescending, {" 45%", "", "100%", "$7.50", "x"},
                 {"100%", " 45%", "$7.50", "", "x"}},
        SortCase{"NumericAsc", flexSortNumericAscending, {"1,200.00", "-3", "950.00"},
                 {"-3", "950.00", "1,200.00"}},
        SortCase{"NoCaseAsc", flexSortStringNoCaseAscending, {"bob", "Al", "al", "Carl", "10"},
                 {"10", "Al", "al", "bob", "Carl"}},
        SortCase{"NoCaseDesc", flexSortStringNoCaseDescending, {"bob", "Al", "Carl"},
                 {"Carl", "bob", "Al"}},
        // strings: "10" before "9" as text
        SortCase{"NoCaseText", flexSortStringNoCaseAscending, {"9", "10"}, {"10", "9"}},
        SortCase{"NoneLeavesOrder", flexSortNone, {"b", "a"}, {"b", "a"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Grid, SortMovesWholeRowsAndUsesKeyColumnsLeftToRight) {
  Grid g = MakeGrid({{"Ann", "5", "2"}, {"Bob", "9", "1"}, {"Cy", "5", "7"}, {"Di", "9", "1"}});
  g.SetRowHeight(2, 0);  // a hidden row stays hidden wherever it goes
  g.SetCellAlignmentAt(2, 0, flexAlignRightCenter);
  SortAll(g, 1, flexSortNumericDescending, 2);
  EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"Bob", "Di", "Cy", "Ann"}));
  EXPECT_EQ(g.RowHeight(1), 0);  // Bob's row
  EXPECT_EQ(g.CellAlignmentAt(1, 0), flexAlignRightCenter);
  EXPECT_EQ(g.RowHeight(2), kGridDefaultRowHeight);
}

TEST(Grid, SortTouchesOnlyRowsRowToRowSelEvenWhenGivenBackwards) {
  Grid g = MakeGrid({{"d"}, {"c"}, {"b"}, {"a"}});
  g.SetRow(3);  // rows 2..3 only, selected bottom-up
  g.SetRowSel(2);
  g.SetCol(0);
  g.Sort(flexSortStringNoCaseAscending);
  EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"d", "b", "c", "a"}));
}

TEST(Grid, RemoveItemAndFixedRows) {
  Grid g = MakeGrid({{"a"}, {"b"}, {"c"}});
  g.RemoveItem(2);
  EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"a", "c"}));
  EXPECT_THROW(g.RemoveItem(0), std::out_of_range);
  EXPECT_THROW(g.SetFixedRows(5), std::out_of_range);
}

TEST(Grid, SetupGridAlignsTheBlockAndClampsItsBounds) {
  Grid g(4, 3, 1, 1);
  GridBlock b = SetupGrid(g, -2, -1, 1, 99);
  EXPECT_EQ(b.firstRow, 0);
  EXPECT_EQ(b.lastRow, 3);
  EXPECT_EQ(b.firstCol, 1);
  EXPECT_EQ(b.lastCol, 2);
  EXPECT_EQ(g.CellAlignmentAt(0, 1), flexAlignCenterCenter);
  EXPECT_EQ(g.CellAlignmentAt(3, 2), flexAlignCenterCenter);
  EXPECT_EQ(g.CellAlignmentAt(3, 0), flexAlignGeneral);
  SetupGrid2(g, 2, 2, 0, 0);
  EXPECT_EQ(g.CellAlignmentAt(2, 0), flexAlignRightCenter);
  EXPECT_EQ(g.Rows(), 4);
  EXPECT_EQ(g.FixedRows(), 1);
}

TEST(Grid, NumberOfCellText) {
  struct {
    const char* text;
    double value;
    bool ok;
  } cases[] = {{"12", 12, true},      {" 45%", 45, true},  {"$1,234.50", 1234.5, true},
               {"-$3.00", -3, true},  {"", 0, false},      {"n/a", 0, false},
               {"2.25", 2.25, true},  {" - 7", 0, false}};
  for (const auto& c : cases) {
    bool ok = false;
    EXPECT_DOUBLE_EQ(GridNumber(c.text, &ok), c.value) << c.text;
    EXPECT_EQ(ok, c.ok) << c.text;
  }
  EXPECT_TRUE(GridIsNumber(" 12.5 "));
  EXPECT_FALSE(GridIsNumber("12%"));
  EXPECT_FALSE(GridIsNumber(""));
}

}  // namespace
}  // namespace qb
