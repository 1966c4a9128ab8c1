#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

#include "core/payout.h"

namespace qb {
namespace {

Currency Money(double v) {
  return Currency::FromDouble(v);
}

void AddEntries(PoolState& s, int count, int deleted) {
  s.NumEntries = static_cast<int16_t>(count);
  s.Entries.assign(count + 1, EntryRecord{});
  for (int e = 1; e <= count; ++e) s.Entries[e].BettorIndex = e <= deleted ? 0 : 1;
}

struct RoundCase {
  double x;
  int n;
  double rounded;
};

TEST(RoundValue, Table) {
  const RoundCase cases[] = {
      {2.125, -2, 2.13}, {25, 1, 30},     {-2.5, 0, -2},         {2.5, 0, 3},     {-2.51, 0, -3},
      {24.9, 1, 20},     {1.25, -1, 1.3}, {0.004, -2, 0},        {-0.005, -2, 0}, {149, 2, 100},
      {150, 2, 200},     {7, 0, 7},       {3.14159, -4, 3.1416},
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(RoundValue(c.x, c.n), c.rounded) << c.x << " " << c.n;
}

TEST(ComputePot, CountsDeletedEntries) {
  PoolState s;
  AddEntries(s, 10, 2);
  s.Pool.CostPerEntry = Money(5);
  EXPECT_EQ(ComputePot(s), Money(40));
  EXPECT_EQ(s.NumDeletedEntries, 2);
}

TEST(ComputePot, NoEntries) {
  PoolState s;
  s.Pool.CostPerEntry = Money(5);
  EXPECT_EQ(ComputePot(s), Currency());
  EXPECT_EQ(s.NumDeletedEntries, 0);
}

struct PrizeFixture : ::testing::Test {
  PoolState s;
  std::array<float, 6> pct{};
  std::array<Currency, 6> amounts{};
  void Pot(double pot) {
    AddEntries(s, 1, 0);
    s.Pool.CostPerEntry = Money(pot);
  }
};

TEST_F(PrizeFixture, SharesRoundingAndCorrection) {
  struct Case {
    const char* what;
    double pot;
    std::array<float, 6> pct;
    double holdback;
    int rounding;
    std::array<double, 6> amounts;
  };
  const Case cases[] = {
      {"a holdback above the pot gives nothing", 100, {0, 50, 50}, 120, 0, {}},
      {"the holdback comes off first", 100, {0, 100}, 10.5, -2, {0, 89.5}},
      {"rounded to tens, no correction needed", 100, {0, 50, 30, 20}, 0, 1, {0, 50, 30, 20}},
      // shares 49.5 -> 50, 24.75 -> 25, 25: total 100, first place 50 - 1
      {"the first paid place absorbs the rounding", 99, {0, 50, 25, 25}, 0, 0, {0, 49, 25, 25}},
      // shares 9.9 -> 10, 39.6 -> 40, 24.75 -> 25, 25: total 100, booby prize 10 - 1
      {"the booby prize takes the correction first", 99, {10, 40, 25, 25}, 0, 0, {9, 40, 25, 25}},
      {"percentages below 100 are not corrected", 99, {0, 50, 25, 15}, 0, 0, {0, 50, 25, 15}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Pot(c.pot);
    ComputePrizePool(s, c.pct, amounts, Money(c.holdback), c.rounding);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(amounts[i], Money(c.amounts[i])) << "place " << i;
  }
}

TEST_F(PrizeFixture, SinglePrecisionThirdsStillCountAsHundred) {
  // 100 - 33.3 - 33.3 - 33.4 in single precision is not exactly 0.
  Pot(100);
  pct = {0, 33.3f, 33.3f, 33.4f, 0, 0};
  ComputePrizePool(s, pct, amounts, Currency(), -2);
  Currency total = amounts[0] + amounts[1] + amounts[2] + amounts[3] + amounts[4] + amounts[5];
  EXPECT_EQ(total, Money(100));
  ComputePrizePool(s, pct, amounts, Currency(), 1);
  // shares 30, 30, 30: first place takes the other 10
  EXPECT_EQ(amounts[1], Money(40));
}

TEST_F(PrizeFixture, AmountsMayBeThePoolsOwn) {
  Pot(60);
  s.Pool.PayoutPct = {0, 50, 50, 0, 0, 0};
  ComputePrizePool(s, s.Pool.PayoutPct, s.PayoutAmt, Currency(), 0);
  EXPECT_EQ(s.PayoutAmt[1], Money(30));
  EXPECT_EQ(s.PayoutAmt[2], Money(30));
}

TEST(ComputeCollectedTotals, SplitsByCollectedAndSkipsDeleted) {
  PoolState s;
  AddEntries(s, 5, 1);  // entry 1 deleted
  s.Pool.CostPerEntry = Money(2.5);
  s.Entries[1].Collected = true;
  s.Entries[2].Collected = true;
  s.Entries[3].Collected = true;
  s.CollectedTotal = Money(99);
  ComputeCollectedTotals(s);
  EXPECT_EQ(s.CollectedTotal, Money(5));
  EXPECT_EQ(s.OwedTotal, Money(5));
}

TEST(ComputePot, AFeeTooLargeToMultiplySaturatesInsteadOfWrapping) {
  // The largest fee a pool file may hold, times a few entries, is beyond the
  // money type: the pot, the prizes and the totals stay the largest amount.
  PoolState s;
  AddEntries(s, 3, 0);
  s.Pool.CostPerEntry = Money(900000000000000.0);
  const Currency most = Currency::FromRaw(INT64_MAX);
  EXPECT_EQ(ComputePot(s), most);
  std::array<float, 6> pct{0, 100, 0, 0, 0, 0};
  std::array<Currency, 6> amounts{};
  ComputePrizePool(s, pct, amounts, Currency(), 0);
  EXPECT_GT(amounts[1], Money(900000000000000.0));
  ComputeCollectedTotals(s);
  EXPECT_EQ(s.OwedTotal, most);
  EXPECT_EQ(Currency::FromRaw(INT64_MIN) - Money(1), Currency::FromRaw(INT64_MIN));
  EXPECT_EQ(Money(1e300), most);
  EXPECT_EQ(Money(-1e300), Currency::FromRaw(INT64_MIN));
  EXPECT_EQ(Money(std::nan("")), Currency());
}

}  // namespace
}  // namespace qb
