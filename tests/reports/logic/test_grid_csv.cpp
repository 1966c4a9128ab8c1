#include <gtest/gtest.h>

#include "report_fixture.h"
#include "reports/logic/grid_csv.h"

namespace qb {
namespace {

using namespace qb::testing;

TEST(GridCsv, GoldenRankingsFile) {
  PoolState pool;
  MakePool(pool);
  ExpectGolden("rankings.csv",
               FromCrLf(GridCsvText(pool, RankingsGrid(), "Current Rank Report", ReportNow())));
}

TEST(GridCsv, QuotesAreDoubledAndEveryValueQuoted) {
  EXPECT_EQ(CsvQuoted("Bob \"Ace\" Smith"), "\"Bob \"\"Ace\"\" Smith\"");
  EXPECT_EQ(CsvQuoted(""), "\"\"");
  EXPECT_EQ(CsvQuoted("a,b"), "\"a,b\"");
  PoolState pool;
  MakePool(pool);
  Grid g(2, 3, 1, 0);
  g.SetColWidth(1, 0);
  SetRow(g, 0, {"Name", "Key", "Owed"});
  SetRow(g, 1, {"Bob \"Ace\" Smith", "9", "$1,000.00"});
  auto lines = SplitLines(FromCrLf(GridCsvText(pool, g, "Participant Listing", ReportNow())));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[lines.size() - 2], "\"Name\",\"Owed\",");
  EXPECT_EQ(lines.back(), "\"Bob \"\"Ace\"\" Smith\",\"$1,000.00\",");
}

TEST(GridCsv, NoTiebreakerLineAndNoBoobyPartWhenUnused) {
  PoolState pool;
  MakePool(pool, /*tiebreaker=*/false, /*booby=*/false);
  std::string text = GridCsvText(pool, Grid(1, 1, 0, 0), "Pool Analysis", ReportNow());
  EXPECT_EQ(text.find("Tiebreaker"), std::string::npos);
  EXPECT_EQ(text.find("Booby"), std::string::npos);
  EXPECT_NE(text.find("\"Payout Percentages:  1- 60%;   2- 30%;  \"\r\n"), std::string::npos);
}

}  // namespace
}  // namespace qb
