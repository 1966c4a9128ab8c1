// The pool winners: places, ties, booby place and amounts as one table of
// cases worked by hand, then the grid the window shows and its refusals.
#include "standings/logic/payouts.h"

#include <gtest/gtest.h>

#include <vector>

#include "core/text_format.h"
#include "standings/logic/rank_pools.h"
#include "standings/logic/standings.h"

namespace qb {
namespace {

using testing::RankPool;

struct PayoutCase {
  const char* name;
  std::vector<PayoutStanding> rows;  // best first
  int live;
  double pot;
  std::array<float, 6> pct;  // booby, 1st .. 5th
  int rounding;
  std::vector<std::string> ranks;     // "" none, "B" booby
  std::vector<std::string> winnings;  // "" not paid
};

void PrintTo(const PayoutCase& c, std::ostream* os) {
  *os << c.name;
}

class PayoutCases : public ::testing::TestWithParam<PayoutCase> {};

TEST_P(PayoutCases, PlacesAndWinnings) {
  const PayoutCase& c = GetParam();
  PayoutRules rules{Currency::FromDouble(c.pot), c.pct, c.rounding};
  std::vector<PayoutLine> lines = ComputePayouts(c.rows, c.live, rules);
  ASSERT_EQ(lines.size(), c.rows.size());
  std::vector<std::string> ranks, winnings;
  Currency total;
  for (const PayoutLine& l : lines) {
    std::string rank = l.place > 0 ? std::to_string(l.place) : "";
    if (l.booby) rank = rank.empty() ? "B" : rank + "B";
    ranks.push_back(rank);
    winnings.push_back(l.paid ? CurrencyText(l.winnings) : "");
    total += l.winnings;
  }
  EXPECT_EQ(ranks, c.ranks);
  EXPECT_EQ(winnings, c.winnings);
  // The whole pot goes out once anyone holds first place, but for the last
  // ten-thousandth of a share that does not divide.
  if (!c.rows.empty() && lines[0].place == 1)
    EXPECT_NEAR(total.ToDouble(), c.pot, 0.0001 * static_cast<double>(lines.size()));
}

std::vector<PayoutStanding> Points(std::initializer_list<double> points) {
  std::vector<PayoutStanding> out;
  for (double p : points) out.push_back({p, 0});
  return out;
}

// pct: {booby, 1st, 2nd, 3rd, 4th, 5th}
INSTANTIATE_TEST_SUITE_P(
    HandWorked, PayoutCases,
    ::testing::Values(
        // (60 + 30 + 10) / 3 = 33.33 -> 33; the 1 left over is shared by first place.
        PayoutCase{"ThreeTiedForFirstShareTheThreePlaces",
                   Points({10, 10, 10, 5}),
                   4,
                   100,
                   {0, 60, 30, 10},
                   0,
                   {"1", "1", "1", ""},
                   {"33.3333", "33.3333", "33.3333", ""}},
        // (30 + 20) / 2 each; no third place, the next row is fourth.
        PayoutCase{"TwoTiedForSecondSkipThird",
                   Points({30, 20, 20, 10}),
                   4,
                   100,
                   {0, 40, 30, 20, 10},
                   0,
                   {"1", "2", "2", "4"},
                   {"40", "25", "25", "10"}},
        // Only fifth place's 10 is split: 3.33 each; the cent left goes to first.
        PayoutCase{"ATieFromFifthSplitsOnlyFifth",
                   Points({70, 60, 50, 40, 30, 30, 30}),
                   7,
                   100,
                   {0, 30, 25, 20, 15, 10},
                   -2,
                   {"1", "2", "3", "4", "5", "5", "5"},
                   {"30.01", "25", "20", "15", "3.33", "3.33", "3.33"}},
        PayoutCase{"UndistributedPercentGoesToFirst",
                   Points({3, 2, 1}),
                   3,
                   100,
                   {0, 50, 20},
                   0,
                   {"1", "2", ""},
                   {"80", "20", ""}},
        // Booby 7.5 / 2 = 3.75 -> 4 each; first 67.5 -> 68, less the 1 paid too many.
        PayoutCase{"TiedLastRowsShareTheBoobyPrize",
                   Points({9, 5, 1, 1}),
                   4,
                   75,
                   {10, 90},
                   0,
                   {"1", "", "B", "B"},
                   {"67", "", "4", "4"}},
        // An entry in a paid place that is also last takes both prizes.
        PayoutCase{
            "OneEntryIsPaidFirstAndBooby", Points({5}), 1, 100, {10, 90}, 0, {"1B"}, {"100"}},
        PayoutCase{"TheLastOfTwoIsPaidSecondAndBooby",
                   Points({9, 5}),
                   2,
                   100,
                   {10, 60, 30},
                   0,
                   {"1", "2B"},
                   {"60", "40"}},
        // All tied: 100% of places plus 10% booby; first place gives back the excess.
        PayoutCase{"EveryoneTiedStaysWithinThePot",
                   Points({5, 5, 5}),
                   3,
                   100,
                   {10, 60, 30, 10},
                   -2,
                   {"1B", "1B", "1B"},
                   {"33.3333", "33.3333", "33.3333"}},
        PayoutCase{"TheTiebreakerDifferenceDecidesEqualPoints",
                   {{10, -2}, {10, -5}, {10, -5}},
                   3,
                   100,
                   {0, 50, 30, 20},
                   0,
                   {"1", "2", "2"},
                   {"50", "25", "25"}},
        // Tens: 62.5 -> 60, 37.5 -> 40, 25 -> 30; 130 paid, first gives back 5.
        PayoutCase{"RoundingToTens",
                   Points({3, 2, 1}),
                   3,
                   125,
                   {0, 50, 30, 20},
                   1,
                   {"1", "2", "3"},
                   {"55", "40", "30"}},
        // Tenths, halves up: 100 / 3 = 33.3 and 50 / 3 = 16.7 (16.6667).
        PayoutCase{"RoundingToTenths",
                   Points({3, 2, 1}),
                   3,
                   50,
                   {0, 66.6667f, 33.3333f},
                   -1,
                   {"1", "2", ""},
                   {"33.3", "16.7", ""}},
        // Tied for second and last: second's 30 split 15 / 15, the booby 10 split 5 / 5.
        PayoutCase{"TiedForSecondAndLastShareSecondAndTheBooby",
                   Points({9, 5, 5}),
                   3,
                   100,
                   {10, 60, 30},
                   0,
                   {"1", "2B", "2B"},
                   {"60", "20", "20"}},
        // Pot 37 in tenths: (11.1 + 9.25) / 2 = 10.175 -> 10.2; (7.4 + 5.55) / 2 =
        // 6.475 -> 6.5; 3.7 / 2 = 1.85 -> 1.9. 37.2 paid, first gives back 0.1 each.
        PayoutCase{"TiesAtEveryPaidPlaceInTenths",
                   Points({5, 5, 4, 4, 3, 3, 1}),
                   7,
                   37,
                   {0, 30, 25, 20, 15, 10},
                   -1,
                   {"1", "1", "3", "3", "5", "5", ""},
                   {"10.1", "10.1", "6.5", "6.5", "1.9", "1.9", ""}},
        // Pot 37 in tens: 18.5 -> 20, 14.8 -> 10, booby 3.7 -> 0; first takes the 7 left.
        PayoutCase{"AnUnevenPotInTensLeavesTheBoobyNothing",
                   Points({3, 2, 1}),
                   3,
                   37,
                   {10, 50, 40},
                   1,
                   {"1", "2", "B"},
                   {"27", "10", "0"}},
        // Pot 37 in hundredths: (11.1 + 7.4) / 3 = 6.1667 -> 6.17; first 18.5 - 0.01.
        PayoutCase{"ThreeTiedForSecondInHundredths",
                   Points({3, 2, 2, 2}),
                   4,
                   37,
                   {0, 50, 30, 20},
                   -2,
                   {"1", "2", "2", "2"},
                   {"18.49", "6.17", "6.17", "6.17"}},
        PayoutCase{
            "NoLiveEntryLeavesOneEmptyBoobyRow", Points({0}), 0, 0, {10, 90}, 0, {"B"}, {"0"}},
        PayoutCase{"NoPaidPlaceNoWinnings", Points({2, 1}), 2, 100, {0}, 0, {"", ""}, {"", ""}}),
    [](const ::testing::TestParamInfo<PayoutCase>& i) { return std::string(i.param.name); });

TEST(PoolPot, EntryMoneyLessHoldbackAndNeverBelowZero) {
  RankPool p;
  p.s.Pool.CostPerEntry = Currency::FromDouble(5);
  p.s.Pool.HoldbackAmt = Currency::FromDouble(12.5);
  EXPECT_EQ(CurrencyText(PoolPot(p.s, 10)), "37.5");
  p.s.Pool.HoldbackAmt = Currency::FromDouble(80);
  EXPECT_EQ(CurrencyText(PoolPot(p.s, 10)), "0");
}

TEST(CurrencyText, PlainDigitsUpToFourDecimals) {
  EXPECT_EQ(CurrencyText(Currency::FromDouble(250)), "250");
  EXPECT_EQ(CurrencyText(Currency::FromDouble(83.33)), "83.33");
  EXPECT_EQ(CurrencyText(Currency::FromDouble(33.3333)), "33.3333");
  EXPECT_EQ(CurrencyText(Currency::FromDouble(0.05)), "0.05");
  EXPECT_EQ(CurrencyText(Currency::FromDouble(-1.5)), "-1.5");
  EXPECT_EQ(CurrencyText(Currency::FromDouble(1234567.0)), "1234567");
}

// ---- the grid

struct PayoutsGridTest : ::testing::Test {
  RankPool p = testing::FourEntriesDecided();
  Grid standings, payouts;
  PayoutsView Build() {
    BuildStandingsGrid(p.s, ScoreLiveEntries(p.s), standings);
    return BuildPayoutsGrid(p.s, standings, payouts);
  }
  std::vector<std::string> Column(int c) {
    std::vector<std::string> out;
    for (int r = 1; r < payouts.Rows(); ++r) out.push_back(payouts.TextMatrix(r, c));
    return out;
  }
};

TEST_F(PayoutsGridTest, OrdersByPointsThenTiebreakerDifferenceAndPaysThePlaces) {
  // Ann 12 points (every game), Dee 8, Cy 5, Bob 0.
  PayoutsView v = Build();
  ASSERT_TRUE(v.computed);
  EXPECT_EQ(v.tiebreakerLine, "Tiebreaker: Points Final Game - Both Teams is  160");
  ASSERT_EQ(payouts.Rows(), 5);
  EXPECT_EQ(payouts.Cols(), 8);
  EXPECT_EQ(payouts.FixedRows(), 1);
  EXPECT_EQ(payouts.RowHeight(0), 600);
  const char* headers[] = {"Name / Entry",          "Rank",  "Winnings",         "Points",
                           "Tiebreaker Difference", "Games", "Tiebreaker Amount"};
  const int widths[] = {2000, 800, 1000, 800, 1000, 800, 1000, 0};
  for (int c = 0; c < 8; ++c) {
    if (c < 7) EXPECT_EQ(payouts.TextMatrix(0, c), headers[c]);
    EXPECT_EQ(payouts.ColWidth(c), widths[c]) << c;
  }
  EXPECT_EQ(Column(kPayName), (std::vector<std::string>{"Ann 1", "Dee 4", "Cy 1", "Bob 2"}));
  EXPECT_EQ(Column(kPayPoints), (std::vector<std::string>{"12", "8", "5", "0"}));
  EXPECT_EQ(Column(kPayTiebreakerDiff), (std::vector<std::string>{"-10", "-1", "-10", "-20"}));
  EXPECT_EQ(Column(kPayTiebreaker), (std::vector<std::string>{"150", "161", "170", "140"}));
  EXPECT_EQ(Column(kPayEntry), (std::vector<std::string>{"1", "5", "4", "2"}));
  EXPECT_EQ(Column(kPayRank), (std::vector<std::string>{"1", "2", "", "Booby"}));
  // Pot 40: 24, 12, booby 4.
  EXPECT_EQ(Column(kPayWinnings), (std::vector<std::string>{"24", "12", "", "4"}));
  EXPECT_EQ(p.s.Pool.TiebreakerActual, 160);

  RemoveNonWinningRows(payouts);
  EXPECT_EQ(Column(kPayName), (std::vector<std::string>{"Ann 1", "Dee 4", "Bob 2"}));
  EXPECT_TRUE(payouts.Visible());
}

TEST_F(PayoutsGridTest, EqualPointsAreOrderedByTheTiebreakerDifference) {
  p.s.Picks(7, 5) = 1;  // Dee now equals Ann on points; her guess is closer
  Build();
  EXPECT_EQ(Column(kPayName), (std::vector<std::string>{"Dee 4", "Ann 1", "Cy 1", "Bob 2"}));
  EXPECT_EQ(Column(kPayRank), (std::vector<std::string>{"1", "2", "", "Booby"}));
}

TEST_F(PayoutsGridTest, GamesPickedCorrectlyAsTiebreakerHidesBothColumnsAndKeepsTheActualAmount) {
  p.s.Pool.TiebreakerType = kGamesTiebreaker;
  p.s.Pool.TiebreakerActual = 0;
  PayoutsView v = Build();
  ASSERT_TRUE(v.computed);
  EXPECT_EQ(v.tiebreakerLine, "Tiebreaker: Actual Games Picked Correctly");
  EXPECT_EQ(payouts.ColWidth(kPayTiebreakerDiff), 0);
  EXPECT_EQ(payouts.ColWidth(kPayTiebreaker), 0);
  EXPECT_EQ(Column(kPayTiebreakerDiff), Column(kPayGames));

  // Not in use: the difference is 0, and the stored amount stays as it was.
  p.s.Pool.TiebreakerUsed = false;
  p.s.Pool.TiebreakerType = "Points in Final - Winner";
  p.s.Pool.TiebreakerActual = 33;
  v = Build();
  ASSERT_TRUE(v.computed);
  EXPECT_EQ(v.tiebreakerLine, "Tiebreaker: Points in Final - Winner is  33");
  EXPECT_EQ(Column(kPayTiebreakerDiff), (std::vector<std::string>{"0", "0", "0", "0"}));
  EXPECT_EQ(payouts.ColWidth(kPayTiebreaker), 0);
  EXPECT_EQ(p.s.Pool.TiebreakerActual, 33);
}

TEST_F(PayoutsGridTest, RefusesWithoutCompleteResultsOrTheActualTiebreaker) {
  p.s.Pool.TiebreakerActual = 0;
  PayoutsView v = Build();
  EXPECT_FALSE(v.computed);
  EXPECT_EQ(v.needData, "Tiebreaker amount is not entered.\r\nCannot calculate jackpot winners.");
  p.s.Pool.Results[7] = 0;  // both missing: the results are named
  v = Build();
  EXPECT_EQ(v.needData, "Complete results are not entered.\r\nCannot calculate jackpot winners.");
  EXPECT_TRUE(v.tiebreakerLine.empty());
}

TEST_F(PayoutsGridTest, AByeGameWithoutAStoredResultCountsAsDecided) {
  RankPool bye;
  bye.s = testing::Bracket(7);  // game 4: Team 7 against a Bye
  bye.Add("Ann", 1, {1, 3, 5, 7, 1, 5, 1}, 150);
  bye.Results({1, 3, 5, 0, 1, 5, 1});
  bye.s.Pool.TiebreakerUsed = false;
  EXPECT_TRUE(ResultsComplete(bye.s));
  BuildStandingsGrid(bye.s, ScoreLiveEntries(bye.s), standings);
  EXPECT_TRUE(BuildPayoutsGrid(bye.s, standings, payouts).computed);
  bye.s.Pool.Results[3] = 0;
  EXPECT_FALSE(ResultsComplete(bye.s));
}

TEST_F(PayoutsGridTest, WithoutLiveEntriesOneEmptyRowReadsBooby) {
  RankPool empty;
  empty.Add("Gone", 1, {1, 3, 5, 7, 1, 5, 1}, 0, true);
  empty.Results({1, 3, 5, 7, 1, 5, 1});
  empty.s.Pool.TiebreakerUsed = false;
  empty.Payouts(10, {90});
  BuildStandingsGrid(empty.s, ScoreLiveEntries(empty.s), standings);
  ASSERT_TRUE(BuildPayoutsGrid(empty.s, standings, payouts).computed);
  ASSERT_EQ(payouts.Rows(), 2);
  EXPECT_EQ(payouts.TextMatrix(1, kPayName), "");
  EXPECT_EQ(payouts.TextMatrix(1, kPayRank), "Booby");
}

}  // namespace
}  // namespace qb
