// Sorting report grids: the sorts leave the header rows alone and the view
// shown as it was; the two-level rank keys order numerically and number the
// rows, ties included.
#include "standings/logic/report_grid.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/text_format.h"

namespace qb {
namespace {

// Two header rows; column 0 a name, 1 and 2 values, 3 the key, 4 the rank.
Grid Standings(const std::vector<std::vector<std::string>>& rows) {
  Grid g(static_cast<int>(rows.size()) + 2, 5, 2, 1);
  g.SetTextMatrix(0, 1, "Current:");
  g.SetTextMatrix(1, 1, "Points");
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t c = 0; c < rows[r].size(); ++c)
      g.SetTextMatrix(static_cast<int>(r) + 2, static_cast<int>(c), rows[r][c]);
  return g;
}

std::vector<std::string> Column(const Grid& g, int c, int from = 2) {
  std::vector<std::string> out;
  for (int r = from; r < g.Rows(); ++r) out.push_back(g.TextMatrix(r, c));
  return out;
}

TEST(RankKey, RightAlignedAmountsAndTextLeftAsItIs) {
  EXPECT_EQ(RankKey("12.5", "1234"), "          12.50       1,234.00");
  EXPECT_EQ(RankKey("0", "n/a"), "            .00            n/a");
}

// The key halves are the amounts "#,#.00" right-aligned in 15 characters,
// whatever way the text gets there.
TEST(RankKey, EveryHalfIsThePaddedAmountOfItsText) {
  for (const char* t : {"0",     "3",    "12.5",    ".25",          "107.13",
                        "-3",    "-0.5", "1234567", "999999999999", "1000000000000",
                        "12.",   "007",  "0.05",    "-1234.5",      "12.345",
                        "1E+15", "abc",  "",        " 12 ",         "n/a",
                        "-",     "."}) {
    EXPECT_EQ(RankKey(t, "1"), PadText(FormatAmount(std::string_view(t)), 15) +
                                   PadText(FormatAmount(std::string_view("1")), 15))
        << '"' << t << '"';
  }
}

TEST(SortByRankKey, OrdersByFirstThenSecondValueAndNumbersEveryRow) {
  Grid g = Standings({{"Ann", "10", "30"},
                      {"Bob", "9.5", "40"},
                      {"Cy", "10", "31"},
                      {"Di", "100", "100"},
                      {"Ed", "10", "30"}});
  g.SetRow(3);
  g.SetCol(1);
  SortByRankKey(g, 2, 3, 1, 2, 4);
  EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"Di", "Cy", "Ann", "Ed", "Bob"}));
  // Equal keys keep their order and still get different ranks.
  EXPECT_EQ(Column(g, 4), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  EXPECT_EQ(g.TextMatrix(1, 1), "Points");
  EXPECT_TRUE(g.Visible());
  EXPECT_EQ(g.Row(), 3);
  EXPECT_EQ(g.Col(), 1);
}

TEST(SortByRankKey, NegativeValuesRankBelowZero) {
  Grid g = Standings(
      {{"A", "-5", "1"}, {"B", "3", "1"}, {"C", "-10", "1"}, {"D", "0", "-2"}, {"E", "0", "0"}});
  SortByRankKey(g, 2, 3, 1, 2, 4);
  EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"B", "E", "D", "A", "C"}));
  EXPECT_EQ(g.Cols(), 5);
}

TEST(SortByRankKey, NotANumberInTheSecondValueLeavesTheFirstToDecide) {
  Grid g = Standings({{"A", "5", "n/a"}, {"B", "7", "n/a"}, {"C", "6", "n/a"}});
  SortByRankKey(g, 2, 3, 1, 2, 4);
  EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"B", "C", "A"}));
}

TEST(SortGridRows, SortsOnlyDataRowsAndKeepsAHiddenGridHidden) {
  Grid g = Standings({{"bob", "2"}, {"Ann", "10"}, {"cy", "1"}});
  g.SetVisible(false);
  SortGridRows(g, 2, 1, flexSortNumericDescending);
  EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"Ann", "bob", "cy"}));
  EXPECT_FALSE(g.Visible());
  SortGridRows(g, 2, 0, flexSortStringNoCaseDescending);
  EXPECT_EQ(Column(g, 0), (std::vector<std::string>{"cy", "bob", "Ann"}));
}

TEST(SortGridRows, NoDataRowOrOneDoesNothing) {
  Grid none = Standings({});
  SortGridRows(none, 2, 0, flexSortGenericAscending);
  SortByRankKey(none, 2, 3, 1, 2, 4);
  EXPECT_EQ(none.Rows(), 2);
  Grid one = Standings({{"A", "1", "2"}});
  SortByRankKey(one, 2, 3, 1, 2, 4);
  EXPECT_EQ(one.TextMatrix(2, 4), "1");
}

TEST(NumberRows, RunningNumbersFromTheFirstRowGiven) {
  Grid g = Standings({{"a"}, {"b"}, {"c"}});
  NumberRows(g, 3, 4);
  EXPECT_EQ(Column(g, 4), (std::vector<std::string>{"", "1", "2"}));
}

}  // namespace
}  // namespace qb
